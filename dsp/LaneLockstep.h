#pragma once

#include "dsp/AmpChain.h"
#include "dsp/ProcessingLoop.h"

namespace tamzor::dsp {

// Whether this build runs the two stereo sides in the two lanes of one SSE2
// vector. Each lane does exactly the arithmetic of the one-side path, so the
// output is bit-identical to running the sides one after the other.
#if TAMZOR_SSE2
inline constexpr bool laneLockstepAvailable = true;
#else
inline constexpr bool laneLockstepAvailable = false;
#endif

// One stereo block with both sides in lockstep, the model software-pipelined
// as in processSidePipelined. Only available when laneLockstepAvailable;
// defined for Factor 2, 4 and 8.
template <int Factor>
void processStereoLockstep(AmpChain& left, AmpChain& right, const BlockSettings& settings, double samplePeriod,
                           const float* const* inputs, float* const* outputs, int frames);

} // namespace tamzor::dsp
