#include "dsp/ToneStack.h"

#include <cmath>

namespace tamzor::dsp {

void design(ToneStack& stack, double C1, double C2, double C3, double R1, double R2, double R3, double R4,
            double fs)
{
    ToneStack& s = stack;
    s.beta = 2.0 * fs;
    s.beta2 = s.beta * s.beta;
    s.beta3 = s.beta * s.beta * s.beta;

    s.termA1 = C1 * R1 + C1 * R3 + C2 * R3;
    s.termA1k = C2 * R4 + C3 * R4;
    s.termA1m = C3 * R3;
    s.termA1l = C1 * R2 + C2 * R2;

    s.termA2 = C1 * C2 * R1 * R3;
    s.termA2k = C1 * C2 * R1 * R4 + C1 * C2 * R3 * R4 + C1 * C3 * R1 * R4 + C1 * C3 * R3 * R4 + C2 * C3 * R3 * R4;
    s.termA2m = C1 * C3 * R1 * R3 + C1 * C3 * R3 * R3 + C2 * C3 * R3 * R3;
    s.termA2km = C2 * C3 * R3 * R4;
    s.termA2l = C1 * C2 * R1 * R2;
    s.termA2kl = C1 * C2 * R2 * R4 + C1 * C3 * R2 * R4 + C2 * C3 * R2 * R4;
    s.termA2lm = C1 * C3 * R2 * R3 + C2 * C3 * R2 * R3;
    s.termA2mm = C1 * C3 * R3 * R3 + C2 * C3 * R3 * R3;

    s.termA3m = C1 * C2 * C3 * R1 * R3 * R3;
    s.termA3k = C1 * C2 * C3 * R1 * R3 * R4;
    s.termA3lm = C1 * C2 * C3 * R1 * R2 * R3;
    s.termA3mm = C1 * C2 * C3 * R1 * R3 * R3;
    s.termA3km = C1 * C2 * C3 * R3 * R3 * R4 - C1 * C2 * C3 * R1 * R3 * R4;
    s.termA3kl = C1 * C2 * C3 * R1 * R2 * R4;
    s.termA3klm = C1 * C2 * C3 * R2 * R3 * R4;
    s.termA3kmm = C1 * C2 * C3 * R3 * R3 * R4;

    s.termB1t = C1 * R1;
    s.termB1m = C3 * R3;
    s.termB1l = C1 * R2 + C2 * R2;
    s.termB1 = C1 * R3 + C2 * R3;

    s.termB2 = C1 * C2 * R1 * R3;
    s.termB2m = C1 * C3 * R1 * R3 + C1 * C3 * R3 * R3 + C2 * C3 * R3 * R3;
    s.termB2l = C1 * C2 * R1 * R2;
    s.termB2k = C1 * C2 * R3 * R4 + C1 * C3 * R3 * R4;
    s.termB2kt = C1 * C2 * R1 * R4 + C1 * C3 * R1 * R4;
    s.termB2mm = C1 * C3 * R3 * R3 + C2 * C3 * R3 * R3;
    s.termB2kl = C1 * C2 * R2 * R4 + C1 * C3 * R2 * R4;
    s.termB2lm = C1 * C3 * R2 * R3 + C2 * C3 * R2 * R3;

    s.termB3m = C1 * C2 * C3 * R1 * R3 * R3;
    s.termB3lm = C1 * C2 * C3 * R1 * R2 * R3;
    s.termB3mm = C1 * C2 * C3 * R1 * R3 * R3;
    s.termB3km = C1 * C2 * C3 * R3 * R3 * R4;
    s.termB3kt = C1 * C2 * C3 * R1 * R3 * R4;
    s.termB3klm = C1 * C2 * C3 * R2 * R3 * R4;
    s.termB3kmm = C1 * C2 * C3 * R3 * R3 * R4;
    s.termB3kmt = C1 * C2 * C3 * R1 * R3 * R4;
    s.termB3klt = C1 * C2 * C3 * R1 * R2 * R4;

    s.s1 = 0.0;
    s.s2 = 0.0;
    s.s3 = 0.0;
    s.lastLow = toneStackUnsetControl;
    s.lastMid = toneStackUnsetControl;
    s.lastHigh = toneStackUnsetControl;
    s.lastContour = toneStackUnsetControl;
}

void recompute(ToneStack& stack, double low, double mid, double high, double contour)
{
    ToneStack& s = stack;
    s.lastLow = low;
    s.lastMid = mid;
    s.lastHigh = high;
    s.lastContour = contour;

    // Audio taper of the bass potentiometer: 0.0099541 at 0, 0.99541 at 1.
    const double l = std::pow(10.0, 2.0 * (low - 1.001));
    const double m = mid;
    const double t = high;
    const double k = contour;

    const double A1 = s.termA1 + k * s.termA1k + m * s.termA1m + l * s.termA1l;
    const double A2 = s.termA2 + k * s.termA2k + m * s.termA2m - k * m * s.termA2km + l * s.termA2l +
                      k * l * s.termA2kl + l * m * s.termA2lm - m * m * s.termA2mm;
    const double A3 = m * s.termA3m + k * s.termA3k + l * m * s.termA3lm - m * m * s.termA3mm + k * m * s.termA3km +
                      k * l * s.termA3kl + k * l * m * s.termA3klm - k * m * m * s.termA3kmm;
    const double B1 = t * s.termB1t + m * s.termB1m + l * s.termB1l + s.termB1;
    const double B2 = s.termB2 + m * s.termB2m + l * s.termB2l + k * s.termB2k + k * t * s.termB2kt -
                      m * m * s.termB2mm + k * l * s.termB2kl + l * m * s.termB2lm;
    const double B3 = m * s.termB3m + l * m * s.termB3lm - m * m * s.termB3mm + k * m * s.termB3km +
                      k * t * s.termB3kt + k * l * m * s.termB3klm - k * m * m * s.termB3kmm -
                      k * m * t * s.termB3kmt + k * l * t * s.termB3klt;

    const double beta = s.beta;
    const double beta2 = s.beta2;
    const double beta3 = s.beta3;
    const double D = -1.0 - beta * A1 - beta2 * A2 - beta3 * A3;
    const double q = 1.0 / D;
    s.a1 = (-3.0 - beta * A1 + beta2 * A2 + 3.0 * beta3 * A3) * q;
    s.a2 = (-3.0 + beta * A1 + beta2 * A2 - 3.0 * beta3 * A3) * q;
    s.a3 = (-1.0 + beta * A1 - beta2 * A2 + beta3 * A3) * q;
    s.b0 = (-beta * B1 - beta2 * B2 - beta3 * B3) * q;
    s.b1 = (-beta * B1 + beta2 * B2 + 3.0 * beta3 * B3) * q;
    s.b2 = (beta * B1 + beta2 * B2 - 3.0 * beta3 * B3) * q;
    s.b3 = (beta * B1 - beta2 * B2 + beta3 * B3) * q;
}

} // namespace tamzor::dsp
