#pragma once

// The model software-pipelined over runs of host samples, written once for
// every kind of side state (see dsp/SideSamples.h): one side's AmpChain, or
// both stereo sides in lanes. The oversampled input of a run is produced
// first (the up-sampling cascade does not depend on the model), then every
// element of the model runs in one loop in which element k works on
// oversampled sample j - k, so neighbouring steps are independent of each
// other, and last the run goes down the cascade. Every element and every
// half-band filter sees exactly the samples of the one-sample-at-a-time
// path, in the same order, so the output is bit-identical to it.

#include "dsp/AmpChain.h"
#include "dsp/OversamplingCascade.h"
#include "dsp/PowerAmp.h"
#include "dsp/Preamp.h"
#include "dsp/ProcessingLoop.h"
#include "dsp/SideSamples.h"

#include <algorithm>

namespace tamzor::dsp {

// Host samples per run; the buffers of a run live on the stack.
inline constexpr int pipelineRunLength = 32;

// The model's elements on `count` oversampled samples of a side, as a
// pipeline of five steps: step k of loop pass j handles sample j - k. The
// tone stack's coefficients must be current for the block (prepareToneStack).
template <typename Side>
struct ModelPipeline {
    using Sample = typename SideSamples<Side>::Model;
    using Halfband = typename SideSamples<Side>::Halfband;

    ModelPipeline(Side& sideState, const BlockSettings& blockSettings) : side(sideState), settings(blockSettings) {}

    Side& side;
    const BlockSettings& settings;
    Sample first[pipelineRunLength * 8];
    Sample second[pipelineRunLength * 8];
    Sample preamp[pipelineRunLength * 8];
    Sample toned[pipelineRunLength * 8];

    void run(const Sample* in, Halfband* out, int count)
    {
        if (settings.preamp.channelSelect == 0) {
            runPls(in, out, count);
        } else {
            runMcj(in, out, count);
        }
    }

    void limitAndTone(int j)
    {
        Sample v = limitPositiveHalf(preamp[j]);
        filter(side.toneStack, v);
        toned[j] = v;
    }

    void powerAmp(int j, Halfband* out)
    {
        Sample v = toned[j];
        processPowerAmp(side.dcBlocker, settings.gains, v);
        out[j] = roundToFloat(v);
    }

    // PLS: normal and treble input stages in parallel, mixed, driven,
    // low-passed, then the second stage.
    void runPls(const Sample* in, Halfband* out, int count)
    {
        // Copies, so that nothing the loop stores can change them.
        const PreampControls c = settings.preamp;
        const double input = settings.input;
        const double fs = c.oversampledRate;
        for (int j = 0; j < count + 4; ++j) {
            if (j < count) {
                const Sample v = in[j] * input;
                Sample normal = v;
                Sample treble = v;
                process(side.triodes[plsNormalStage], normal, fs);
                process(side.triodes[plsTrebleStage], treble, fs);
                first[j] = normal;
                second[j] = treble;
            }
            if (const int i = j - 1; i >= 0 && i < count) {
                const Sample treble = process(side.preampFilters[plsTrebleShelf], second[i]);
                first[i] = process(side.preampFilters[plsLowpass], plsMix(c, treble, first[i]));
            }
            if (const int i = j - 2; i >= 0 && i < count) {
                Sample u = first[i];
                process(side.triodes[plsSecondStage], u, fs);
                preamp[i] = u;
            }
            if (const int i = j - 3; i >= 0 && i < count) {
                limitAndTone(i);
            }
            if (const int i = j - 4; i >= 0) {
                powerAmp(i, out);
            }
        }
    }

    // MCJ: three stages in series with fixed equalisation between them.
    void runMcj(const Sample* in, Halfband* out, int count)
    {
        // Copies, so that nothing the loop stores can change them.
        const PreampControls c = settings.preamp;
        const double input = settings.input;
        const double fs = c.oversampledRate;
        for (int j = 0; j < count + 4; ++j) {
            if (j < count) {
                Sample v = 2.0 * (in[j] * input);
                process(side.triodes[mcjFirstStage], v, fs);
                v = process(side.preampFilters[mcjFirstShelf], mcjDrive(c, v));
                first[j] = process(side.preampFilters[mcjFirstLowpass], v);
            }
            if (const int i = j - 1; i >= 0 && i < count) {
                Sample v = first[i];
                process(side.triodes[mcjSecondStage], v, fs);
                v = process(side.preampFilters[mcjSecondShelf], v);
                second[i] = process(side.preampFilters[mcjSecondLowpass], v);
            }
            if (const int i = j - 2; i >= 0 && i < count) {
                Sample v = second[i];
                process(side.triodes[mcjThirdStage], v, fs);
                preamp[i] = mcjLevel(c, v);
            }
            if (const int i = j - 3; i >= 0 && i < count) {
                limitAndTone(i);
            }
            if (const int i = j - 4; i >= 0) {
                powerAmp(i, out);
            }
        }
    }
};

// One block of a side at oversampling factor Factor, run by run. The host
// connection io gives io.read(n, antiDenormal), host sample n as the first
// half-band stage takes it, and takes io.write(n, d), the cascade's output d
// for host sample n. Each run's input is read before its output is written.
template <int Factor, typename Side, typename HostIo>
inline void processInRuns(Side& side, const BlockSettings& settings, double samplePeriod, int frames, HostIo& io)
{
    typename SideSamples<Side>::Model oversampled[pipelineRunLength * Factor];
    typename SideSamples<Side>::Halfband modelOut[pipelineRunLength * Factor];
    ModelPipeline<Side> pipeline(side, settings);
    for (int start = 0; start < frames; start += pipelineRunLength) {
        const int count = std::min(pipelineRunLength, frames - start);
        for (int i = 0; i < count; ++i) {
            const double s = antiDenormalTerm(samplePeriod, frames - 1 - (start + i));
            upCascade<Factor>(side, io.read(start + i, s), oversampled + i * Factor);
        }
        pipeline.run(oversampled, modelOut, count * Factor);
        for (int i = 0; i < count; ++i) {
            io.write(start + i, downCascade<Factor>(side, modelOut + i * Factor));
        }
    }
}

} // namespace tamzor::dsp
