#pragma once

// The kinds of side state the pipelined model runs on, and the few sample
// operations in which they differ. One side's AmpChain works on double
// between the model's elements and on float in the half-band filters; in
// builds with TAMZOR_SSE2, SideLanes holds both stereo sides in the lanes of
// vectors and works on Lanes throughout (see dsp/SideLanes.h).

#include "dsp/AmpChain.h"

namespace tamzor::dsp {

// Model: a sample between the model's elements; Halfband: a sample in and
// out of the half-band filters.
template <typename Side>
struct SideSamples;

template <>
struct SideSamples<AmpChain> {
    using Model = double;
    using Halfband = float;
};

// A half-band sample as a model sample.
inline double widen(float v) { return static_cast<double>(v); }

// A model sample rounded to the nearest float, as the half-band filters take it.
inline float roundToFloat(double v) { return static_cast<float>(v); }

} // namespace tamzor::dsp

#if TAMZOR_SSE2
#include "dsp/SideLanes.h"
#endif
