#include "dsp/AmpEngine.h"
#include "dsp/RateConfiguration.h"

#include "EngineRender.h"
#include "PluckedString.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace tamzor::dsp {
namespace {

struct FactorCase {
    float rate;
    int highQuality;
    int factor;
    double oversampledRate;
};

class OversamplingFactorTest : public ::testing::TestWithParam<FactorCase> {};

TEST_P(OversamplingFactorTest, FollowsTheRateAndQualityTable)
{
    const FactorCase& c = GetParam();
    const RateConfiguration configuration = makeRateConfiguration(c.rate, c.highQuality);
    EXPECT_EQ(configuration.oversamplingFactor, c.factor);
    EXPECT_EQ(configuration.sampleRate, c.rate);
    EXPECT_EQ(configuration.samplePeriod, 1.0 / (static_cast<double>(c.factor) * static_cast<double>(c.rate)));
    EXPECT_EQ(configuration.oversampledRate, 1.0 / configuration.samplePeriod);
    EXPECT_NEAR(configuration.oversampledRate, c.oversampledRate, 1e-6);

    AmpEngine engine;
    engine.postConfiguration(c.rate, c.highQuality);
    EXPECT_TRUE(engine.applyPendingConfiguration());
    EXPECT_EQ(engine.oversamplingFactor(), c.factor);
    EXPECT_EQ(engine.sampleRate(), c.rate);
    EXPECT_EQ(engine.samplePeriod(), configuration.samplePeriod);
    EXPECT_EQ(engine.oversampledRate(), configuration.oversampledRate);
}

INSTANTIATE_TEST_SUITE_P(Rates, OversamplingFactorTest,
                         ::testing::Values(FactorCase{44100.0f, 0, 4, 176400.0}, FactorCase{44100.0f, 1, 8, 352800.0},
                                           FactorCase{48000.0f, 1, 8, 384000.0}, FactorCase{50000.0f, 0, 2, 100000.0},
                                           FactorCase{50000.0f, 1, 4, 200000.0}, FactorCase{49999.0f, 0, 4, 199996.0},
                                           FactorCase{49999.0f, 1, 8, 399992.0}, FactorCase{96000.0f, 0, 2, 192000.0},
                                           FactorCase{192000.0f, 1, 4, 768000.0}));

TEST(RateConfigurationTest, NewEngineRunsAt44100LowQWithDesignedStages)
{
    AmpEngine engine;
    EXPECT_EQ(engine.sampleRate(), 44100.0f);
    EXPECT_EQ(engine.highQuality(), 0);
    EXPECT_EQ(engine.oversamplingFactor(), 4);
    EXPECT_EQ(engine.oversampledRate(), 176400.0);
    EXPECT_FALSE(engine.applyPendingConfiguration());
    EXPECT_NEAR(engine.leftChain.triodes[plsNormalStage].Vp, 160.7712, 6e-5);
    EXPECT_NEAR(engine.rightChain.triodes[mcjFirstStage].Vk, 1.72385, 6e-6);
    EXPECT_EQ(std::memcmp(engine.leftChain.triodes, engine.rightChain.triodes, sizeof engine.leftChain.triodes), 0);
    EXPECT_EQ(engine.leftChain.dcBlocker.x1, 0.001348233);
    EXPECT_EQ(engine.leftChain.upStage1.coefficients[0], static_cast<float>(0.036681502163648017));
    EXPECT_EQ(engine.leftChain.upStage1.inputStates[0], 0.0f);
}

TEST(RateConfigurationTest, RateThatIsNotANumberKeepsFactorTwo)
{
    EXPECT_EQ(chooseOversamplingFactor(std::numeric_limits<float>::quiet_NaN(), 0), 2);
    EXPECT_EQ(chooseOversamplingFactor(std::numeric_limits<float>::quiet_NaN(), 1), 4);
}

TEST(RateConfigurationTest, EngineIgnoresUnusableRates)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (float rate : {0.0f, -0.0f, -44100.0f, nan, inf, -inf, 2e7f}) {
        EXPECT_FALSE(AmpEngine::isUsableRate(static_cast<double>(rate))) << rate;
        AmpEngine engine;
        engine.postConfiguration(rate, 1);
        EXPECT_FALSE(engine.applyPendingConfiguration()) << rate;
        EXPECT_EQ(engine.sampleRate(), 44100.0f);
        EXPECT_EQ(engine.oversamplingFactor(), 4);
    }
    for (double rate : {1.0, 8000.0, 44100.0, 1e7}) {
        EXPECT_TRUE(AmpEngine::isUsableRate(rate)) << rate;
    }
}

TEST(RateConfigurationTest, CornersStayBelowHalfTheOversampledRate)
{
    EXPECT_EQ(designCorner(10000.0, 176400.0), 10000.0);
    EXPECT_EQ(designCorner(10000.0, 22224.0), 10000.0);  // 5556 Hz at LowQ still designs the real corner
    EXPECT_EQ(designCorner(10000.0, 16000.0), 0.45 * 16000.0);
    EXPECT_EQ(designCorner(2.0, 4.0), 0.45 * 4.0);
}

TEST(RateConfigurationTest, VeryLowHostRatesStillGiveAStableFiniteModel)
{
    for (float rate : {4000.0f, 1000.0f, 100.0f, 1.0f}) {
        for (int highQuality : {0, 1}) {
            AmpEngine engine;
            engine.postConfiguration(rate, highQuality);
            ASSERT_TRUE(engine.applyPendingConfiguration());
            auto controls = testsignal::defaultControls();
            controls.stereoMode = 1;
            controls.channelSelect = highQuality;  // both channels between the cases
            const auto signal = testsignal::pluckedString(static_cast<double>(std::max(rate, 1000.0f)), 2.0);
            const auto out = testsignal::render(engine, signal, controls);
            for (std::size_t n = 0; n < out.left.size(); ++n) {
                ASSERT_TRUE(std::isfinite(out.left[n]) && std::fabs(out.left[n]) < 10.0f) << rate << " " << n;
            }
        }
    }
}

