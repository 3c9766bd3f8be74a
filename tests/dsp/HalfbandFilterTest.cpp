#include "dsp/HalfbandFilter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <span>
#include <vector>

namespace tamzor::dsp {
namespace {

using Complex = std::complex<double>;

// The coefficient sets as the filters hold them, rounded to float.
template <int N>
std::vector<double> asLoaded(const double (&set)[N])
{
    std::vector<double> values;
    for (double c : set) {
        values.push_back(static_cast<double>(static_cast<float>(c)));
    }
    return values;
}

// H(z) = 1/2 (A0(z^2) + z^-1 A1(z^2)) at the higher-rate angle w, where each
// branch is a cascade of (a + z^-2) / (1 + a z^-2).
double analyticMagnitude(const std::vector<double>& coefficients, double w)
{
    const Complex zInv = std::polar(1.0, -w);
    const Complex zInv2 = zInv * zInv;
    Complex branch[2] = {1.0, 1.0};
    for (std::size_t i = 0; i < coefficients.size(); ++i) {
        const double a = coefficients[i];
        branch[i % 2] *= (a + zInv2) / (1.0 + a * zInv2);
    }
    return std::abs(0.5 * (branch[0] + zInv * branch[1]));
}

// Magnitude of a finite impulse response at angle w.
double measuredMagnitude(std::span<const double> h, double w)
{
    Complex sum = 0.0;
    const Complex step = std::polar(1.0, -w);
    Complex z = 1.0;
    for (double v : h) {
        sum += v * z;
        z *= step;
    }
    return std::abs(sum);
}

double decibels(double magnitude) { return 20.0 * std::log10(magnitude); }

// Impulse response of H at the higher rate, read from an up-sampler: its
// outputs, interleaved, are the response of 2 H to a zero-stuffed impulse.
template <int N>
std::vector<double> upsamplerImpulseResponse(const double (&set)[N], int lowerRateSamples)
{
    HalfbandFilter<N> filter{};
    loadCoefficients(filter, set);
    std::vector<double> h;
    for (int n = 0; n < lowerRateSamples; ++n) {
        float earlier;
        float later;
        upsample(filter, n == 0 ? 1.0f : 0.0f, earlier, later);
        h.push_back(0.5 * static_cast<double>(earlier));
        h.push_back(0.5 * static_cast<double>(later));
    }
    return h;
}

// Impulse response of H read from a down-sampler: output n is (H x)[2n + 1].
template <int N>
std::vector<double> downsamplerImpulseResponse(const double (&set)[N], int lowerRateSamples)
{
    std::vector<double> h(2 * static_cast<std::size_t>(lowerRateSamples));
    for (int phase = 0; phase < 2; ++phase) {
        HalfbandFilter<N> filter{};
        loadCoefficients(filter, set);
        for (int n = 0; n < lowerRateSamples; ++n) {
            const bool first = n == 0;
            const float earlier = first && phase == 0 ? 1.0f : 0.0f;
            const float later = first && phase == 1 ? 1.0f : 0.0f;
            const float y = downsample(filter, earlier, later);
            // An impulse at position phase reaches output n as h[2n + 1 - phase].
            h[static_cast<std::size_t>(2 * n + 1 - phase)] = static_cast<double>(y);
        }
    }
    return h;
}

struct Requirement {
    const char* name;
    std::vector<double> coefficients;
    std::vector<double> upResponse;
    std::vector<double> downResponse;
    double stopbandStart;  // fraction of the higher rate's Nyquist frequency
    double stopbandAttenuationDb;
};

std::vector<Requirement> requirements()
{
    constexpr int length = 4096;  // the slowest branch pole decays far below float rounding
    return {
        {"12", asLoaded(halfbandCoefficients12), upsamplerImpulseResponse(halfbandCoefficients12, length),
         downsamplerImpulseResponse(halfbandCoefficients12, length), 0.51, 103.7},
        {"8", asLoaded(halfbandCoefficients8), upsamplerImpulseResponse(halfbandCoefficients8, length),
         downsamplerImpulseResponse(halfbandCoefficients8, length), 0.51, 69.1},
        {"4", asLoaded(halfbandCoefficients4), upsamplerImpulseResponse(halfbandCoefficients4, length),
         downsamplerImpulseResponse(halfbandCoefficients4, length), 0.55, 53.5},
    };
}

TEST(HalfbandFilter, ResponsesMeetPassbandCornerAndStopband)
{
    constexpr int gridPoints = 2000;
    for (const Requirement& r : requirements()) {
        SCOPED_TRACE(r.name);
        double worstPassbandDb = 0.0;
        double weakestStopband[3] = {1e9, 1e9, 1e9};  // analytic, up-sampler, down-sampler
        for (int i = 0; i <= gridPoints; ++i) {
            const double fraction = static_cast<double>(i) / gridPoints;
            const double w = std::numbers::pi * fraction;
            const double magnitudes[3] = {analyticMagnitude(r.coefficients, w), measuredMagnitude(r.upResponse, w),
                                          measuredMagnitude(r.downResponse, w)};
            if (fraction < 0.45) {
                for (double m : magnitudes) {
                    worstPassbandDb = std::max(worstPassbandDb, std::abs(decibels(m)));
                }
            }
            if (fraction >= r.stopbandStart) {
                for (int k = 0; k < 3; ++k) {
                    weakestStopband[k] = std::min(weakestStopband[k], -decibels(magnitudes[k]));
                }
            }
        }
        EXPECT_LT(worstPassbandDb, 1e-4);
        EXPECT_GE(weakestStopband[0], r.stopbandAttenuationDb);
        EXPECT_GE(weakestStopband[1], r.stopbandAttenuationDb);
        EXPECT_GE(weakestStopband[2], r.stopbandAttenuationDb);

        const double half = std::numbers::pi / 2.0;
        EXPECT_NEAR(decibels(analyticMagnitude(r.coefficients, half)), -3.0103, 0.01);
        EXPECT_NEAR(decibels(measuredMagnitude(r.upResponse, half)), -3.0103, 0.01);
        EXPECT_NEAR(decibels(measuredMagnitude(r.downResponse, half)), -3.0103, 0.01);
    }
}

TEST(HalfbandFilter, UpAndDownSamplersRealiseTheSameLowpass)
{
    for (const Requirement& r : requirements()) {
        SCOPED_TRACE(r.name);
        ASSERT_EQ(r.upResponse.size(), r.downResponse.size());
        for (std::size_t n = 0; n < r.upResponse.size(); ++n) {
            ASSERT_NEAR(r.upResponse[n], r.downResponse[n], 1e-6) << "n = " << n;
        }
    }
}

// The products of the even and of the odd coefficients, each step rounded to
// float as the sections do.
template <int N>
void branchProducts(const double (&set)[N], float& even, float& odd)
{
    even = 1.0f;
    odd = 1.0f;
    for (int i = 0; i < N; ++i) {
        (i % 2 == 0 ? even : odd) *= static_cast<float>(set[i]);
    }
}

template <int N>
void checkFirstImpulse(const double (&set)[N])
{
    float even;
    float odd;
    branchProducts(set, even, odd);

    HalfbandFilter<N> up{};
    loadCoefficients(up);
    float earlier;
    float later;
    upsample(up, 1.0f, earlier, later);
    EXPECT_EQ(earlier, even);
    EXPECT_EQ(later, odd);

    HalfbandFilter<N> down{};
    loadCoefficients(down);
    EXPECT_EQ(downsample(down, 1.0f, 0.0f), 0.5f * odd);
    HalfbandFilter<N> downLater{};
    loadCoefficients(downLater);
    EXPECT_EQ(downsample(downLater, 0.0f, 1.0f), 0.5f * even);
}

TEST(HalfbandFilter, FirstImpulseGivesTheBranchProducts)
{
    checkFirstImpulse(halfbandCoefficients12);
    checkFirstImpulse(halfbandCoefficients8);
    checkFirstImpulse(halfbandCoefficients4);
}

template <int N>
void checkConstantSettles(float value)
{
    HalfbandFilter<N> up{};
    HalfbandFilter<N> down{};
    loadCoefficients(up);
    loadCoefficients(down);
    float earlier = 0.0f;
    float later = 0.0f;
    float lower = 0.0f;
    for (int n = 0; n < 3000; ++n) {
        upsample(up, value, earlier, later);
        lower = downsample(down, value, value);
    }
    // Within float rounding of twelve sections at most.
    const float tolerance = 1e-5f * std::abs(value);
    EXPECT_NEAR(earlier, value, tolerance);
    EXPECT_NEAR(later, value, tolerance);
    EXPECT_NEAR(lower, value, tolerance);
}

TEST(HalfbandFilter, ConstantInputSettlesToTheSameConstant)
{
    checkConstantSettles<12>(0.25f);
    checkConstantSettles<8>(-3.0f);
    checkConstantSettles<4>(1.0f);
}

TEST(HalfbandFilter, LoadingCoefficientsKeepsTheStates)
{
    HalfbandFilter<8> filter{};
    loadCoefficients(filter);
    float earlier;
    float later;
    upsample(filter, 0.5f, earlier, later);
    const HalfbandFilter<8> before = filter;

    loadCoefficients(filter);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(filter.inputStates[i], before.inputStates[i]);
        EXPECT_EQ(filter.outputStates[i], before.outputStates[i]);
        EXPECT_EQ(filter.coefficients[i], static_cast<float>(halfbandCoefficients8[i]));
    }
}

TEST(HalfbandFilter, WithoutCoefficientsEachSectionDelaysByOneSample)
{
    HalfbandFilter<4> up{};
    float earlier;
    float later;
    upsample(up, 1.0f, earlier, later);
    EXPECT_EQ(earlier, 0.0f);
    EXPECT_EQ(later, 0.0f);
    upsample(up, 0.0f, earlier, later);
    EXPECT_EQ(earlier, 0.0f);
    upsample(up, 0.0f, earlier, later);  // two sections per branch: two samples late
    EXPECT_EQ(earlier, 1.0f);
    EXPECT_EQ(later, 1.0f);
}

} // namespace
} // namespace tamzor::dsp
