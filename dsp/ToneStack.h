#pragma once

namespace tamzor::dsp {

// Passive three-knob tone network (Low, Mid, High) with a Contour control that
// scales the slope resistor: a third-order filter
//   H(s) = (B1 s + B2 s^2 + B3 s^3) / (1 + A1 s + A2 s^2 + A3 s^3)
// discretised with the bilinear transform (no prewarping) and recomputed only
// when a control changes. Control symbols: l (Low after its audio taper),
// m (Mid), t (High), k (Contour).
struct ToneStack {
    // Bilinear-transform constant 2 fs and its powers.
    double beta;
    double beta2;
    double beta3;

    // Component products of the analog coefficients, one per control monomial
    // (terms subtracted in the coefficient are stored positive).
    double termA1;       // 1
    double termA1k;      // k
    double termA1m;      // m
    double termA1l;      // l
    double termA2;       // 1
    double termA2k;      // k
    double termA2m;      // m
    double termA2km;     // k m (subtracted)
    double termA2l;      // l
    double termA2kl;     // k l
    double termA2lm;     // l m
    double termA2mm;     // m^2 (subtracted)
    double termA3m;      // m
    double termA3k;      // k
    double termA3lm;     // l m
    double termA3mm;     // m^2 (subtracted)
    double termA3km;     // k m
    double termA3kl;     // k l
    double termA3klm;    // k l m
    double termA3kmm;    // k m^2 (subtracted)
    double termB1t;      // t
    double termB1m;      // m
    double termB1l;      // l
    double termB1;       // 1
    double termB2;       // 1
    double termB2m;      // m
    double termB2l;      // l
    double termB2k;      // k
    double termB2kt;     // k t
    double termB2mm;     // m^2 (subtracted)
    double termB2kl;     // k l
    double termB2lm;     // l m
    double termB3m;      // m
    double termB3lm;     // l m
    double termB3mm;     // m^2 (subtracted)
    double termB3km;     // k m
    double termB3kt;     // k t
    double termB3klm;    // k l m
    double termB3kmm;    // k m^2 (subtracted)
    double termB3kmt;    // k m t (subtracted)
    double termB3klt;    // k l t

    // Digital coefficients, normalised so that a0 = 1.
    double a1;
    double a2;
    double a3;
    double b0;
    double b1;
    double b2;
    double b3;

    // Filter state (transposed direct form II).
    double s1;
    double s2;
    double s3;

    // Control values of the last recomputation, as received.
    double lastLow;
    double lastMid;
    double lastHigh;
    double lastContour;
};

// Control value stored by design: no control can have it, so the next process
// always recomputes.
inline constexpr double toneStackUnsetControl = 10.0;

// Computes the bilinear constants and the component products for the rate fs,
// clears the state and marks the controls as unset. The digital coefficients
// follow on the next process.
void design(ToneStack& stack, double C1, double C2, double C3, double R1, double R2, double R3, double R4,
            double fs);

// Recomputes the digital coefficients for the given controls and stores them
// as the last ones.
void recompute(ToneStack& stack, double low, double mid, double high, double contour);

// Whether the controls differ from those of the last recomputation (exact
// comparison; a value that is not a number always differs).
inline bool controlsChanged(const ToneStack& stack, double low, double mid, double high, double contour)
{
    return !(low == stack.lastLow && mid == stack.lastMid && high == stack.lastHigh &&
             contour == stack.lastContour);
}

// Recomputes the coefficients when a control differs from the last ones. A
// caller whose controls are fixed for a block may call this once per block and
// then only filter; the result is the same as process on every sample.
inline void updateControls(ToneStack& stack, double low, double mid, double high, double contour)
{
    if (controlsChanged(stack, low, mid, high, contour)) [[unlikely]] {
        recompute(stack, low, mid, high, contour);
    }
}

// The filter in transposed direct form II on a ToneStack, or on a record
// with the same coefficient and state fields holding the filter of several
// sides at once (Sample then being its vector type).
template <typename Stack, typename Sample>
inline void toneStackStep(Stack& stack, Sample& x)
{
    const Sample y = stack.b0 * x + stack.s1;
    stack.s1 = stack.b1 * x + stack.s2 - stack.a1 * y;
    stack.s2 = stack.b2 * x + stack.s3 - stack.a2 * y;
    stack.s3 = stack.b3 * x - stack.a3 * y;
    x = y;
}

// Filters the sample x in place with the current coefficients.
inline void filter(ToneStack& stack, double& x) { toneStackStep(stack, x); }

// Filters the sample x in place, recomputing first when a control changed.
inline void process(ToneStack& stack, double low, double mid, double high, double contour, double& x)
{
    updateControls(stack, low, mid, high, contour);
    filter(stack, x);
}

} // namespace tamzor::dsp
