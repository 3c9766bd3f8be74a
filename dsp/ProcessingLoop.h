#pragma once

#include "dsp/AmpChain.h"
#include "dsp/Biquad.h"
#include "dsp/HalfbandFilter.h"
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

// One host sample of one side at the oversampling factor Factor: up through
// the half-band cascade (with the fixed gain of 2 after its first stage), the
// pair procedure pair(a, b, z0, z1) once per oversampled pair, and back down.
template <int Factor, typename PairProcedure>
inline float runSide(AmpChain& chain, float x, PairProcedure&& pair)
{
    static_assert(Factor == 2 || Factor == 4 || Factor == 8);
    float e1;
    float l1;
    upsample(chain.upStage1, x, e1, l1);
    const double u[2] = {2.0 * static_cast<double>(e1), 2.0 * static_cast<double>(l1)};
    if constexpr (Factor == 2) {
        float z0;
        float z1;
        pair(u[0], u[1], z0, z1);
        return downsample(chain.downStage1, z0, z1);
    } else {
        float q[2];
        for (int j = 0; j < 2; ++j) {
            float p[2];
            upsample(chain.upStage2, static_cast<float>(u[j]), p[0], p[1]);
            if constexpr (Factor == 4) {
                float z0;
                float z1;
                pair(static_cast<double>(p[0]), static_cast<double>(p[1]), z0, z1);
                q[j] = downsample(chain.downStage2, z0, z1);
            } else {
                float r[2];
                for (int k = 0; k < 2; ++k) {
                    float t0;
                    float t1;
                    upsample(chain.upStage3, p[k], t0, t1);
                    float z0;
                    float z1;
                    pair(static_cast<double>(t0), static_cast<double>(t1), z0, z1);
                    r[k] = downsample(chain.downStage3, z0, z1);
                }
                q[j] = downsample(chain.downStage2, r[0], r[1]);
            }
        }
        return downsample(chain.downStage1, q[0], q[1]);
    }
}

template <int Factor>
inline float processSide(AmpChain& chain, const BlockSettings& settings, float x)
{
    return runSide<Factor>(chain, x, [&chain, &settings](double a, double b, float& z0, float& z1) {
        processPair(chain, settings, a, b, z0, z1);
    });
}

} // namespace tamzor::dsp
