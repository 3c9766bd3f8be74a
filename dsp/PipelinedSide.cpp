#include "dsp/PipelinedSide.h"

#include "dsp/ModelPipeline.h"

namespace tamzor::dsp {

namespace {

// One side's host buffers: reads `input`, writes to `output` and, unless it
// is null, also to `copy`.
struct OneSideIo {
    const float* input;
    float* output;
    float* copy;
    double volume;

    float read(int n, double antiDenormal) const { return modelInput(input[n], antiDenormal); }

    void write(int n, float d) const
    {
        const float v = outputSample(volume, d);
        output[n] = v;
        if (copy != nullptr) {
            copy[n] = v;
        }
    }
};

} // namespace

template <int Factor>
void processSidePipelined(AmpChain& chain, const BlockSettings& settings, double samplePeriod, const float* input,
                          float* output, float* copy, int frames)
{
    prepareToneStack(chain.toneStack, settings);
    OneSideIo io{input, output, copy, settings.volume};
    processInRuns<Factor>(chain, settings, samplePeriod, frames, io);
}

template void processSidePipelined<2>(AmpChain&, const BlockSettings&, double, const float*, float*, float*, int);
template void processSidePipelined<4>(AmpChain&, const BlockSettings&, double, const float*, float*, float*, int);
template void processSidePipelined<8>(AmpChain&, const BlockSettings&, double, const float*, float*, float*, int);

} // namespace tamzor::dsp
