#include "dsp/PipelinedSide.h"

#include "dsp/Preamp.h"

#include <algorithm>

namespace tamzor::dsp {

namespace {

// Host samples per run; the buffers of a run live on the stack.
constexpr int runLength = 32;

// Up-samples one host sample into Factor consecutive oversampled samples.
template <int Factor>
inline void upCascade(AmpChain& chain, float x, double* out)
{
    float e1;
    float l1;
    upsample(chain.upStage1, x, e1, l1);
    const double u[2] = {2.0 * static_cast<double>(e1), 2.0 * static_cast<double>(l1)};
    if constexpr (Factor == 2) {
        out[0] = u[0];
        out[1] = u[1];
    } else {
        for (int j = 0; j < 2; ++j) {
            float p[2];
            upsample(chain.upStage2, static_cast<float>(u[j]), p[0], p[1]);
            if constexpr (Factor == 4) {
                out[2 * j] = static_cast<double>(p[0]);
                out[2 * j + 1] = static_cast<double>(p[1]);
            } else {
                for (int k = 0; k < 2; ++k) {
                    float t0;
                    float t1;
                    upsample(chain.upStage3, p[k], t0, t1);
                    out[4 * j + 2 * k] = static_cast<double>(t0);
                    out[4 * j + 2 * k + 1] = static_cast<double>(t1);
                }
            }
        }
    }
}

// Down-samples Factor consecutive model outputs into one host sample.
template <int Factor>
inline float downCascade(AmpChain& chain, const float* z)
{
    if constexpr (Factor == 2) {
        return downsample(chain.downStage1, z[0], z[1]);
    } else {
        float q[2];
        for (int j = 0; j < 2; ++j) {
            if constexpr (Factor == 4) {
                q[j] = downsample(chain.downStage2, z[2 * j], z[2 * j + 1]);
            } else {
                float r[2];
                for (int k = 0; k < 2; ++k) {
                    r[k] = downsample(chain.downStage3, z[4 * j + 2 * k], z[4 * j + 2 * k + 1]);
                }
                q[j] = downsample(chain.downStage2, r[0], r[1]);
            }
        }
        return downsample(chain.downStage1, q[0], q[1]);
    }
}

// The model's elements on `count` oversampled samples, as a pipeline of five
// steps: step k of loop pass j handles sample j - k.
struct ModelPipeline {
    ModelPipeline(AmpChain& sideChain, const BlockSettings& blockSettings) : chain(sideChain), settings(blockSettings) {}

    AmpChain& chain;
    const BlockSettings& settings;
    double first[runLength * 8];
    double second[runLength * 8];
    double preamp[runLength * 8];
    double toned[runLength * 8];

    void limitAndTone(int j)
    {
        double v = limitPositiveHalf(preamp[j]);
        process(chain.toneStack, settings.low, settings.mid, settings.high, settings.contour, v);
        toned[j] = v;
    }

    void powerAmp(int j, float* out)
    {
        double v = toned[j];
        processPowerAmp(chain.dcBlocker, settings.gains, v);
        out[j] = static_cast<float>(v);
    }

    void runPls(const double* in, float* out, int count)
    {
        const PreampControls& c = settings.preamp;
        const double fs = c.oversampledRate;
        const double m = c.mixPls;
        for (int j = 0; j < count + 4; ++j) {
            if (j < count) {
                const double v = in[j] * settings.input;
                double normal = v;
                double treble = v;
                process(chain.triodes[plsNormalStage], normal, fs);
                process(chain.triodes[plsTrebleStage], treble, fs);
                first[j] = normal;
                second[j] = treble;
            }
            if (const int i = j - 1; i >= 0 && i < count) {
                const double treble = process(chain.preampFilters[plsTrebleShelf], second[i]);
                const double u = c.driveCurve * (2.5 * m * treble + (1.0 - m) * first[i]);
                first[i] = process(chain.preampFilters[plsLowpass], u);
            }
            if (const int i = j - 2; i >= 0 && i < count) {
                double u = first[i];
                process(chain.triodes[plsSecondStage], u, fs);
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

    void runMcj(const double* in, float* out, int count)
    {
        const PreampControls& c = settings.preamp;
        const double fs = c.oversampledRate;
        const double offset = 0.1 * static_cast<double>(c.boostOn);
        for (int j = 0; j < count + 4; ++j) {
            if (j < count) {
                double v = 2.0 * (in[j] * settings.input);
                process(chain.triodes[mcjFirstStage], v, fs);
                if (c.boostOn == 0) {
                    v = v * c.driveCurve;
                } else {
                    v = v * 3.0 * c.driveCurve;
                }
                v = process(chain.preampFilters[mcjFirstShelf], v);
                first[j] = process(chain.preampFilters[mcjFirstLowpass], v);
            }
            if (const int i = j - 1; i >= 0 && i < count) {
                double v = first[i];
                process(chain.triodes[mcjSecondStage], v, fs);
                v = process(chain.preampFilters[mcjSecondShelf], v);
                second[i] = process(chain.preampFilters[mcjSecondLowpass], v);
            }
            if (const int i = j - 2; i >= 0 && i < count) {
                double v = second[i];
                process(chain.triodes[mcjThirdStage], v, fs);
                preamp[i] = 0.52 * v - offset;
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

} // namespace

template <int Factor>
void processSidePipelined(AmpChain& chain, const BlockSettings& settings, double samplePeriod, const float* in,
                          float* output, float* copy, int frames)
{
    double oversampled[runLength * Factor];
    float modelOut[runLength * Factor];
    ModelPipeline pipeline(chain, settings);
    for (int start = 0; start < frames; start += runLength) {
        const int count = std::min(runLength, frames - start);
        for (int i = 0; i < count; ++i) {
            const double s = antiDenormalTerm(samplePeriod, frames - 1 - (start + i));
            upCascade<Factor>(chain, modelInput(in[start + i], s), oversampled + i * Factor);
        }
        if (settings.preamp.channelSelect == 0) {
            pipeline.runPls(oversampled, modelOut, count * Factor);
        } else {
            pipeline.runMcj(oversampled, modelOut, count * Factor);
        }
        for (int i = 0; i < count; ++i) {
            const float v = outputSample(settings.volume, downCascade<Factor>(chain, modelOut + i * Factor));
            output[start + i] = v;
            if (copy != nullptr) {
                copy[start + i] = v;
            }
        }
    }
}

template void processSidePipelined<2>(AmpChain&, const BlockSettings&, double, const float*, float*, float*, int);
template void processSidePipelined<4>(AmpChain&, const BlockSettings&, double, const float*, float*, float*, int);
template void processSidePipelined<8>(AmpChain&, const BlockSettings&, double, const float*, float*, float*, int);

} // namespace tamzor::dsp
