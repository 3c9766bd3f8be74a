#include "dsp/LaneLockstep.h"

#if TAMZOR_SSE2

#include "dsp/Lanes.h"

#include <algorithm>

namespace tamzor::dsp {

namespace {

// Host samples per run; the buffers of a run live on the stack.
constexpr int runLength = 32;

// Both sides' state in lanes (lane 0 left, lane 1 right) for one block:
// gathered from the two chains at the start, scattered back at the end.
struct SideLanes {
    PreampLanes preamp;
    ToneStackLanes toneStack;
    BiquadLanes dcBlocker;
    HalfbandLanes<12> upStage1;
    HalfbandLanes<12> downStage1;
    HalfbandLanes<8> upStage2;
    HalfbandLanes<8> downStage2;
    HalfbandLanes<4> upStage3;
    HalfbandLanes<4> downStage3;
};

void gather(SideLanes& lanes, const AmpChain& left, const AmpChain& right)
{
    gather(lanes.preamp, left, right);
    gather(lanes.toneStack, left.toneStack, right.toneStack);
    gather(lanes.dcBlocker, left.dcBlocker, right.dcBlocker);
    gather(lanes.upStage1, left.upStage1, right.upStage1);
    gather(lanes.downStage1, left.downStage1, right.downStage1);
    gather(lanes.upStage2, left.upStage2, right.upStage2);
    gather(lanes.downStage2, left.downStage2, right.downStage2);
    gather(lanes.upStage3, left.upStage3, right.upStage3);
    gather(lanes.downStage3, left.downStage3, right.downStage3);
}

void scatter(const SideLanes& lanes, AmpChain& left, AmpChain& right)
{
    scatter(lanes.preamp, left, right);
    scatter(lanes.toneStack, left.toneStack, right.toneStack);
    scatter(lanes.dcBlocker, left.dcBlocker, right.dcBlocker);
    scatter(lanes.upStage1, left.upStage1, right.upStage1);
    scatter(lanes.downStage1, left.downStage1, right.downStage1);
    scatter(lanes.upStage2, left.upStage2, right.upStage2);
    scatter(lanes.downStage2, left.downStage2, right.downStage2);
    scatter(lanes.upStage3, left.upStage3, right.upStage3);
    scatter(lanes.downStage3, left.downStage3, right.downStage3);
}

// Up-samples one host sample of both sides into Factor oversampled samples.
template <int Factor>
inline void upCascade(SideLanes& sides, Lanes x, Lanes* out)
{
    Lanes e1;
    Lanes l1;
    upsample(sides.upStage1, x, e1, l1);
    const Lanes two = broadcast(2.0);
    const Lanes u[2] = {mul(two, e1), mul(two, l1)};
    if constexpr (Factor == 2) {
        out[0] = u[0];
        out[1] = u[1];
    } else {
        for (int j = 0; j < 2; ++j) {
            Lanes p[2];
            upsample(sides.upStage2, roundToFloat(u[j]), p[0], p[1]);
            if constexpr (Factor == 4) {
                out[2 * j] = p[0];
                out[2 * j + 1] = p[1];
            } else {
                for (int k = 0; k < 2; ++k) {
                    upsample(sides.upStage3, p[k], out[4 * j + 2 * k], out[4 * j + 2 * k + 1]);
                }
            }
        }
    }
}

// Down-samples Factor model outputs of both sides into one host sample.
template <int Factor>
inline Lanes downCascade(SideLanes& sides, const Lanes* z)
{
    if constexpr (Factor == 2) {
        return downsample(sides.downStage1, z[0], z[1]);
    } else {
        Lanes q[2];
        for (int j = 0; j < 2; ++j) {
            if constexpr (Factor == 4) {
                q[j] = downsample(sides.downStage2, z[2 * j], z[2 * j + 1]);
            } else {
                Lanes r[2];
                for (int k = 0; k < 2; ++k) {
                    r[k] = downsample(sides.downStage3, z[4 * j + 2 * k], z[4 * j + 2 * k + 1]);
                }
                q[j] = downsample(sides.downStage2, r[0], r[1]);
            }
        }
        return downsample(sides.downStage1, q[0], q[1]);
    }
}

// The model's elements on `count` oversampled samples of both sides, as a
// pipeline of five steps: step k of loop pass j handles sample j - k, so
// neighbouring steps are independent; each element still sees its samples
// in time order.
struct ModelPipeline {
    ModelPipeline(SideLanes& sideLanes, const BlockSettings& blockSettings) : sides(sideLanes), settings(blockSettings) {}

    SideLanes& sides;
    const BlockSettings& settings;
    Lanes first[runLength * 8];
    Lanes second[runLength * 8];
    Lanes preamp[runLength * 8];
    Lanes toned[runLength * 8];

    void limitAndTone(int j) { toned[j] = process(sides.toneStack, limitPositiveHalf(preamp[j])); }

    void powerAmp(int j, Lanes* out) { out[j] = roundToFloat(processPowerAmp(sides.dcBlocker, settings.gains, toned[j])); }

