#pragma once

#include "dsp/AmpChain.h"
#include "dsp/Biquad.h"
#include "dsp/OversamplingCascade.h"
#include "dsp/PowerAmp.h"
#include "dsp/Preamp.h"
#include "dsp/ToneStack.h"

#include <cmath>

namespace tamzor::dsp {

// Everything the per-sample path needs that stays fixed for one block.
struct BlockSettings {
    double input;
    double low;
    double mid;
    double high;
    double contour;
    double volume;
    PowerAmpGains gains;
    PreampControls preamp;
};

// Recomputes the tone stack's coefficients for the block's controls if they
// changed, so that the block's samples need only be filtered: what its own
// step does before the first sample of the block.
inline void prepareToneStack(ToneStack& stack, const BlockSettings& settings)
{
    updateControls(stack, settings.low, settings.mid, settings.high, settings.contour);
}

// Soft limit of the positive half: slope 1 at 0, approaching 40. Values at or
// below 0 (and a NaN) pass unchanged.
inline double limitPositiveHalf(double v)
{
    if (v > 0.0) {
        return 40.0 * (1.0 - std::exp(-0.025 * v));
    }
    return v;
}

// Amplitude of the tiny sine added to the input against denormals.
inline constexpr double antiDenormalAmplitude = 1e-10;

// Anti-denormal term for the sample that has `remaining` samples after it in
// its block: restarts with every block and is exactly 0 at its last sample.
inline double antiDenormalTerm(double samplePeriod, int remaining)
{
    return antiDenormalAmplitude * std::sin(6283.19304 * samplePeriod * static_cast<double>(remaining));
}

// A host input sample as the model sees it: a sample that is not finite
// counts as silence, so no NaN or infinity can reach the recursive states.
inline float modelInput(float hostSample, double antiDenormal)
{
    const double sample = std::isfinite(hostSample) ? static_cast<double>(hostSample) : 0.0;
    return static_cast<float>(sample + antiDenormal);
}

// The output stage: three times Volume, rounded to the host's float.
inline float outputSample(double volume, float d)
{
    return static_cast<float>(volume * (3.0 * static_cast<double>(d)));
}

// The part of the pair procedure after the preamp: limiter, tone stack and
// power amp on both samples, each rounded to float at the end.
inline void finishPair(AmpChain& chain, const BlockSettings& settings, double a, double b, float& z0, float& z1)
{
    a = limitPositiveHalf(a);
    b = limitPositiveHalf(b);
    process(chain.toneStack, settings.low, settings.mid, settings.high, settings.contour, a);
    process(chain.toneStack, settings.low, settings.mid, settings.high, settings.contour, b);
    processPowerAmp(chain.dcBlocker, settings.gains, a);
    processPowerAmp(chain.dcBlocker, settings.gains, b);
    z0 = static_cast<float>(a);
    z1 = static_cast<float>(b);
}

// Two consecutive oversampled samples (a earlier, b later) through input
// gain, preamp, limiter, tone stack and power amp.
inline void processPair(AmpChain& chain, const BlockSettings& settings, double a, double b, float& z0, float& z1)
{
    a = a * settings.input;
    b = b * settings.input;
    processPreamp(chain, settings.preamp, a, b);
    finishPair(chain, settings, a, b, z0, z1);
}

// One host sample of one side at the oversampling factor Factor: up the
// half-band cascade, the pair procedure on each oversampled pair in time
// order, and back down.
template <int Factor>
inline float processSide(AmpChain& chain, const BlockSettings& settings, float x)
{
    double oversampled[Factor];
    float modelOut[Factor];
    upCascade<Factor>(chain, x, oversampled);
    for (int i = 0; i < Factor; i += 2) {
        processPair(chain, settings, oversampled[i], oversampled[i + 1], modelOut[i], modelOut[i + 1]);
    }
    return downCascade<Factor>(chain, modelOut);
}

} // namespace tamzor::dsp
