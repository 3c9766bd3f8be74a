#include "dsp/StereoLockstep.h"

#if TAMZOR_SSE2

#include <emmintrin.h>

namespace tamzor::dsp {

namespace {

// Lane 0 carries the left side, lane 1 the right side. Every operation is the
// IEEE double operation of the one-side code applied to each lane; branches
// of that code become masks, computing both arms and keeping the one the
// one-side code would take.
using Lanes = __m128d;

inline Lanes both(double left, double right) { return _mm_set_pd(right, left); }
inline Lanes broadcast(double value) { return _mm_set1_pd(value); }
inline double leftLane(Lanes v) { return _mm_cvtsd_f64(v); }
inline double rightLane(Lanes v) { return _mm_cvtsd_f64(_mm_unpackhi_pd(v, v)); }
inline Lanes add(Lanes a, Lanes b) { return _mm_add_pd(a, b); }
inline Lanes sub(Lanes a, Lanes b) { return _mm_sub_pd(a, b); }
inline Lanes mul(Lanes a, Lanes b) { return _mm_mul_pd(a, b); }
inline Lanes select(Lanes mask, Lanes ifTrue, Lanes ifFalse)
{
    return _mm_or_pd(_mm_and_pd(mask, ifTrue), _mm_andnot_pd(mask, ifFalse));
}

struct TriodeLanes {
    Lanes fit[13];
    Lanes h, h2inv, gRg, gRa, Vs, Ck, kk, kc;
    Lanes Ia, Ig, Vg, Vk, Vp, y;
};

void gather(TriodeLanes& lanes, const TriodeStage& left, const TriodeStage& right)
{
    for (int i = 0; i < 13; ++i) {
        lanes.fit[i] = both(left.fit.coefficients[i], right.fit.coefficients[i]);
    }
    lanes.h = both(left.h, right.h);
    lanes.h2inv = both(left.h2inv, right.h2inv);
    lanes.gRg = both(left.gRg, right.gRg);
    lanes.gRa = both(left.gRa, right.gRa);
    lanes.Vs = both(left.Vs, right.Vs);
    lanes.Ck = both(left.Ck, right.Ck);
    lanes.kk = both(left.kk, right.kk);
    lanes.kc = both(left.kc, right.kc);
    lanes.Ia = both(left.Ia, right.Ia);
    lanes.Ig = both(left.Ig, right.Ig);
    lanes.Vg = both(left.Vg, right.Vg);
    lanes.Vk = both(left.Vk, right.Vk);
    lanes.Vp = both(left.Vp, right.Vp);
    lanes.y = both(left.y, right.y);
}

void scatter(const TriodeLanes& lanes, TriodeStage& left, TriodeStage& right)
{
    left.Ia = leftLane(lanes.Ia);
    left.Ig = leftLane(lanes.Ig);
    left.Vg = leftLane(lanes.Vg);
    left.Vk = leftLane(lanes.Vk);
    left.Vp = leftLane(lanes.Vp);
    left.y = leftLane(lanes.y);
    right.Ia = rightLane(lanes.Ia);
    right.Ig = rightLane(lanes.Ig);
    right.Vg = rightLane(lanes.Vg);
    right.Vk = rightLane(lanes.Vk);
    right.Vp = rightLane(lanes.Vp);
    right.y = rightLane(lanes.y);
}

inline Lanes evaluate(const Lanes (&c)[13], Lanes v)
{
    Lanes numerator = c[12];
    numerator = add(mul(numerator, v), c[10]);
    numerator = add(mul(numerator, v), c[8]);
    numerator = add(mul(numerator, v), c[6]);
    numerator = add(mul(numerator, v), c[4]);
    numerator = add(mul(numerator, v), c[2]);
    numerator = add(mul(numerator, v), c[0]);
    Lanes denominator = c[11];
    denominator = add(mul(denominator, v), c[9]);
    denominator = add(mul(denominator, v), c[7]);
    denominator = add(mul(denominator, v), c[5]);
    denominator = add(mul(denominator, v), c[3]);
    denominator = add(mul(denominator, v), c[1]);
    denominator = add(mul(denominator, v), broadcast(1.0));
    return _mm_div_pd(numerator, denominator);
}

// The triode step of both sides at once (see process(TriodeStage&, ...)).
inline Lanes process(TriodeLanes& s, Lanes x, Lanes fs)
{
    const Lanes zero = _mm_setzero_pd();
    const Lanes v = x;
    const Lanes Vk = s.Vk;
    const Lanes VpOld = s.Vp;

    const Lanes fourH = mul(broadcast(4.0), s.h);
    const Lanes root = _mm_sqrt_pd(add(sub(broadcast(1.0), mul(fourH, Vk)), mul(fourH, v)));
    const Lanes conducting = mul(add(root, sub(mul(mul(broadcast(2.0), s.h), Vk), broadcast(1.0))), s.h2inv);
    const Lanes Vg = select(_mm_cmplt_pd(sub(v, Vk), zero), v, conducting);
    s.Vg = Vg;
    const Lanes Ig = mul(sub(v, Vg), s.gRg);
    s.Ig = Ig;

    const Lanes u = sub(Vg, Vk);
    const Lanes cutoffPlate = add(s.Vs, Vk);
    Lanes Vp = select(_mm_cmplt_pd(u, broadcast(triodeCutoffVoltage)), cutoffPlate, add(evaluate(s.fit, u), Vk));
    const Lanes ceiling = add(Vk, s.Vs);
    Vp = select(_mm_cmpgt_pd(Vp, ceiling), ceiling, Vp);
    s.Vp = Vp;

    const Lanes y = mul(sub(add(Vp, s.y), VpOld), s.kc);
    s.y = y;

    const Lanes Ia = mul(sub(s.Vs, Vp), s.gRa);
    s.Ia = Ia;
    const Lanes VkNew = mul(add(mul(mul(s.Ck, Vk), fs), add(Ia, Ig)), s.kk);
    s.Vk = _mm_and_pd(_mm_cmpgt_pd(VkNew, zero), VkNew);
    return y;
}

struct BiquadLanes {
    Lanes g, a1, a2, b0, b1, b2, x1, x2, y1, y2;
};

void gather(BiquadLanes& lanes, const Biquad& left, const Biquad& right)
{
    lanes.g = both(left.g, right.g);
    lanes.a1 = both(left.a1, right.a1);
    lanes.a2 = both(left.a2, right.a2);
    lanes.b0 = both(left.b0, right.b0);
    lanes.b1 = both(left.b1, right.b1);
    lanes.b2 = both(left.b2, right.b2);
    lanes.x1 = both(left.x1, right.x1);
    lanes.x2 = both(left.x2, right.x2);
    lanes.y1 = both(left.y1, right.y1);
    lanes.y2 = both(left.y2, right.y2);
}

void scatter(const BiquadLanes& lanes, Biquad& left, Biquad& right)
{
    left.x1 = leftLane(lanes.x1);
    left.x2 = leftLane(lanes.x2);
    left.y1 = leftLane(lanes.y1);
    left.y2 = leftLane(lanes.y2);
    right.x1 = rightLane(lanes.x1);
    right.x2 = rightLane(lanes.x2);
    right.y1 = rightLane(lanes.y1);
    right.y2 = rightLane(lanes.y2);
}

// The section step of both sides at once (see process(Biquad&, double)).
inline Lanes process(BiquadLanes& b, Lanes x)
{
    const Lanes sum = sub(sub(add(add(mul(b.b0, x), mul(b.b1, b.x1)), mul(b.b2, b.x2)), mul(b.a1, b.y1)), mul(b.a2, b.y2));
    const Lanes y = mul(b.g, sum);
    b.x2 = b.x1;
    b.x1 = x;
    b.y2 = b.y1;
    b.y1 = y;
    return y;
}

// The preamp elements of both sides, held in lanes for one block.
struct PreampLanes {
    TriodeLanes triodes[6];
    BiquadLanes filters[6];
};

void gather(PreampLanes& lanes, const AmpChain& left, const AmpChain& right)
{
    for (int i = 0; i < 6; ++i) {
        gather(lanes.triodes[i], left.triodes[i], right.triodes[i]);
        gather(lanes.filters[i], left.preampFilters[i], right.preampFilters[i]);
    }
}

void scatter(const PreampLanes& lanes, AmpChain& left, AmpChain& right)
{
    for (int i = 0; i < 6; ++i) {
        scatter(lanes.triodes[i], left.triodes[i], right.triodes[i]);
        scatter(lanes.filters[i], left.preampFilters[i], right.preampFilters[i]);
    }
}

inline Lanes processPls(PreampLanes& p, const PreampControls& controls, Lanes s)
{
    const Lanes fs = broadcast(controls.oversampledRate);
    const Lanes normal = process(p.triodes[plsNormalStage], s, fs);
    Lanes treble = process(p.triodes[plsTrebleStage], s, fs);
    treble = process(p.filters[plsTrebleShelf], treble);
    const double m = controls.mixPls;
    Lanes u = mul(broadcast(controls.driveCurve),
                  add(mul(broadcast(2.5 * m), treble), mul(broadcast(1.0 - m), normal)));
    u = process(p.filters[plsLowpass], u);
    return process(p.triodes[plsSecondStage], u, fs);
}

inline Lanes processMcj(PreampLanes& p, const PreampControls& controls, Lanes s)
{
    const Lanes fs = broadcast(controls.oversampledRate);
    Lanes v = mul(broadcast(2.0), s);
    v = process(p.triodes[mcjFirstStage], v, fs);
    if (controls.boostOn == 0) {
        v = mul(v, broadcast(controls.driveCurve));
    } else {
        v = mul(mul(v, broadcast(3.0)), broadcast(controls.driveCurve));
    }
    v = process(p.filters[mcjFirstShelf], v);
    v = process(p.filters[mcjFirstLowpass], v);
    v = process(p.triodes[mcjSecondStage], v, fs);
    v = process(p.filters[mcjSecondShelf], v);
    v = process(p.filters[mcjSecondLowpass], v);
    v = process(p.triodes[mcjThirdStage], v, fs);
    return sub(mul(broadcast(0.52), v), broadcast(0.1 * static_cast<double>(controls.boostOn)));
}

// The rest of the pair procedure for one side: limiter, tone stack, power amp.
inline void finishPair(AmpChain& chain, const BlockSettings& settings, double a, double b, float& z0, float& z1)
{
    a = limitPositiveHalf(a);
    b = limitPositiveHalf(b);
    process(chain.toneStack, settings.low, settings.mid, settings.high, settings.contour, a);
    process(chain.toneStack, settings.low, settings.mid, settings.high, settings.contour, b);
    processPowerAmp(chain.dcBlocker, settings.gains, a);
    processPowerAmp(chain.dcBlocker, settings.gains, b);
    z0 = static_cast<float>(a);
    z1 = static_cast<float>(b);
}

struct Lockstep {
    AmpChain& left;
    AmpChain& right;
    const BlockSettings& settings;
    PreampLanes preamp;

