#include "dsp/Biquad.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <functional>
#include <numbers>
#include <vector>

namespace tamzor::dsp {
namespace {

using Complex = std::complex<double>;

// Response of the stored coefficients at the angle w: a0 is 1 / g.
Complex digitalResponse(const Biquad& s, double w)
{
    const Complex zInv = std::polar(1.0, -w);
    const Complex numerator = s.b0 + s.b1 * zInv + s.b2 * zInv * zInv;
    const Complex denominator = 1.0 / s.g + s.a1 * zInv + s.a2 * zInv * zInv;
    return numerator / denominator;
}

// Response measured from process: the DFT of the impulse response.
Complex measuredResponse(Biquad s, double w, int length)
{
    s.x1 = s.x2 = s.y1 = s.y2 = 0.0;
    Complex sum = 0.0;
    for (int n = 0; n < length; ++n) {
        sum += process(s, n == 0 ? 1.0 : 0.0) * std::polar(1.0, -w * n);
    }
    return sum;
}

struct Case {
    const char* name;
    double f;
    double Q;
    double fs;
    std::function<void(Biquad&)> design;
    // Analog prototype with s normalised to 2 pi f.
    std::function<Complex(Complex)> prototype;
};

Complex lowpassPrototype(Complex s, double Q) { return 1.0 / (s * s + s / Q + 1.0); }
Complex shelfPrototype(Complex s, double Q, double G) { return (s * s + std::sqrt(2.0 * G) * s + G) / (s * s + s / Q + 1.0); }
Complex highpassPrototype(Complex s, double Q) { return s * s / (s * s + s / Q + 1.0); }

std::vector<Case> cases()
{
    std::vector<Case> list;
    auto lowpass = [&](const char* name, double f, double Q, double fs) {
        list.push_back({name, f, Q, fs, [=](Biquad& s) { designLowpass(s, f, Q, fs); },
                        [=](Complex p) { return lowpassPrototype(p, Q); }});
    };
    auto shelf = [&](const char* name, double f, double Q, double G, double fs) {
        list.push_back({name, f, Q, fs, [=](Biquad& s) { designLowShelf(s, f, Q, G, fs); },
                        [=](Complex p) { return shelfPrototype(p, Q, G); }});
    };
    auto highpass = [&](const char* name, double f, double Q, double fs) {
        list.push_back({name, f, Q, fs, [=](Biquad& s) { designHighpass(s, f, Q, fs); },
                        [=](Complex p) { return highpassPrototype(p, Q); }});
    };
    lowpass("lowpass 10 kHz at 176.4 kHz", 10000.0, 0.7, 176400.0);
    lowpass("lowpass 6 kHz at 96 kHz", 6000.0, 0.5, 96000.0);
    shelf("shelf 1 kHz, 0.3", 1000.0, 0.7, 0.3, 176400.0);
    shelf("shelf 150 Hz, 0.68", 150.0, 0.7, 0.68, 88200.0);
    shelf("shelf 720 Hz, 0.5", 720.0, 0.5, 0.5, 384000.0);
    highpass("highpass 2 Hz", 2.0, 0.7, 176400.0);
    highpass("highpass 500 Hz", 500.0, 1.2, 44100.0);
    return list;
}

// The bilinear transform with the corner prewarped maps the angle w to the
// normalised analog frequency tan(w / 2) / tan(pi f / fs).
Complex prewarpedAnalogPoint(double w, double f, double fs)
{
    return Complex(0.0, std::tan(w / 2.0) / std::tan(std::numbers::pi * f / fs));
}

TEST(Biquad, DesignsMatchTheirAnalogPrototypesThroughTheBilinearTransform)
{
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.name);
        Biquad s{};
        c.design(s);
        for (double fraction : {0.001, 0.01, 0.05, 0.1, 0.2, 0.3, 0.45, 0.49}) {
            const double w = 2.0 * std::numbers::pi * fraction;
            const Complex expected = c.prototype(prewarpedAnalogPoint(w, c.f, c.fs));
            const Complex actual = digitalResponse(s, w);
            EXPECT_NEAR(actual.real(), expected.real(), 1e-9 * (1.0 + std::abs(expected)));
            EXPECT_NEAR(actual.imag(), expected.imag(), 1e-9 * (1.0 + std::abs(expected)));
        }
        // The corner itself lands exactly on s = j.
        const double corner = 2.0 * std::numbers::pi * c.f / c.fs;
        EXPECT_NEAR(std::abs(digitalResponse(s, corner)), std::abs(c.prototype(Complex(0.0, 1.0))), 1e-8);
    }
}