    void runPls(const Lanes* in, Lanes* out, int count)
    {
        const PreampControls& c = settings.preamp;
        PreampLanes& p = sides.preamp;
        const Lanes fs = broadcast(c.oversampledRate);
        const Lanes input = broadcast(settings.input);
        const Lanes drive = broadcast(c.driveCurve);
        const Lanes trebleWeight = broadcast(2.5 * c.mixPls);
        const Lanes normalWeight = broadcast(1.0 - c.mixPls);
        for (int j = 0; j < count + 4; ++j) {
            if (j < count) {
                const Lanes v = mul(in[j], input);
                first[j] = process(p.triodes[plsNormalStage], v, fs);
                second[j] = process(p.triodes[plsTrebleStage], v, fs);
            }
            if (const int i = j - 1; i >= 0 && i < count) {
                const Lanes treble = process(p.filters[plsTrebleShelf], second[i]);
                const Lanes u = mul(drive, add(mul(trebleWeight, treble), mul(normalWeight, first[i])));
                first[i] = process(p.filters[plsLowpass], u);
            }
            if (const int i = j - 2; i >= 0 && i < count) {
                preamp[i] = process(p.triodes[plsSecondStage], first[i], fs);
            }
            if (const int i = j - 3; i >= 0 && i < count) {
                limitAndTone(i);
            }
            if (const int i = j - 4; i >= 0) {
                powerAmp(i, out);
            }
        }
    }

    void runMcj(const Lanes* in, Lanes* out, int count)
    {
        const PreampControls& c = settings.preamp;
        PreampLanes& p = sides.preamp;
        const Lanes fs = broadcast(c.oversampledRate);
        const Lanes input = broadcast(settings.input);
        const Lanes drive = broadcast(c.driveCurve);
        const Lanes offset = broadcast(0.1 * static_cast<double>(c.boostOn));
        for (int j = 0; j < count + 4; ++j) {
            if (j < count) {
                Lanes v = mul(broadcast(2.0), mul(in[j], input));
                v = process(p.triodes[mcjFirstStage], v, fs);
                if (c.boostOn == 0) {
                    v = mul(v, drive);
                } else {
                    v = mul(mul(v, broadcast(3.0)), drive);
                }
                v = process(p.filters[mcjFirstShelf], v);
                first[j] = process(p.filters[mcjFirstLowpass], v);
            }
            if (const int i = j - 1; i >= 0 && i < count) {
                Lanes v = process(p.triodes[mcjSecondStage], first[i], fs);
                v = process(p.filters[mcjSecondShelf], v);
                second[i] = process(p.filters[mcjSecondLowpass], v);
            }
            if (const int i = j - 2; i >= 0 && i < count) {
                const Lanes v = process(p.triodes[mcjThirdStage], second[i], fs);
                preamp[i] = sub(mul(broadcast(0.52), v), offset);
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
void processStereoLockstep(AmpChain& left, AmpChain& right, const BlockSettings& settings, double samplePeriod,
                           const float* const* inputs, float* const* outputs, int frames)
{
    // The controls are fixed for the block, so each tone stack recomputes (if
    // at all) before its first sample, as its own step would.
    prepareToneStack(left.toneStack, settings);
    prepareToneStack(right.toneStack, settings);

    SideLanes sides;
    gather(sides, left, right);
    ModelPipeline pipeline(sides, settings);
    Lanes oversampled[runLength * Factor];
    Lanes modelOut[runLength * Factor];

    const float* inLeft = inputs[0];
    const float* inRight = inputs[1];
    float* outLeft = outputs[0];
    float* outRight = outputs[1];
    const Lanes volume = broadcast(settings.volume);
    const Lanes three = broadcast(3.0);
    for (int start = 0; start < frames; start += runLength) {
        const int count = std::min(runLength, frames - start);
        for (int i = 0; i < count; ++i) {
            const double s = antiDenormalTerm(samplePeriod, frames - 1 - (start + i));
            const Lanes x = both(static_cast<double>(modelInput(inLeft[start + i], s)),
                                 static_cast<double>(modelInput(inRight[start + i], s)));
            upCascade<Factor>(sides, x, oversampled + i * Factor);
        }
        if (settings.preamp.channelSelect == 0) {
            pipeline.runPls(oversampled, modelOut, count * Factor);
        } else {
            pipeline.runMcj(oversampled, modelOut, count * Factor);
        }
        for (int i = 0; i < count; ++i) {
            const Lanes d = downCascade<Factor>(sides, modelOut + i * Factor);
            const __m128 out = _mm_cvtpd_ps(mul(volume, mul(three, d)));
            _mm_store_ss(outLeft + start + i, out);
            _mm_store_ss(outRight + start + i, _mm_shuffle_ps(out, out, 1));
        }
    }
    scatter(sides, left, right);
}

template void processStereoLockstep<2>(AmpChain&, AmpChain&, const BlockSettings&, double, const float* const*, float* const*, int);
template void processStereoLockstep<4>(AmpChain&, AmpChain&, const BlockSettings&, double, const float* const*, float* const*, int);
template void processStereoLockstep<8>(AmpChain&, AmpChain&, const BlockSettings&, double, const float* const*, float* const*, int);

} // namespace tamzor::dsp

#endif // TAMZOR_SSE2