    // The pair procedure of both sides; earlier/later samples as (left, right).
    void processPair(const double (&a)[2], const double (&b)[2], float (&z0)[2], float (&z1)[2])
    {
        const Lanes input = broadcast(settings.input);
        Lanes earlier = mul(both(a[0], a[1]), input);
        Lanes later = mul(both(b[0], b[1]), input);
        if (settings.preamp.channelSelect == 0) {
            earlier = processPls(preamp, settings.preamp, earlier);
            later = processPls(preamp, settings.preamp, later);
        } else {
            earlier = processMcj(preamp, settings.preamp, earlier);
            later = processMcj(preamp, settings.preamp, later);
        }
        finishPair(left, settings, leftLane(earlier), leftLane(later), z0[0], z1[0]);
        finishPair(right, settings, rightLane(earlier), rightLane(later), z0[1], z1[1]);
    }

    template <int N>
    static void up(HalfbandFilter<N>& l, HalfbandFilter<N>& r, const float (&x)[2], float (&e)[2], float (&o)[2])
    {
        upsample(l, x[0], e[0], o[0]);
        upsample(r, x[1], e[1], o[1]);
    }

    template <int N>
    static void down(HalfbandFilter<N>& l, HalfbandFilter<N>& r, const float (&e)[2], const float (&o)[2], float (&d)[2])
    {
        d[0] = downsample(l, e[0], o[0]);
        d[1] = downsample(r, e[1], o[1]);
    }

