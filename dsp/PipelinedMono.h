#pragma once

#include "dsp/AmpChain.h"
#include "dsp/ProcessingLoop.h"

namespace tamzor::dsp {

// One mono block with the model software-pipelined: the oversampled input of
// a run of host samples is produced first (the up-sampling cascade does not
// depend on the model), then every element of the model runs in one loop in
// which element k works on oversampled sample j - k, so neighbouring steps
// are independent of each other, and last the run goes down the cascade.
// Every element and every half-band filter sees exactly the samples of the
// one-sample-at-a-time path, in the same order, so the output is
// bit-identical to it. Defined for Factor 2, 4 and 8.
template <int Factor>
void processMonoPipelined(AmpChain& chain, const BlockSettings& settings, double samplePeriod,
                          const float* const* inputs, float* const* outputs, int frames);

} // namespace tamzor::dsp
