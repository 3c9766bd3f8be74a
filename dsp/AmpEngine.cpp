#include "dsp/AmpEngine.h"

#include "dsp/PowerAmp.h"
#include "dsp/Preamp.h"
#include "dsp/ProcessingLoop.h"
#include "dsp/RateConfiguration.h"
#include "dsp/LaneLockstep.h"
#include "dsp/PipelinedSide.h"

#include <bit>
#include <cmath>
#include <cstring>

namespace tamzor::dsp {

namespace {

// The mailbox word: host rate bits (32) | generation (31) | high quality (1).
constexpr std::uint64_t generationMask = 0x7fffffffu;

std::uint64_t packMailbox(float rate, std::uint32_t generation, int highQuality)
{
    return (static_cast<std::uint64_t>(std::bit_cast<std::uint32_t>(rate)) << 32)
        | ((static_cast<std::uint64_t>(generation) & generationMask) << 1)
        | (highQuality > 0 ? 1u : 0u);
}

std::uint32_t mailboxGeneration(std::uint64_t word)
{
    return static_cast<std::uint32_t>((word >> 1) & generationMask);
}

float mailboxRate(std::uint64_t word)
{
    return std::bit_cast<float>(static_cast<std::uint32_t>(word >> 32));
}

int mailboxHighQuality(std::uint64_t word)
{
    return static_cast<int>(word & 1u);
}

template <typename T>
void publish(T& field, T value)
{
    std::atomic_ref<T>(field).store(value, std::memory_order_relaxed);
}

template <typename T>
T observe(const T& field)
{
    return std::atomic_ref<T>(const_cast<T&>(field)).load(std::memory_order_relaxed);
}

// A control value that is not finite counts as 0, like a non-finite input
// sample, so it cannot leave a NaN in the model's states.
double finiteOrZero(double value)
{
    return std::isfinite(value) ? value : 0.0;
}

BlockSettings blockSettings(const AmpBlockControls& controls, double oversampledRate)
{
    BlockSettings settings{};
    settings.input = finiteOrZero(controls.input);
    settings.low = finiteOrZero(controls.low);
    settings.mid = finiteOrZero(controls.mid);
    settings.high = finiteOrZero(controls.high);
    settings.contour = finiteOrZero(controls.contour);
    settings.volume = finiteOrZero(controls.volume);
    settings.gains = powerAmpGains(settings.contour, finiteOrZero(controls.powerAmp));
    settings.preamp.channelSelect = controls.channelSelect;
    settings.preamp.boostOn = controls.boostOn;
    settings.preamp.driveCurve = finiteOrZero(controls.driveCurve);
    settings.preamp.mixPls = finiteOrZero(controls.mixPls);
    settings.preamp.oversampledRate = oversampledRate;
    return settings;
}

// One block of one side, one host sample at a time: the reference the fast
// paths must match. Reads `input`, writes `output` and, unless it is null,
// `copy`; each sample is read before its output is written.
template <int Factor>
void processSidePlain(AmpChain& chain, const BlockSettings& settings, double samplePeriod, const float* input,
                      float* output, float* copy, int frames)
{
    for (int i = 0; i < frames; ++i) {
        const double s = antiDenormalTerm(samplePeriod, frames - 1 - i);
        const float x = modelInput(input[i], s);
        const float v = outputSample(settings.volume, processSide<Factor>(chain, settings, x));
        output[i] = v;
        if (copy != nullptr) {
            copy[i] = v;
        }
    }
}

// Mono runs the left side's model for both outputs; stereo runs both sides,
// in the lanes of one vector when the fast paths have them, else one after
// the other.
template <int Factor>
void processBlock(AmpEngine& engine, bool fastPaths, const BlockSettings& settings, double samplePeriod, int stereoMode,
                  const float* const* inputs, float* const* outputs, int frames)
{
    const auto processOneSide = fastPaths ? processSidePipelined<Factor> : processSidePlain<Factor>;
    if (stereoMode == 0) {
        processOneSide(engine.leftChain, settings, samplePeriod, inputs[0], outputs[0], outputs[1], frames);
        return;
    }
    if constexpr (laneLockstepAvailable) {
        if (fastPaths) {
            processStereoLockstep<Factor>(engine.leftChain, engine.rightChain, settings, samplePeriod, inputs, outputs,
                                          frames);
            return;
        }
    }
    processOneSide(engine.leftChain, settings, samplePeriod, inputs[0], outputs[0], nullptr, frames);
    processOneSide(engine.rightChain, settings, samplePeriod, inputs[1], outputs[1], nullptr, frames);
}

} // namespace

AmpEngine::AmpEngine()
{
    std::memset(static_cast<void*>(&leftChain), 0, sizeof leftChain);
    std::memset(static_cast<void*>(&rightChain), 0, sizeof rightChain);
    postConfiguration(44100.0f, 0);
    applyPendingConfiguration();
    designTriodes();
}

bool AmpEngine::isUsableRate(double rate)
{
    return std::isfinite(rate) && rate > 0.0 && rate <= maximumRate;
}

bool AmpEngine::hasLockstepPath()
{
    return laneLockstepAvailable;
}

void AmpEngine::postConfiguration(float rate, int highQuality)
{
    if (!isUsableRate(static_cast<double>(rate))) {
        return;
    }
    std::uint64_t expected = mailbox_.load(std::memory_order_relaxed);
    std::uint64_t desired;
    do {
        desired = packMailbox(rate, mailboxGeneration(expected) + 1u, highQuality);
    } while (!mailbox_.compare_exchange_weak(expected, desired, std::memory_order_release, std::memory_order_relaxed));
}

bool AmpEngine::applyPendingConfiguration()
{
    const std::uint64_t word = mailbox_.load(std::memory_order_acquire);
    const std::uint32_t generation = mailboxGeneration(word);
    if (generation == appliedGeneration_) {
        return false;
    }
    appliedGeneration_ = generation;
    configure(mailboxRate(word), mailboxHighQuality(word));
    return true;
}

RateConfiguration AmpEngine::postedConfiguration() const
{
    const std::uint64_t word = mailbox_.load(std::memory_order_acquire);
    return makeRateConfiguration(mailboxRate(word), mailboxHighQuality(word));
}

void AmpEngine::configure(float rate, int highQuality)
{
    const RateConfiguration configuration = makeRateConfiguration(rate, highQuality);
    publish(sampleRate_, configuration.sampleRate);
    publish(highQuality_, highQuality);
    publish(oversamplingFactor_, configuration.oversamplingFactor);
    publish(samplePeriod_, configuration.samplePeriod);
    publish(oversampledRate_, configuration.oversampledRate);

    const double period = 1.0 / configuration.oversampledRate;
    refreshTriodeRates(leftChain, period);
    refreshTriodeRates(rightChain, period);

    const double fs = static_cast<double>(configuration.oversamplingFactor) * static_cast<double>(rate);
    configureChain(leftChain, fs);
    configureChain(rightChain, fs);
}

void AmpEngine::designTriodes()
{
    const double fs = static_cast<double>(oversamplingFactor_) * static_cast<double>(sampleRate_);
    designPreampTriodes(leftChain.triodes, fs);
    designPreampTriodes(rightChain.triodes, fs);
}

void AmpEngine::process(const float* const* inputs, float* const* outputs, int frames, const AmpBlockControls& controls)
{
    if (frames <= 0) {
        return;
    }
    const BlockSettings settings = blockSettings(controls, oversampledRate_);
    switch (oversamplingFactor_) {
    case 2:
        processBlock<2>(*this, fastPathsEnabled_, settings, samplePeriod_, controls.stereoMode, inputs, outputs, frames);
        break;
    case 4:
        processBlock<4>(*this, fastPathsEnabled_, settings, samplePeriod_, controls.stereoMode, inputs, outputs, frames);
        break;
    default:
        processBlock<8>(*this, fastPathsEnabled_, settings, samplePeriod_, controls.stereoMode, inputs, outputs, frames);
        break;
    }
}

float AmpEngine::sampleRate() const { return observe(sampleRate_); }
int AmpEngine::highQuality() const { return observe(highQuality_); }
int AmpEngine::oversamplingFactor() const { return observe(oversamplingFactor_); }
double AmpEngine::samplePeriod() const { return observe(samplePeriod_); }
double AmpEngine::oversampledRate() const { return observe(oversampledRate_); }

} // namespace tamzor::dsp