    template <int Factor>
    void processHostSample(const float (&x)[2], float (&d)[2])
    {
        float e1[2];
        float l1[2];
        up(left.upStage1, right.upStage1, x, e1, l1);
        const double u0[2] = {2.0 * static_cast<double>(e1[0]), 2.0 * static_cast<double>(e1[1])};
        const double u1[2] = {2.0 * static_cast<double>(l1[0]), 2.0 * static_cast<double>(l1[1])};
        if constexpr (Factor == 2) {
            float z0[2];
            float z1[2];
            processPair(u0, u1, z0, z1);
            down(left.downStage1, right.downStage1, z0, z1, d);
        } else {
            float q[2][2];
            for (int j = 0; j < 2; ++j) {
                const double (&uj)[2] = j == 0 ? u0 : u1;
                const float in2[2] = {static_cast<float>(uj[0]), static_cast<float>(uj[1])};
                float p0[2];
                float p1[2];
                up(left.upStage2, right.upStage2, in2, p0, p1);
                if constexpr (Factor == 4) {
                    float z0[2];
                    float z1[2];
                    processPair({static_cast<double>(p0[0]), static_cast<double>(p0[1])},
                                {static_cast<double>(p1[0]), static_cast<double>(p1[1])}, z0, z1);
                    down(left.downStage2, right.downStage2, z0, z1, q[j]);
                } else {
                    float r[2][2];
                    for (int k = 0; k < 2; ++k) {
                        const float (&pk)[2] = k == 0 ? p0 : p1;
                        float t0[2];
                        float t1[2];
                        up(left.upStage3, right.upStage3, pk, t0, t1);
                        float z0[2];
                        float z1[2];
                        processPair({static_cast<double>(t0[0]), static_cast<double>(t0[1])},
                                    {static_cast<double>(t1[0]), static_cast<double>(t1[1])}, z0, z1);
                        down(left.downStage3, right.downStage3, z0, z1, r[k]);
                    }
                    const float r0[2] = {r[0][0], r[0][1]};
                    const float r1[2] = {r[1][0], r[1][1]};
                    down(left.downStage2, right.downStage2, r0, r1, q[j]);
                }
            }
            const float q0[2] = {q[0][0], q[0][1]};
            const float q1[2] = {q[1][0], q[1][1]};
            down(left.downStage1, right.downStage1, q0, q1, d);
        }
    }
};

} // namespace

template <int Factor>
void processStereoLockstep(AmpChain& left, AmpChain& right, const BlockSettings& settings, double samplePeriod,
                           const float* const* inputs, float* const* outputs, int frames)
{
    Lockstep lockstep{left, right, settings, {}};
    gather(lockstep.preamp, left, right);
    const float* inLeft = inputs[0];
    const float* inRight = inputs[1];
    float* outLeft = outputs[0];
    float* outRight = outputs[1];
    for (int i = 0; i < frames; ++i) {
        const double s = antiDenormalTerm(samplePeriod, frames - 1 - i);
        const float x[2] = {modelInput(inLeft[i], s), modelInput(inRight[i], s)};
        float d[2];
        lockstep.processHostSample<Factor>(x, d);
        outLeft[i] = outputSample(settings.volume, d[0]);
        outRight[i] = outputSample(settings.volume, d[1]);
    }
    scatter(lockstep.preamp, left, right);
}

template void processStereoLockstep<2>(AmpChain&, AmpChain&, const BlockSettings&, double, const float* const*, float* const*, int);
template void processStereoLockstep<4>(AmpChain&, AmpChain&, const BlockSettings&, double, const float* const*, float* const*, int);
template void processStereoLockstep<8>(AmpChain&, AmpChain&, const BlockSettings&, double, const float* const*, float* const*, int);

} // namespace tamzor::dsp

#endif // TAMZOR_SSE2