TEST(Biquad, ProcessRealisesTheDesignedResponse)
{
    for (const Case& c : cases()) {
        if (c.f < 100.0) {
            continue;  // the 2 Hz section rings far longer than a short impulse response
        }
        SCOPED_TRACE(c.name);
        Biquad s{};
        c.design(s);
        for (double fraction : {0.002, 0.05, 0.25, 0.45}) {
            const double w = 2.0 * std::numbers::pi * fraction;
            const Complex expected = digitalResponse(s, w);
            const Complex actual = measuredResponse(s, w, 20000);
            EXPECT_NEAR(actual.real(), expected.real(), 1e-9);
            EXPECT_NEAR(actual.imag(), expected.imag(), 1e-9);
        }
    }
}

TEST(Biquad, GainsAtZeroAndAtHalfTheRate)
{
    Biquad lowpass{};
    designLowpass(lowpass, 10000.0, 0.7, 176400.0);
    const double a0 = 1.0 / lowpass.g;
    EXPECT_NEAR(lowpass.b0 + lowpass.b1 + lowpass.b2, a0 + lowpass.a1 + lowpass.a2, 1e-15);
    EXPECT_NEAR(lowpass.b0 - lowpass.b1 + lowpass.b2, 0.0, 1e-15);

    Biquad shelf{};
    designLowShelf(shelf, 1000.0, 0.7, 0.3, 176400.0);
    const double shelfA0 = 1.0 / shelf.g;
    const double K = std::tan(std::numbers::pi * 1000.0 / 176400.0);
    EXPECT_NEAR(shelf.b0 + shelf.b1 + shelf.b2, 4.0 * 0.3 * K * K, 1e-15);
    EXPECT_NEAR(shelfA0 + shelf.a1 + shelf.a2, 4.0 * K * K, 1e-15);
    EXPECT_NEAR(shelf.b0 - shelf.b1 + shelf.b2, 4.0, 1e-14);
    EXPECT_NEAR(shelfA0 - shelf.a1 + shelf.a2, 4.0, 1e-14);

    Biquad highpass{};
    designHighpass(highpass, 2.0, 0.7, 88200.0);
    EXPECT_EQ(highpass.b0 + highpass.b1 + highpass.b2, 0.0);
}

TEST(Biquad, HighpassStartsSilentOnItsPresetInput)
{
    Biquad highpass{};
    highpass.y1 = 5.0;
    designHighpass(highpass, 2.0, 0.7, 176400.0);
    EXPECT_EQ(highpass.x1, highpassInputPreset);
    EXPECT_EQ(highpass.x2, highpassInputPreset);
    EXPECT_EQ(highpass.y1, 0.0);
    EXPECT_EQ(highpass.y2, 0.0);
    for (int n = 0; n < 1000; ++n) {
        ASSERT_EQ(process(highpass, 0.001348233), 0.0) << "n = " << n;
    }
}

TEST(Biquad, DesignClearsTheHistoryOfLowpassAndShelf)
{
    Biquad lowpass{};
    designLowpass(lowpass, 10000.0, 0.7, 176400.0);
    process(lowpass, 1.0);
    process(lowpass, -2.0);
    designLowpass(lowpass, 10000.0, 0.7, 176400.0);
    EXPECT_EQ(lowpass.x1, 0.0);
    EXPECT_EQ(lowpass.x2, 0.0);
    EXPECT_EQ(lowpass.y1, 0.0);
    EXPECT_EQ(lowpass.y2, 0.0);

    Biquad shelf{};
    designLowShelf(shelf, 150.0, 0.7, 0.68, 176400.0);
    process(shelf, 1.0);
    designLowShelf(shelf, 150.0, 0.7, 0.68, 176400.0);
    EXPECT_EQ(shelf.x1, 0.0);
    EXPECT_EQ(shelf.y1, 0.0);
}

} // namespace
} // namespace tamzor::dsp
