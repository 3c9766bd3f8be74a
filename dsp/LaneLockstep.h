#pragma once

#include "dsp/AmpChain.h"
#include "dsp/ProcessingLoop.h"

namespace tamzor::dsp {

// Whether this build runs independent parts of the model in the two lanes of
// one SSE2 vector: the two stereo sides, or in mono the two PLS input stages.
// Each lane does exactly the arithmetic of the one-lane path, so the output is
// bit-identical to it.
#if TAMZOR_SSE2
inline constexpr bool laneLockstepAvailable = true;
#else
inline constexpr bool laneLockstepAvailable = false;
#endif

// One stereo block with both sides in lockstep. Only available when
// laneLockstepAvailable; defined for Factor 2, 4 and 8.
template <int Factor>
void processStereoLockstep(AmpChain& left, AmpChain& right, const BlockSettings& settings, double samplePeriod,
                           const float* const* inputs, float* const* outputs, int frames);

// One mono block of the PLS channel with the normal and the treble input
// stage (which see the same input) stepped together in the two lanes. Only
// available when laneLockstepAvailable; defined for Factor 2, 4 and 8.
template <int Factor>
void processMonoPlsLockstep(AmpChain& chain, const BlockSettings& settings, double samplePeriod,
                            const float* const* inputs, float* const* outputs, int frames);

} // namespace tamzor::dsp
