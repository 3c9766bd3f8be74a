#include "dsp/Biquad.h"

#include <cmath>
#include <numbers>

namespace tamzor::dsp {

namespace {

// Bilinear transform with the corner prewarped: K = tan(pi f / fs), and the
// denominator shared by every kind of section.
double designDenominator(Biquad& section, double f, double Q, double fs)
{
    const double K = std::tan(std::numbers::pi * f / fs);
    const double K2 = K * K;
    const double a0 = 1.0 + K / Q + K2;
    section.a1 = 2.0 * (K2 - 1.0);
    section.a2 = 1.0 - K / Q + K2;
    section.g = 1.0 / a0;
    return K;
}

void setHistory(Biquad& section, double x, double y)
{
    section.x1 = x;
    section.x2 = x;
    section.y1 = y;
    section.y2 = y;
}

} // namespace

void designLowpass(Biquad& section, double f, double Q, double fs)
{
    const double K = designDenominator(section, f, Q, fs);
    const double K2 = K * K;
    section.b0 = K2;
    section.b1 = 2.0 * K2;
    section.b2 = K2;
    setHistory(section, 0.0, 0.0);
}

void designLowShelf(Biquad& section, double f, double Q, double G, double fs)
{
    const double K = designDenominator(section, f, Q, fs);
    const double K2 = K * K;
    const double root = std::sqrt(2.0 * G);
    section.b0 = 1.0 + root * K + G * K2;
    section.b1 = 2.0 * (G * K2 - 1.0);
    section.b2 = 1.0 - root * K + G * K2;
    setHistory(section, 0.0, 0.0);
}

void designHighpass(Biquad& section, double f, double Q, double fs)
{
    designDenominator(section, f, Q, fs);
    section.b0 = 1.0;
    section.b1 = -2.0;
    section.b2 = 1.0;
    setHistory(section, highpassInputPreset, 0.0);
}

} // namespace tamzor::dsp
