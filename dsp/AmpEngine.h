#pragma once

#include "dsp/AmpChain.h"
#include "dsp/RateConfiguration.h"

#include <atomic>
#include <cstdint>

namespace tamzor::dsp {

// The controls of one block, latched once by the caller before process().
// A value that is not finite counts as 0.
struct AmpBlockControls {
    double input;
    double low;
    double mid;
    double high;
    double contour;
    double powerAmp;
    double volume;
    double mixPls;
    double driveCurve;
    int channelSelect;  // 0 PLS, 1 MCJ
    int boostOn;        // 0 or 1
    int stereoMode;     // 0 mono (one model for both outputs), 1 stereo
};

// The whole amp: both sides' model state and the rate configuration.
//
// Threads: postConfiguration() may be called from any thread at any time; it
// only publishes (rate, quality) through one lock-free atomic word. The audio
// thread calls applyPendingConfiguration() between blocks, which runs the
// whole reconfiguration itself, so process() never sees a half-rewritten set
// of coefficients. Everything else belongs to the audio thread (or to whoever
// owns the engine while no audio runs).
class AmpEngine {
public:
    // Starts with zeroed half-band filters and triode stages, then configures
    // 44100 Hz at LowQ and designs the triode stages, so the engine is ready.
    AmpEngine();

    // Rates the engine accepts: finite, above 0 and at most 10 MHz.
    static bool isUsableRate(double rate);
    static constexpr double maximumRate = 1e7;

    // Publishes a new configuration; an unusable rate is ignored. Every post
    // counts, also one that repeats the current values: the next apply runs
    // the whole reconfiguration (clearing equaliser and tone-stack histories).
    void postConfiguration(float rate, int highQuality);

    // Applies the latest posted configuration if any was posted since the last
    // apply. Returns whether it did.
    bool applyPendingConfiguration();

    // Designs the twelve triode stages at factor x host rate (rest points,
    // cleared state).
    void designTriodes();

    // Processes one block; frames of 0 or below touch nothing. Outputs may
    // alias the inputs.
    void process(const float* const* inputs, float* const* outputs, int frames, const AmpBlockControls& controls);

    // Chooses between the fast paths (the model software-pipelined over runs
    // of samples, in stereo with both sides in the two lanes of one SSE2
    // vector when the build has them) and the plain one-sample-at-a-time
    // path. Both give bit-identical output; the plain path is the reference
    // for tests and benchmarks. Set it from the thread that processes.
    void setFastPathsEnabled(bool enabled) { fastPathsEnabled_ = enabled; }
    // Whether this build has the SSE2 lane path for stereo.
    static bool hasLockstepPath();

    // The configuration the latest post asks for, whether or not it has been
    // applied yet (safe to call from any thread).
    RateConfiguration postedConfiguration() const;

    // The configuration in force (safe to read from any thread).
    float sampleRate() const;
    int highQuality() const;
    int oversamplingFactor() const;
    double samplePeriod() const;
    double oversampledRate() const;

    AmpChain leftChain;
    AmpChain rightChain;

private:
    void configure(float rate, int highQuality);

    std::atomic<std::uint64_t> mailbox_{0};
    std::uint32_t appliedGeneration_ = 0;

    float sampleRate_ = 0.0f;
    int highQuality_ = 0;
    int oversamplingFactor_ = 0;
    double samplePeriod_ = 0.0;
    double oversampledRate_ = 0.0;
    bool fastPathsEnabled_ = true;
};

} // namespace tamzor::dsp
