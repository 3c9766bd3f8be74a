#pragma once

#include "dsp/AmpChain.h"

namespace tamzor::dsp {

// The rate-dependent settings of the model, derived from the host rate and
// the LowQ/HighQ switch.
struct RateConfiguration {
    float sampleRate;        // host rate as received
    int oversamplingFactor;  // 2, 4 or 8
    double samplePeriod;     // 1 / (factor x host rate)
    double oversampledRate;  // 1 / samplePeriod
};

// 4 below 50000 Hz, else 2 (also for a rate that is not a number); doubled
// when highQuality is above 0.
int chooseOversamplingFactor(float sampleRate, int highQuality);

RateConfiguration makeRateConfiguration(float sampleRate, int highQuality);

// Corner frequency actually designed for a nominal corner f at the rate fs:
// f itself, but never above 0.45 fs. Only host rates far below any real
// audio rate (below 5556 Hz at LowQ) reach the limit; it keeps every section
// stable and finite there.
double designCorner(double f, double fs);

// Recomputes the two rate coefficients of the side's six triode stages for
// the sample period T. Their components, rest points and states stay.
void refreshTriodeRates(AmpChain& chain, double T);

// Designs the side's tone stack, equaliser sections and DC blocker at the
// rate fs (clearing their histories; the DC blocker takes its preset) and
// loads the half-band coefficients (their states stay).
void configureChain(AmpChain& chain, double fs);

} // namespace tamzor::dsp
