#pragma once

#include "dsp/AmpChain.h"
#include "dsp/ProcessingLoop.h"

namespace tamzor::dsp {

// One block of one side with the model software-pipelined: the oversampled input of
// a run of host samples is produced first (the up-sampling cascade does not
// depend on the model), then every element of the model runs in one loop in
// which element k works on oversampled sample j - k, so neighbouring steps
// are independent of each other, and last the run goes down the cascade.
// Every element and every half-band filter sees exactly the samples of the
// one-sample-at-a-time path, in the same order, so the output is
// bit-identical to it. Defined for Factor 2, 4 and 8.
// The side reads `input` and writes its output to `output` and, unless it is
// null, also to `copy`; each run's input is read before its output is written.
template <int Factor>
void processSidePipelined(AmpChain& chain, const BlockSettings& settings, double samplePeriod, const float* input,
                          float* output, float* copy, int frames);

} // namespace tamzor::dsp
