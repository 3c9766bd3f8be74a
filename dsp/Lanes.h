#pragma once

// The model's per-sample steps on two sides at once, one side per lane of an
// SSE2 double vector (lane 0 left, lane 1 right). Each function performs, per
// lane, exactly the IEEE double operations of its one-side counterpart in the
// same order; branches become masks that keep the arm the one-side code would
// take. The table lookup of the power amp curve and the exponential of the
// limiter stay scalar per lane. Only for builds with TAMZOR_SSE2.
//
// Lanes is the compiler's vector type: besides the named operations below,
// + - * / act lane by lane, and a double operand counts as the same value in
// both lanes, so code written for double also runs on Lanes.

#include "dsp/Biquad.h"
#include "dsp/HalfbandFilter.h"
#include "dsp/PowerAmp.h"
#include "dsp/ToneStack.h"
#include "dsp/TransferTable.h"
#include "dsp/TriodeStage.h"

#include <emmintrin.h>

#include <cmath>
#include <cstddef>

namespace tamzor::dsp {

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
// Rounds each lane to the nearest float (kept as a double).
inline Lanes roundToFloat(Lanes v) { return _mm_cvtps_pd(_mm_cvtpd_ps(v)); }
// Lanes already hold float values as doubles.
inline Lanes widen(Lanes v) { return v; }

// A double field of a one-side record and the field of its lanes form that
// holds it for both sides. Each record below lists its coefficients (fixed
// for a block: gathered only) and its state (gathered and written back).
template <typename LanesRecord, typename Record>
struct LaneField {
    Lanes LanesRecord::*lanes;
    double Record::*side;
};

template <typename LanesRecord, typename Record, std::size_t N>
inline void gatherFields(LanesRecord& lanes, const Record& left, const Record& right,
                         const LaneField<LanesRecord, Record> (&fields)[N])
{
    for (const LaneField<LanesRecord, Record>& field : fields) {
        lanes.*field.lanes = both(left.*field.side, right.*field.side);
    }
}

template <typename LanesRecord, typename Record, std::size_t N>
inline void scatterFields(const LanesRecord& lanes, Record& left, Record& right,
                          const LaneField<LanesRecord, Record> (&fields)[N])
{
    for (const LaneField<LanesRecord, Record>& field : fields) {
        left.*field.side = leftLane(lanes.*field.lanes);
        right.*field.side = rightLane(lanes.*field.lanes);
    }
}

// ---- Triode stage ---------------------------------------------------------

struct TriodeLanes {
    Lanes fit[13];
    Lanes h, h2inv, gRg, gRa, Vs, Ck, kk, kc;
    Lanes Ia, Ig, Vg, Vk, Vp, y;
};

inline constexpr LaneField<TriodeLanes, TriodeStage> triodeCoefficients[] = {
    {&TriodeLanes::h, &TriodeStage::h},   {&TriodeLanes::h2inv, &TriodeStage::h2inv},
    {&TriodeLanes::gRg, &TriodeStage::gRg}, {&TriodeLanes::gRa, &TriodeStage::gRa},
    {&TriodeLanes::Vs, &TriodeStage::Vs}, {&TriodeLanes::Ck, &TriodeStage::Ck},
    {&TriodeLanes::kk, &TriodeStage::kk}, {&TriodeLanes::kc, &TriodeStage::kc},
};
inline constexpr LaneField<TriodeLanes, TriodeStage> triodeState[] = {
    {&TriodeLanes::Ia, &TriodeStage::Ia}, {&TriodeLanes::Ig, &TriodeStage::Ig},
    {&TriodeLanes::Vg, &TriodeStage::Vg}, {&TriodeLanes::Vk, &TriodeStage::Vk},
    {&TriodeLanes::Vp, &TriodeStage::Vp}, {&TriodeLanes::y, &TriodeStage::y},
};

inline void gather(TriodeLanes& lanes, const TriodeStage& left, const TriodeStage& right)
{
    for (int i = 0; i < 13; ++i) {
        lanes.fit[i] = both(left.fit.coefficients[i], right.fit.coefficients[i]);
    }
    gatherFields(lanes, left, right, triodeCoefficients);
    gatherFields(lanes, left, right, triodeState);
}

inline void scatter(const TriodeLanes& lanes, TriodeStage& left, TriodeStage& right)
{
    scatterFields(lanes, left, right, triodeState);
}

inline void process(TriodeLanes& s, Lanes& x, double fs)
{
    const Lanes zero = _mm_setzero_pd();
    const Lanes v = x;
    const Lanes Vk = s.Vk;
    const Lanes VpOld = s.Vp;

    const Lanes belowCathode = _mm_cmplt_pd(sub(v, Vk), zero);
    Lanes Vg = v;
    if (_mm_movemask_pd(belowCathode) != 3) {
        const Lanes fourH = mul(broadcast(4.0), s.h);
        const Lanes root = _mm_sqrt_pd(add(sub(broadcast(1.0), mul(fourH, Vk)), mul(fourH, v)));
        const Lanes conducting = mul(add(root, sub(mul(mul(broadcast(2.0), s.h), Vk), broadcast(1.0))), s.h2inv);
        Vg = select(belowCathode, v, conducting);
    }
    s.Vg = Vg;
    const Lanes Ig = mul(sub(v, Vg), s.gRg);
    s.Ig = Ig;

    const Lanes u = sub(Vg, Vk);
    const Lanes cutoffPlate = add(s.Vs, Vk);
    Lanes Vp = select(_mm_cmplt_pd(u, broadcast(triodeCutoffVoltage)), cutoffPlate, add(evaluateFit(s.fit, u), Vk));
    const Lanes ceiling = add(Vk, s.Vs);
    Vp = select(_mm_cmpgt_pd(Vp, ceiling), ceiling, Vp);
    s.Vp = Vp;

    const Lanes y = mul(sub(add(Vp, s.y), VpOld), s.kc);
    s.y = y;
    x = y;

    const Lanes Ia = mul(sub(s.Vs, Vp), s.gRa);
    s.Ia = Ia;
    const Lanes VkNew = mul(add(mul(mul(s.Ck, Vk), broadcast(fs)), add(Ia, Ig)), s.kk);
    s.Vk = _mm_and_pd(_mm_cmpgt_pd(VkNew, zero), VkNew);
}

// ---- Biquad section -------------------------------------------------------

struct BiquadLanes {
    Lanes g, a1, a2, b0, b1, b2, x1, x2, y1, y2;
};

inline constexpr LaneField<BiquadLanes, Biquad> biquadCoefficients[] = {
    {&BiquadLanes::g, &Biquad::g},   {&BiquadLanes::a1, &Biquad::a1}, {&BiquadLanes::a2, &Biquad::a2},
    {&BiquadLanes::b0, &Biquad::b0}, {&BiquadLanes::b1, &Biquad::b1}, {&BiquadLanes::b2, &Biquad::b2},
};
inline constexpr LaneField<BiquadLanes, Biquad> biquadState[] = {
    {&BiquadLanes::x1, &Biquad::x1}, {&BiquadLanes::x2, &Biquad::x2},
    {&BiquadLanes::y1, &Biquad::y1}, {&BiquadLanes::y2, &Biquad::y2},
};

inline void gather(BiquadLanes& lanes, const Biquad& left, const Biquad& right)
{
    gatherFields(lanes, left, right, biquadCoefficients);
    gatherFields(lanes, left, right, biquadState);
}

inline void scatter(const BiquadLanes& lanes, Biquad& left, Biquad& right)
{
    scatterFields(lanes, left, right, biquadState);
}

inline Lanes process(BiquadLanes& b, Lanes x) { return biquadStep(b, x); }

// ---- Limiter, tone stack, power amp ---------------------------------------

inline Lanes limitPositiveHalf(Lanes v)
{
    const Lanes positive = _mm_cmpgt_pd(v, _mm_setzero_pd());
    const int mask = _mm_movemask_pd(positive);
    if (mask == 0) {
        return v;
    }
    const Lanes t = mul(broadcast(-0.025), v);
    const double left = (mask & 1) != 0 ? std::exp(leftLane(t)) : 0.0;
    const double right = (mask & 2) != 0 ? std::exp(rightLane(t)) : 0.0;
    const Lanes limited = mul(broadcast(40.0), sub(broadcast(1.0), both(left, right)));
    return select(positive, limited, v);
}

// The tone stack filter; its coefficients are current for the whole block.
struct ToneStackLanes {
    Lanes a1, a2, a3, b0, b1, b2, b3;
    Lanes s1, s2, s3;
};

inline constexpr LaneField<ToneStackLanes, ToneStack> toneStackCoefficients[] = {
    {&ToneStackLanes::a1, &ToneStack::a1}, {&ToneStackLanes::a2, &ToneStack::a2},
    {&ToneStackLanes::a3, &ToneStack::a3}, {&ToneStackLanes::b0, &ToneStack::b0},
    {&ToneStackLanes::b1, &ToneStack::b1}, {&ToneStackLanes::b2, &ToneStack::b2},
    {&ToneStackLanes::b3, &ToneStack::b3},
};
inline constexpr LaneField<ToneStackLanes, ToneStack> toneStackState[] = {
    {&ToneStackLanes::s1, &ToneStack::s1}, {&ToneStackLanes::s2, &ToneStack::s2},
    {&ToneStackLanes::s3, &ToneStack::s3},
};

inline void gather(ToneStackLanes& lanes, const ToneStack& left, const ToneStack& right)
{
    gatherFields(lanes, left, right, toneStackCoefficients);
    gatherFields(lanes, left, right, toneStackState);
}

inline void scatter(const ToneStackLanes& lanes, ToneStack& left, ToneStack& right)
{
    scatterFields(lanes, left, right, toneStackState);
}

inline void filter(ToneStackLanes& t, Lanes& x) { toneStackStep(t, x); }

inline void processPowerAmp(BiquadLanes& dcBlocker, const PowerAmpGains& gains, Lanes& sample)
{
    const Lanes v = mul(mul(broadcast(gains.contourMakeup), sample), broadcast(gains.powerAmpDrive));
    const Lanes shaped = both(shape(leftLane(v)), shape(rightLane(v)));
    sample = process(dcBlocker, shaped);
}

// ---- Half-band filters ----------------------------------------------------

// The filter's floats held as doubles; every section result is rounded to
// float exactly as the one-side section does.
template <int N>
struct HalfbandLanes {
    using Sample = Lanes;
    static constexpr int sections = N;
    Lanes coefficients[N];
    Lanes inputStates[N];
    Lanes outputStates[N];
};

template <int N>
inline void gather(HalfbandLanes<N>& lanes, const HalfbandFilter<N>& left, const HalfbandFilter<N>& right)
{
    for (int i = 0; i < N; ++i) {
        lanes.coefficients[i] = both(static_cast<double>(left.coefficients[i]), static_cast<double>(right.coefficients[i]));
        lanes.inputStates[i] = both(static_cast<double>(left.inputStates[i]), static_cast<double>(right.inputStates[i]));
        lanes.outputStates[i] = both(static_cast<double>(left.outputStates[i]), static_cast<double>(right.outputStates[i]));
    }
}

template <int N>
inline void scatter(const HalfbandLanes<N>& lanes, HalfbandFilter<N>& left, HalfbandFilter<N>& right)
{
    for (int i = 0; i < N; ++i) {
        left.inputStates[i] = static_cast<float>(leftLane(lanes.inputStates[i]));
        left.outputStates[i] = static_cast<float>(leftLane(lanes.outputStates[i]));
        right.inputStates[i] = static_cast<float>(rightLane(lanes.inputStates[i]));
        right.outputStates[i] = static_cast<float>(rightLane(lanes.outputStates[i]));
    }
}

template <int N>
inline Lanes applySection(HalfbandLanes<N>& f, int i, Lanes v)
{
    const Lanes y = roundToFloat(add(mul(sub(v, f.outputStates[i]), f.coefficients[i]), f.inputStates[i]));
    f.inputStates[i] = v;
    f.outputStates[i] = y;
    return y;
}

template <int N>
inline Lanes branchMean(const HalfbandLanes<N>&, Lanes e, Lanes o) { return roundToFloat(mul(broadcast(0.5), add(e, o))); }

} // namespace tamzor::dsp
