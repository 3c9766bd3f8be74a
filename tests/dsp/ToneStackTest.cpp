#include "dsp/ToneStack.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>

namespace tamzor::dsp {
namespace {

using Complex = std::complex<double>;

constexpr double C1 = 4.7e-10;
constexpr double C2 = 22e-9;
constexpr double C3 = 22e-9;
constexpr double R1 = 250e3;
constexpr double R2 = 1e6;
constexpr double R3 = 25e3;
constexpr double R4 = 66e3;

struct Controls {
    double low;
    double mid;
    double high;
    double contour;
};

// The network's analog transfer function, written out from the components.
Complex analogResponse(const Controls& c, Complex s)
{
    const double l = std::pow(10.0, 2.0 * (c.low - 1.001));
    const double m = c.mid;
    const double t = c.high;
    const double k = c.contour;
    const double A1 = (C1 * R1 + C1 * R3 + C2 * R3) + k * (C2 * R4 + C3 * R4) + m * C3 * R3 + l * (C1 * R2 + C2 * R2);
    const double A2 = C1 * C2 * R1 * R3 +
                      k * (C1 * C2 * R1 * R4 + C1 * C2 * R3 * R4 + C1 * C3 * R1 * R4 + C1 * C3 * R3 * R4 +
                           C2 * C3 * R3 * R4) +
                      m * (C1 * C3 * R1 * R3 + C1 * C3 * R3 * R3 + C2 * C3 * R3 * R3) - k * m * C2 * C3 * R3 * R4 +
                      l * C1 * C2 * R1 * R2 + k * l * (C1 * C2 * R2 * R4 + C1 * C3 * R2 * R4 + C2 * C3 * R2 * R4) +
                      l * m * (C1 * C3 * R2 * R3 + C2 * C3 * R2 * R3) - m * m * (C1 * C3 * R3 * R3 + C2 * C3 * R3 * R3);
    const double C123 = C1 * C2 * C3;
    const double A3 = m * C123 * R1 * R3 * R3 + k * C123 * R1 * R3 * R4 + l * m * C123 * R1 * R2 * R3 -
                      m * m * C123 * R1 * R3 * R3 + k * m * (C123 * R3 * R3 * R4 - C123 * R1 * R3 * R4) +
                      k * l * C123 * R1 * R2 * R4 + k * l * m * C123 * R2 * R3 * R4 - k * m * m * C123 * R3 * R3 * R4;
    const double B1 = t * C1 * R1 + m * C3 * R3 + l * (C1 * R2 + C2 * R2) + (C1 * R3 + C2 * R3);
    const double B2 = C1 * C2 * R1 * R3 + m * (C1 * C3 * R1 * R3 + C1 * C3 * R3 * R3 + C2 * C3 * R3 * R3) +
                      l * C1 * C2 * R1 * R2 + k * (C1 * C2 * R3 * R4 + C1 * C3 * R3 * R4) +
                      k * t * (C1 * C2 * R1 * R4 + C1 * C3 * R1 * R4) - m * m * (C1 * C3 * R3 * R3 + C2 * C3 * R3 * R3) +
                      k * l * (C1 * C2 * R2 * R4 + C1 * C3 * R2 * R4) + l * m * (C1 * C3 * R2 * R3 + C2 * C3 * R2 * R3);
    const double B3 = m * C123 * R1 * R3 * R3 + l * m * C123 * R1 * R2 * R3 - m * m * C123 * R1 * R3 * R3 +
                      k * m * C123 * R3 * R3 * R4 + k * t * C123 * R1 * R3 * R4 + k * l * m * C123 * R2 * R3 * R4 -
                      k * m * m * C123 * R3 * R3 * R4 - k * m * t * C123 * R1 * R3 * R4 + k * l * t * C123 * R1 * R2 * R4;
    return (B1 * s + B2 * s * s + B3 * s * s * s) / (1.0 + A1 * s + A2 * s * s + A3 * s * s * s);
}

// The analog response at the point the bilinear transform (2 fs, no
// prewarping) maps the digital angle w to.
Complex bilinearAnalogResponse(const Controls& c, double w, double fs)
{
    return analogResponse(c, Complex(0.0, 2.0 * fs * std::tan(w / 2.0)));
}

Complex digitalResponse(const ToneStack& stack, double w)
{
    const Complex z = std::polar(1.0, -w);
    const Complex numerator = stack.b0 + z * (stack.b1 + z * (stack.b2 + z * stack.b3));
    const Complex denominator = 1.0 + z * (stack.a1 + z * (stack.a2 + z * stack.a3));
    return numerator / denominator;
}

ToneStack designed(double fs)
{
    ToneStack stack{};
    design(stack, C1, C2, C3, R1, R2, R3, R4, fs);
    return stack;
}

void applyControls(ToneStack& stack, const Controls& c)
{
    double x = 0.0;
    process(stack, c.low, c.mid, c.high, c.contour, x);
}

double decibels(Complex h) { return 20.0 * std::log10(std::abs(h)); }

TEST(ToneStack, GainAtReferenceSettings)
{
    constexpr double fs = 176400.0;
    struct Row {
        double contour;
        double frequency;
        double gainDb;
    };
    const Row rows[] = {
        {1.0, 100.0, -5.804}, {1.0, 1000.0, -8.908}, {1.0, 10000.0, -4.566},
        {0.0, 100.0, -0.336}, {0.0, 1000.0, 0.213},  {0.0, 10000.0, 0.002},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << "contour " << row.contour << ", " << row.frequency << " Hz");
        const Controls controls{0.5, 0.5, 0.5, row.contour};
        ToneStack stack = designed(fs);
        applyControls(stack, controls);
        const double w = 2.0 * std::numbers::pi * row.frequency / fs;
        EXPECT_NEAR(decibels(digitalResponse(stack, w)), row.gainDb, 0.0006);
        EXPECT_NEAR(decibels(bilinearAnalogResponse(controls, w, fs)), row.gainDb, 0.0006);
    }
}

TEST(ToneStack, CoefficientsAreTheBilinearImageOfTheNetwork)
{
    const Controls settings[] = {
        {0.5, 0.5, 0.5, 1.0}, {0.0, 0.0, 0.0, 0.0}, {1.0, 1.0, 1.0, 1.0},
        {0.2, 0.9, 0.1, 0.4}, {0.8, 0.05, 0.7, 0.0}, {0.3, 0.6, 1.0, 0.75},
    };
    for (double fs : {88200.0, 176400.0, 384000.0}) {
        for (const Controls& c : settings) {
            SCOPED_TRACE(::testing::Message() << fs << " Hz: " << c.low << ' ' << c.mid << ' ' << c.high << ' '
                                              << c.contour);
            ToneStack stack = designed(fs);
            applyControls(stack, c);
            for (double frequency : {20.0, 150.0, 700.0, 3000.0, 12000.0, 20000.0}) {
                const double w = 2.0 * std::numbers::pi * frequency / fs;
                const Complex expected = bilinearAnalogResponse(c, w, fs);
                const Complex actual = digitalResponse(stack, w);
                EXPECT_NEAR(std::abs(actual - expected), 0.0, 1e-6 * std::abs(expected));
            }
        }
    }
}

TEST(ToneStack, ProcessRealisesTheResponse)
{
    constexpr double fs = 176400.0;
    const Controls c{0.5, 0.5, 0.5, 1.0};
    ToneStack stack = designed(fs);
    const double frequencies[] = {100.0, 1000.0, 10000.0};
    Complex sums[3] = {};
    for (int n = 0; n < (1 << 19); ++n) {
        double x = n == 0 ? 1.0 : 0.0;
        process(stack, c.low, c.mid, c.high, c.contour, x);
        for (int i = 0; i < 3; ++i) {
            sums[i] += x * std::polar(1.0, -2.0 * std::numbers::pi * frequencies[i] / fs * n);
        }
    }
    for (int i = 0; i < 3; ++i) {
        const Complex expected = digitalResponse(stack, 2.0 * std::numbers::pi * frequencies[i] / fs);
        EXPECT_NEAR(std::abs(sums[i] - expected), 0.0, 1e-9) << frequencies[i] << " Hz";
    }
}

TEST(ToneStack, PassesNothingAtZeroFrequency)
{
    ToneStack stack = designed(176400.0);
    applyControls(stack, {0.7, 0.3, 0.9, 0.6});
    EXPECT_NEAR(stack.b0 + stack.b1 + stack.b2 + stack.b3, 0.0, 1e-12);
    double y = 1.0;
    for (int n = 0; n < 2000000; ++n) {
        y = 1.0;
        process(stack, 0.7, 0.3, 0.9, 0.6, y);
    }
    EXPECT_NEAR(y, 0.0, 1e-6);
}

TEST(ToneStack, RecomputesOnlyWhenAControlDiffers)
{
    ToneStack stack = designed(176400.0);
    EXPECT_EQ(stack.lastLow, toneStackUnsetControl);
    EXPECT_EQ(stack.lastContour, toneStackUnsetControl);

    applyControls(stack, {0.5, 0.5, 0.5, 0.5});
    const double b0 = stack.b0;
    EXPECT_EQ(stack.lastLow, 0.5);

    // A marker in a coefficient survives as long as nothing is recomputed.
    stack.b0 = 123.0;
    applyControls(stack, {0.5, 0.5, 0.5, 0.5});
    EXPECT_EQ(stack.b0, 123.0);

    const Controls changes[] = {{0.6, 0.5, 0.5, 0.5}, {0.5, 0.6, 0.5, 0.5}, {0.5, 0.5, 0.6, 0.5}, {0.5, 0.5, 0.5, 0.6}};
    for (const Controls& c : changes) {
        applyControls(stack, {0.5, 0.5, 0.5, 0.5});
        stack.b0 = 123.0;
        applyControls(stack, c);
        EXPECT_NE(stack.b0, 123.0);
    }

    // A value that is not a number differs even from itself.
    applyControls(stack, {std::nan(""), 0.5, 0.5, 0.5});
    stack.b0 = 123.0;
    applyControls(stack, {std::nan(""), 0.5, 0.5, 0.5});
    EXPECT_NE(stack.b0, 123.0);

    // A new design recomputes on the next sample with unchanged controls.
    applyControls(stack, {0.5, 0.5, 0.5, 0.5});
    design(stack, C1, C2, C3, R1, R2, R3, R4, 176400.0);
    stack.b0 = 123.0;
    applyControls(stack, {0.5, 0.5, 0.5, 0.5});
    EXPECT_EQ(stack.b0, b0);
}

TEST(ToneStack, UpdatingOncePerBlockFiltersLikeProcessingEverySample)
{
    ToneStack perSample = designed(176400.0);
    ToneStack perBlock = designed(176400.0);
    const Controls blocks[] = {{0.5, 0.5, 0.5, 1.0}, {0.5, 0.5, 0.5, 1.0}, {0.1, 0.8, 0.3, 0.0}};
    int n = 0;
    for (const Controls& c : blocks) {
        updateControls(perBlock, c.low, c.mid, c.high, c.contour);
        for (int i = 0; i < 64; ++i, ++n) {
            const double input = std::sin(0.01 * n) + (n % 7 == 0 ? 0.5 : 0.0);
            double a = input;
            double b = input;
            process(perSample, c.low, c.mid, c.high, c.contour, a);
            filter(perBlock, b);
            ASSERT_EQ(a, b) << "n = " << n;
        }
    }
}

TEST(ToneStack, DesignClearsTheState)
{
    ToneStack stack = designed(176400.0);
    for (int n = 0; n < 10; ++n) {
        double x = 1.0;
        process(stack, 0.5, 0.5, 0.5, 0.5, x);
    }
    EXPECT_NE(stack.s1, 0.0);
    design(stack, C1, C2, C3, R1, R2, R3, R4, 176400.0);
    EXPECT_EQ(stack.s1, 0.0);
    EXPECT_EQ(stack.s2, 0.0);
    EXPECT_EQ(stack.s3, 0.0);
}

} // namespace
} // namespace tamzor::dsp
