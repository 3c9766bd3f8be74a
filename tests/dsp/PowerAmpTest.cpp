#include "dsp/PowerAmp.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tamzor::dsp {
namespace {

TEST(PowerAmp, GainsFollowContourAndPowerAmp)
{
    struct Case {
        double contour;
        double powerAmp;
        double makeup;
        double drive;
    };
    const Case cases[] = {
        {0.0, 0.0, 0.0209, 0.1},
        {1.0, 1.0, 0.057784, 1.0},
        {0.5, 0.5, (0.5 * 1.0298 - 0.5 * 0.5 * 0.1077 + 0.5225) * 0.04, 0.55},
    };
    for (const Case& c : cases) {
        const PowerAmpGains gains = powerAmpGains(c.contour, c.powerAmp);
        EXPECT_NEAR(gains.contourMakeup, c.makeup, 1e-15);
        EXPECT_NEAR(gains.powerAmpDrive, c.drive, 1e-15);
    }
    const PowerAmpGains full = powerAmpGains(1.0, 1.0);
    EXPECT_NEAR(full.contourMakeup * full.powerAmpDrive, 0.057784, 1e-15);
    const PowerAmpGains none = powerAmpGains(0.0, 0.0);
    EXPECT_NEAR(none.contourMakeup * none.powerAmpDrive, 0.00209, 1e-15);
}

// A section that passes its input unchanged.
Biquad passThrough()
{
    Biquad s{};
    s.g = 1.0;
    s.b0 = 1.0;
    return s;
}

TEST(PowerAmp, ScalesThenShapes)
{
    const PowerAmpGains gains = powerAmpGains(1.0, 1.0);
    for (double v : {-5000.0, -20.0, -1.0, 0.0, 3.0, 17.3, 5000.0}) {
        Biquad through = passThrough();
        double sample = v;
        processPowerAmp(through, gains, sample);
        EXPECT_EQ(sample, shape((gains.contourMakeup * v) * gains.powerAmpDrive)) << v;
    }
    Biquad through = passThrough();
    double sample = std::nan("");
    processPowerAmp(through, gains, sample);
    EXPECT_EQ(sample, -0.415087843);
}

TEST(PowerAmp, SilenceFromAFreshDcBlockerIsExactlyZero)
{
    Biquad dcBlocker{};
    designHighpass(dcBlocker, 2.0, 0.7, 176400.0);
    const PowerAmpGains gains = powerAmpGains(0.3, 0.8);
    for (int n = 0; n < 10000; ++n) {
        double sample = 0.0;
        processPowerAmp(dcBlocker, gains, sample);
        ASSERT_EQ(sample, 0.0) << "n = " << n;
    }
}

TEST(PowerAmp, ConstantInputDecaysToZero)
{
    constexpr double fs = 88200.0;
    Biquad dcBlocker{};
    designHighpass(dcBlocker, 2.0, 0.7, fs);
    const PowerAmpGains gains = powerAmpGains(1.0, 1.0);
    double sample = 0.0;
    double largest = 0.0;
    for (int n = 0; n < static_cast<int>(5.0 * fs); ++n) {
        sample = 10.0;
        processPowerAmp(dcBlocker, gains, sample);
        largest = std::max(largest, std::abs(sample));
    }
    EXPECT_GT(largest, 0.1);
    EXPECT_LT(std::abs(sample), 1e-9);
}

} // namespace
} // namespace tamzor::dsp
