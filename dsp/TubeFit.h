#pragma once

namespace tamzor::dsp {

// A fitted valve characteristic along one stage's load line: the plate-to-
// cathode voltage for a grid-to-cathode voltage v, as the rational function
//   (p0 + p1 v + ... + p6 v^6) / (1 + q1 v + ... + q6 v^6).
// The thirteen coefficients are stored interleaved: p0, q1, p1, q2, ..., q6, p6.
struct TubeFit {
    double coefficients[13];
};

// Stages on the 273.79 V supply.
extern const TubeFit plsTubeFit;
// Stages on the 278 V supply.
extern const TubeFit mcjTubeFit;

// Both polynomials by Horner's rule from the highest power down, then one
// division, on the coefficients c in the interleaved order of TubeFit.
// Sample is double, or a type with the same arithmetic lane by lane.
template <typename Sample>
inline Sample evaluateFit(const Sample (&c)[13], Sample v)
{
    Sample numerator = c[12];
    numerator = numerator * v + c[10];
    numerator = numerator * v + c[8];
    numerator = numerator * v + c[6];
    numerator = numerator * v + c[4];
    numerator = numerator * v + c[2];
    numerator = numerator * v + c[0];
    Sample denominator = c[11];
    denominator = denominator * v + c[9];
    denominator = denominator * v + c[7];
    denominator = denominator * v + c[5];
    denominator = denominator * v + c[3];
    denominator = denominator * v + c[1];
    denominator = denominator * v + 1.0;
    return numerator / denominator;
}

inline double evaluate(const TubeFit& fit, double v) { return evaluateFit(fit.coefficients, v); }

} // namespace tamzor::dsp