TEST(RateConfigurationTest, EveryPostReconfiguresEvenWithUnchangedValues)
{
    AmpEngine engine;
    const auto signal = testsignal::pluckedString(44100.0, 0.2);
    testsignal::render(engine, signal, testsignal::defaultControls());

    const AmpChain before = engine.leftChain;
    engine.postConfiguration(44100.0f, 0);
    ASSERT_TRUE(engine.applyPendingConfiguration());
    EXPECT_FALSE(engine.applyPendingConfiguration());
    const AmpChain& after = engine.leftChain;

    for (const Biquad& section : after.preampFilters) {
        EXPECT_EQ(section.x1, 0.0);
        EXPECT_EQ(section.y1, 0.0);
    }
    EXPECT_EQ(after.dcBlocker.x1, 0.001348233);
    EXPECT_EQ(after.dcBlocker.x2, 0.001348233);
    EXPECT_EQ(after.dcBlocker.y1, 0.0);
    // Triode stages and half-band filters run on.
    EXPECT_EQ(std::memcmp(before.triodes, after.triodes, sizeof before.triodes), 0);
    EXPECT_EQ(std::memcmp(&before.upStage1, &after.upStage1, sizeof before.upStage1), 0);
    EXPECT_EQ(std::memcmp(&before.downStage3, &after.downStage3, sizeof before.downStage3), 0);
}

std::vector<float> silenceLike(const std::vector<float>& signal)
{
    return std::vector<float>(signal.size(), 0.0f);
}

TEST(RateConfigurationTest, RateChangeTouchesOnlyTheTriodeRateCoefficients)
{
    AmpEngine engine;
    const auto signal = testsignal::pluckedString(44100.0, 0.2);
    auto controls = testsignal::defaultControls();
    controls.stereoMode = 1;
    testsignal::render(engine, signal, silenceLike(signal), controls);
    const AmpChain before = engine.leftChain;
    const AmpChain beforeRight = engine.rightChain;

    engine.postConfiguration(96000.0f, 1);
    ASSERT_TRUE(engine.applyPendingConfiguration());
    EXPECT_EQ(engine.oversamplingFactor(), 4);
    for (int i = 0; i < 6; ++i) {
        TriodeStage expected = before.triodes[i];
        refreshRate(expected, 1.0 / engine.oversampledRate());
        EXPECT_NE(expected.kk, before.triodes[i].kk);
        EXPECT_EQ(std::memcmp(&expected, &engine.leftChain.triodes[i], sizeof expected), 0) << i;
        TriodeStage expectedRight = beforeRight.triodes[i];
        refreshRate(expectedRight, 1.0 / engine.oversampledRate());
        EXPECT_EQ(std::memcmp(&expectedRight, &engine.rightChain.triodes[i], sizeof expected), 0) << i;
    }
}

TEST(RateConfigurationTest, StageUnusedAtTheNewFactorKeepsItsStateUntilItIsBack)
{
    AmpEngine engine;
    engine.postConfiguration(44100.0f, 1);
    const auto signal = testsignal::pluckedString(44100.0, 0.2);
    auto controls = testsignal::defaultControls();
    controls.stereoMode = 1;
    testsignal::render(engine, signal, controls);
    ASSERT_EQ(engine.oversamplingFactor(), 8);
    const AmpChain atEight = engine.leftChain;

    // Another signal, so every stage that runs ends in another state.
    const auto other = testsignal::pluckedString(44100.0, 0.2, 0.5, 99u);
    engine.postConfiguration(44100.0f, 0);
    testsignal::render(engine, other, controls);
    ASSERT_EQ(engine.oversamplingFactor(), 4);
    EXPECT_EQ(std::memcmp(&atEight.upStage3, &engine.leftChain.upStage3, sizeof atEight.upStage3), 0);
    EXPECT_EQ(std::memcmp(&atEight.downStage3, &engine.leftChain.downStage3, sizeof atEight.downStage3), 0);
    EXPECT_NE(std::memcmp(&atEight.upStage2, &engine.leftChain.upStage2, sizeof atEight.upStage2), 0);

    engine.postConfiguration(44100.0f, 1);
    testsignal::render(engine, other, controls);
    EXPECT_NE(std::memcmp(&atEight.upStage3, &engine.leftChain.upStage3, sizeof atEight.upStage3), 0);
}

TEST(RateConfigurationTest, LatestOfSeveralPostsWins)
{
    AmpEngine engine;
    engine.postConfiguration(48000.0f, 1);
    engine.postConfiguration(0.0f, 0);  // ignored
    engine.postConfiguration(96000.0f, 0);
    EXPECT_EQ(engine.postedConfiguration().sampleRate, 96000.0f);
    EXPECT_EQ(engine.postedConfiguration().oversamplingFactor, 2);
    EXPECT_EQ(engine.oversamplingFactor(), 4);  // not applied yet
    EXPECT_TRUE(engine.applyPendingConfiguration());
    EXPECT_EQ(engine.sampleRate(), 96000.0f);
    EXPECT_EQ(engine.highQuality(), 0);
    EXPECT_EQ(engine.oversamplingFactor(), 2);
    EXPECT_FALSE(engine.applyPendingConfiguration());
}

} // namespace
} // namespace tamzor::dsp
