#pragma once

namespace tamzor::dsp {

// Second-order recursive section, direct form I. The coefficients are kept
// unnormalised; g = 1 / a0 scales the whole sum once.
struct Biquad {
    double g;
    double a1;
    double a2;
    double b0;
    double b1;
    double b2;
    double x1;
    double x2;
    double y1;
    double y2;
};

// Input history preset of a high-pass: the output of the power amp curve at
// zero input, which is what the output high-pass receives in silence.
inline constexpr double highpassInputPreset = 0.001348233;

// Low-pass 1 / (s^2 + s/Q + 1) at corner f for the rate fs; clears the history.
void designLowpass(Biquad& section, double f, double Q, double fs);

// Low shelf (s^2 + sqrt(2G) s + G) / (s^2 + s/Q + 1): gain G at low
// frequencies, 1 at high ones; clears the history.
void designLowShelf(Biquad& section, double f, double Q, double G, double fs);

// High-pass s^2 / (s^2 + s/Q + 1); presets the input history to
// highpassInputPreset and clears the output history.
void designHighpass(Biquad& section, double f, double Q, double fs);

// The difference equation on a Biquad, or on a record with the same fields
// holding the section of several sides at once (Sample then being its
// vector type, with the same arithmetic lane by lane).
template <typename Section, typename Sample>
inline Sample biquadStep(Section& section, Sample x)
{
    const Sample y = section.g * (section.b0 * x + section.b1 * section.x1 + section.b2 * section.x2 -
                                  section.a1 * section.y1 - section.a2 * section.y2);
    section.x2 = section.x1;
    section.x1 = x;
    section.y2 = section.y1;
    section.y1 = y;
    return y;
}

// Filters one sample.
inline double process(Biquad& section, double x) { return biquadStep(section, x); }

} // namespace tamzor::dsp
