#include "dsp/TriodeStage.h"
#include "dsp/TubeFit.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>

namespace tamzor::dsp {
namespace {

TEST(TubeFitTest, GivesThePlateVoltageAtCutoffAndAtZeroGrid)
{
    EXPECT_NEAR(evaluate(plsTubeFit, -8.8), 273.7925, 5e-4);
    EXPECT_NEAR(evaluate(mcjTubeFit, -8.8), 278.0887, 5e-4);
    EXPECT_EQ(evaluate(plsTubeFit, 0.0), 91.16591958343261);
    EXPECT_EQ(evaluate(mcjTubeFit, 0.0), 92.5817535389297);
}

struct RestPointCase {
    const char* name;
    double Ck, Rk, Vs, Vp0, Rs, Rl;
    const TubeFit* fit;
    double Vp, Vk, tolerance;
    double firstSilentOutput, outputTolerance;
};

void PrintTo(const RestPointCase& c, std::ostream* os)
{
    *os << c.name;
}

TriodeStage designedAt176400(const RestPointCase& c)
{
    TriodeStage stage{};
    design(stage, 68e3, c.Rk, c.Ck, c.Vs, 100e3, c.Vp0, c.Rs, c.Rl, 22e-9, *c.fit, 176400.0);
    return stage;
}

class TriodeRestPointTest : public ::testing::TestWithParam<RestPointCase> {};

TEST_P(TriodeRestPointTest, LeavesDesignAtItsRestPointAndStartsNearSilence)
{
    const RestPointCase& c = GetParam();
    TriodeStage stage = designedAt176400(c);
    EXPECT_NEAR(stage.Vp, c.Vp, c.tolerance);
    EXPECT_NEAR(stage.Vk, c.Vk, c.tolerance);
    EXPECT_NEAR(stage.Ia, (c.Vs - stage.Vp) / 100e3, 1e-6);  // Ia belongs to the pass before the last plate update
    EXPECT_EQ(stage.Vg, 0.0);
    EXPECT_EQ(stage.Ig, 0.0);
    EXPECT_EQ(stage.y, 0.0);

    double x = 0.0;
    process(stage, x, 176400.0);
    EXPECT_NEAR(x, c.firstSilentOutput, c.outputTolerance);
}

INSTANTIATE_TEST_SUITE_P(
    SixStages, TriodeRestPointTest,
    ::testing::Values(
        RestPointCase{"PlsNormal", 3.3e-4, 820, 273.79, 200, 0, 1e6, &plsTubeFit, 160.7712, 0.92675, 6e-5, -2.87e-3, 0.01e-3},
        RestPointCase{"PlsSecond", 6.8e-7, 820, 273.79, 170, 0, 1e6, &plsTubeFit, 160.7701, 0.92676, 6e-5, -0.684e-3, 0.005e-3},
        RestPointCase{"McjFirst", 6.8e-7, 2.7e3, 278, 213.46, 470e3, 1e6, &mcjTubeFit, 214.1537, 1.72385, 6e-5, 0.0, 1e-8},
        RestPointCase{"McjSecond", 8e-10, 10e3, 278, 251.8, 470e3, 470e3, &mcjTubeFit, 252.410, 2.5590, 6e-4, 0.0, 1e-8},
        RestPointCase{"McjThird", 4e-9, 820, 278, 162.5, 0, 1e6, &mcjTubeFit, 163.066, 0.94246, 6e-4, 43e-6, 2e-6}),
    [](const ::testing::TestParamInfo<RestPointCase>& param) { return std::string(param.param.name); });

TEST(TriodeStageTest, PlsNormalStageRestsAtItsDesignCurrent)
{
    TriodeStage stage{};
    design(stage, 68e3, 820, 3.3e-4, 273.79, 100e3, 200, 0, 1e6, 22e-9, plsTubeFit, 176400.0);
    EXPECT_NEAR(stage.Ia, 1.1302e-3, 5e-8);
    EXPECT_EQ(stage.h, 0.00375 * 68e3 + 1e-20);
    EXPECT_EQ(stage.h2inv, 1.0 / (2.0 * stage.h));
}

TriodeStage mcjThird()
{
    TriodeStage stage{};
    design(stage, 68e3, 820, 4e-9, 278, 100e3, 162.5, 0, 1e6, 22e-9, mcjTubeFit, 176400.0);
    return stage;
}

TEST(TriodeStageTest, GridConductsWithASquareLawAboveTheCathode)
{
    TriodeStage stage = mcjThird();
    const double Vk = stage.Vk;
    double x = Vk + 1.0;
    process(stage, x, 176400.0);
    EXPECT_NEAR(stage.Vg - Vk, 0.060692, 5e-7);
    EXPECT_NEAR(stage.Ig, 13.81e-6, 0.005e-6);
}

TEST(TriodeStageTest, InputAtTheCathodeVoltageDrawsNoGridCurrent)
{
    TriodeStage stage = mcjThird();
    const double Vk = stage.Vk;
    double x = Vk;
    process(stage, x, 176400.0);
    EXPECT_NEAR(stage.Vg, Vk, 1e-12);
    EXPECT_NEAR(stage.Ig, 0.0, 1e-16);
}

TEST(TriodeStageTest, CutoffPutsThePlateAtTheSupplyAboveTheCathode)
{
    TriodeStage stage = mcjThird();
    const double Vk = stage.Vk;
    double x = -20.0;
    process(stage, x, 176400.0);
    EXPECT_EQ(stage.Vp, stage.Vs + Vk);
    EXPECT_NEAR(stage.Ia, -Vk / 100e3, 1e-15);
    EXPECT_GT(x, 100.0);  // the plate jumps up by about the supply minus its rest voltage
}

TEST(TriodeStageTest, NegativeCathodeUpdateIsClampedToExactlyZero)
{
    // A tiny bypass capacitor at a low rate lets the cut-off plate current
    // pull the cathode below zero in one step.
    TriodeStage stage{};
    design(stage, 68e3, 820, 1e-12, 278, 100e3, 162.5, 0, 1e6, 22e-9, mcjTubeFit, 1000.0);
    double x = -50.0;
    process(stage, x, 1000.0);
    EXPECT_EQ(stage.Vk, 0.0);
    EXPECT_FALSE(std::signbit(stage.Vk));
}

TEST(TriodeStageTest, InvertsAndRecoversFromSilence)
{
    TriodeStage stage = mcjThird();
    for (int i = 0; i < 2000; ++i) {
        double x = 0.0;
        process(stage, x, 176400.0);
    }
    double up = 0.1;
    process(stage, up, 176400.0);
    EXPECT_LT(up, -0.5);  // a rising grid lowers the plate with a gain of several times
}

TEST(TriodeStageTest, RateRefreshChangesOnlyTheTwoRateCoefficients)
{
    TriodeStage stage = mcjThird();
    double x = 0.3;
    process(stage, x, 176400.0);
    TriodeStage before = stage;
    refreshRate(stage, 1.0 / 352800.0);
    EXPECT_NE(stage.kk, before.kk);
    EXPECT_NE(stage.kc, before.kc);
    before.kk = stage.kk;
    before.kc = stage.kc;
    EXPECT_EQ(std::memcmp(&before, &stage, sizeof stage), 0);

    // Designing at a rate gives the same coefficients as refreshing to it.
    TriodeStage designed{};
    design(designed, 68e3, 820, 4e-9, 278, 100e3, 162.5, 0, 1e6, 22e-9, mcjTubeFit, 352800.0);
    EXPECT_EQ(designed.kk, stage.kk);
    EXPECT_EQ(designed.kc, stage.kc);
    EXPECT_EQ(stage.kk, 820.0 / 352800.0 / (4e-9 * 820.0 + 1.0 / 352800.0));
}

} // namespace
} // namespace tamzor::dsp
