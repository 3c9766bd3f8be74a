#include "dsp/LaneLockstep.h"

#if TAMZOR_SSE2

#include "dsp/Lanes.h"

namespace tamzor::dsp {

namespace {

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

struct Lockstep {
    const BlockSettings& settings;
    SideLanes sides;

    // The pair procedure of both sides: earlier and later sample per lane.
    void processPair(Lanes a, Lanes b, Lanes& z0, Lanes& z1)
    {
        const Lanes input = broadcast(settings.input);
        a = mul(a, input);
        b = mul(b, input);
        if (settings.preamp.channelSelect == 0) {
            a = processPls(sides.preamp, settings.preamp, a);
            b = processPls(sides.preamp, settings.preamp, b);
        } else {
            a = processMcj(sides.preamp, settings.preamp, a);
            b = processMcj(sides.preamp, settings.preamp, b);
        }
        a = limitPositiveHalf(a);
        b = limitPositiveHalf(b);
        a = process(sides.toneStack, a);
        b = process(sides.toneStack, b);
        a = processPowerAmp(sides.dcBlocker, settings.gains, a);
        b = processPowerAmp(sides.dcBlocker, settings.gains, b);
        z0 = roundToFloat(a);
        z1 = roundToFloat(b);
    }

    template <int Factor>
    Lanes processHostSample(Lanes x)
    {
        Lanes e1;
        Lanes l1;
        upsample(sides.upStage1, x, e1, l1);
        const Lanes two = broadcast(2.0);
        const Lanes u[2] = {mul(two, e1), mul(two, l1)};
        if constexpr (Factor == 2) {
            Lanes z0;
            Lanes z1;
            processPair(u[0], u[1], z0, z1);
            return downsample(sides.downStage1, z0, z1);
        } else {
            Lanes q[2];
            for (int j = 0; j < 2; ++j) {
                Lanes p[2];
                upsample(sides.upStage2, roundToFloat(u[j]), p[0], p[1]);
                if constexpr (Factor == 4) {
                    Lanes z0;
                    Lanes z1;
                    processPair(p[0], p[1], z0, z1);
                    q[j] = downsample(sides.downStage2, z0, z1);
                } else {
                    Lanes r[2];
                    for (int k = 0; k < 2; ++k) {
                        Lanes t0;
                        Lanes t1;
                        upsample(sides.upStage3, p[k], t0, t1);
                        Lanes z0;
                        Lanes z1;
                        processPair(t0, t1, z0, z1);
                        r[k] = downsample(sides.downStage3, z0, z1);
                    }
                    q[j] = downsample(sides.downStage2, r[0], r[1]);
                }
            }
            return downsample(sides.downStage1, q[0], q[1]);
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

    Lockstep lockstep{settings, {}};
    gather(lockstep.sides, left, right);
    const float* inLeft = inputs[0];
    const float* inRight = inputs[1];
    float* outLeft = outputs[0];
    float* outRight = outputs[1];
    const Lanes volume = broadcast(settings.volume);
    const Lanes three = broadcast(3.0);
    for (int i = 0; i < frames; ++i) {
        const double s = antiDenormalTerm(samplePeriod, frames - 1 - i);
        const Lanes x = both(static_cast<double>(modelInput(inLeft[i], s)), static_cast<double>(modelInput(inRight[i], s)));
        const Lanes d = lockstep.processHostSample<Factor>(x);
        const __m128 out = _mm_cvtpd_ps(mul(volume, mul(three, d)));
        _mm_store_ss(outLeft + i, out);
        _mm_store_ss(outRight + i, _mm_shuffle_ps(out, out, 1));
    }
    scatter(lockstep.sides, left, right);
}

template <int Factor>
void processMonoPlsLockstep(AmpChain& chain, const BlockSettings& settings, double samplePeriod,
                            const float* const* inputs, float* const* outputs, int frames)
{
    TriodeLanes inputStages;
    gather(inputStages, chain.triodes[plsNormalStage], chain.triodes[plsTrebleStage]);
    const Lanes fs = broadcast(settings.preamp.oversampledRate);
    const double m = settings.preamp.mixPls;
    auto preampSample = [&](double s) {
        const Lanes stages = process(inputStages, broadcast(s), fs);
        const double normal = leftLane(stages);
        const double treble = process(chain.preampFilters[plsTrebleShelf], rightLane(stages));
        double u = settings.preamp.driveCurve * (2.5 * m * treble + (1.0 - m) * normal);
        u = process(chain.preampFilters[plsLowpass], u);
        process(chain.triodes[plsSecondStage], u, settings.preamp.oversampledRate);
        return u;
    };
    auto pair = [&](double a, double b, float& z0, float& z1) {
        a = preampSample(a * settings.input);
        b = preampSample(b * settings.input);
        finishPair(chain, settings, a, b, z0, z1);
    };

    const float* in = inputs[0];
    float* outLeft = outputs[0];
    float* outRight = outputs[1];
    for (int i = 0; i < frames; ++i) {
        const double s = antiDenormalTerm(samplePeriod, frames - 1 - i);
        const float v = outputSample(settings.volume, runSide<Factor>(chain, modelInput(in[i], s), pair));
        outLeft[i] = v;
        outRight[i] = v;
    }
    scatter(inputStages, chain.triodes[plsNormalStage], chain.triodes[plsTrebleStage]);
}

template void processMonoPlsLockstep<2>(AmpChain&, const BlockSettings&, double, const float* const*, float* const*, int);
template void processMonoPlsLockstep<4>(AmpChain&, const BlockSettings&, double, const float* const*, float* const*, int);
template void processMonoPlsLockstep<8>(AmpChain&, const BlockSettings&, double, const float* const*, float* const*, int);

template void processStereoLockstep<2>(AmpChain&, AmpChain&, const BlockSettings&, double, const float* const*, float* const*, int);
template void processStereoLockstep<4>(AmpChain&, AmpChain&, const BlockSettings&, double, const float* const*, float* const*, int);
template void processStereoLockstep<8>(AmpChain&, AmpChain&, const BlockSettings&, double, const float* const*, float* const*, int);

} // namespace tamzor::dsp

#endif // TAMZOR_SSE2
