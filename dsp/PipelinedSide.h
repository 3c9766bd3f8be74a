#pragma once

#include "dsp/AmpChain.h"
#include "dsp/ProcessingLoop.h"

namespace tamzor::dsp {

// One block of one side with the model software-pipelined (dsp/ModelPipeline.h),
// bit-identical to the one-sample-at-a-time path. Defined for Factor 2, 4 and 8.
// The side reads `input` and writes its output to `output` and, unless it is
// null, also to `copy`; each run's input is read before its output is written.
template <int Factor>
void processSidePipelined(AmpChain& chain, const BlockSettings& settings, double samplePeriod, const float* input,
                          float* output, float* copy, int frames);

} // namespace tamzor::dsp
