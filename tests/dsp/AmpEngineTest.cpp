#include "dsp/AmpEngine.h"
#include "dsp/ProcessingLoop.h"

#include "EngineRender.h"
#include "PluckedString.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace tamzor::dsp {
namespace {

using testsignal::defaultControls;
using testsignal::pluckedString;
using testsignal::render;

bool sameBits(const std::vector<float>& a, const std::vector<float>& b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

bool sameChain(const AmpChain& a, const AmpChain& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

void configure(AmpEngine& engine, float rate, int highQuality)
{
    engine.postConfiguration(rate, highQuality);
    engine.applyPendingConfiguration();
    engine.designTriodes();
}

TEST(ProcessingLoopTest, LimiterSoftensOnlyThePositiveHalf)
{
    EXPECT_NEAR(limitPositiveHalf(40.0), 40.0 * (1.0 - std::exp(-1.0)), 1e-15);
    EXPECT_NEAR(limitPositiveHalf(40.0), 25.28, 0.005);
    EXPECT_EQ(limitPositiveHalf(-40.0), -40.0);
    EXPECT_EQ(limitPositiveHalf(0.0), 0.0);
    EXPECT_NEAR(limitPositiveHalf(1e-6) / 1e-6, 1.0, 1e-6);
    EXPECT_LT(limitPositiveHalf(1e6), 40.0 + 1e-12);
    EXPECT_TRUE(std::isnan(limitPositiveHalf(std::numeric_limits<double>::quiet_NaN())));
}

TEST(ProcessingLoopTest, AntiDenormalTermRestartsEachBlockAndEndsAtZero)
{
    EXPECT_EQ(antiDenormalTerm(1.0 / 176400.0, 0), 0.0);
    EXPECT_EQ(antiDenormalTerm(1.0 / 176400.0, 7), 1e-10 * std::sin(6283.19304 * (1.0 / 176400.0) * 7.0));
    EXPECT_EQ(modelInput(std::numeric_limits<float>::quiet_NaN(), 0.0), 0.0f);
    EXPECT_EQ(modelInput(-std::numeric_limits<float>::infinity(), 1e-10), 1e-10f);
    EXPECT_EQ(modelInput(0.25f, 1e-10), static_cast<float>(0.25 + 1e-10));
}

TEST(AmpEngineTest, NonPositiveFrameCountsTouchNothing)
{
    AmpEngine engine;
    const AmpChain leftBefore = engine.leftChain;
    const AmpChain rightBefore = engine.rightChain;
    float left[4] = {1, 2, 3, 4};
    float right[4] = {5, 6, 7, 8};
    const float* inputs[2] = {left, right};
    float* outputs[2] = {left, right};
    auto controls = defaultControls();
    controls.stereoMode = 1;
    for (int frames : {0, -1, std::numeric_limits<int>::min()}) {
        engine.process(inputs, outputs, frames, controls);
        engine.process(nullptr, nullptr, frames, controls);
    }
    EXPECT_EQ(left[3], 4.0f);
    EXPECT_EQ(right[0], 5.0f);
    EXPECT_TRUE(sameChain(engine.leftChain, leftBefore));
    EXPECT_TRUE(sameChain(engine.rightChain, rightBefore));
}

class FactorTest : public ::testing::TestWithParam<int> {};

TEST_P(FactorTest, EachHostSampleGivesExactlyOneOutputSample)
{
    const int highQuality = GetParam() == 8 ? 1 : 0;
    const float rate = GetParam() == 2 ? 96000.0f : 44100.0f;
    AmpEngine engine;
    configure(engine, rate, highQuality);
    ASSERT_EQ(engine.oversamplingFactor(), GetParam());
    auto controls = defaultControls();
    controls.stereoMode = 1;
    const auto signal = pluckedString(rate, 0.01);
    const int frames = static_cast<int>(signal.size());
    std::vector<float> left(signal.size() + 1, -7.0f);
    std::vector<float> right(signal.size() + 1, -7.0f);
    const float* inputs[2] = {signal.data(), signal.data()};
    float* outputs[2] = {left.data(), right.data()};
    engine.process(inputs, outputs, frames, controls);
    EXPECT_EQ(left[signal.size()], -7.0f);
    EXPECT_EQ(right[signal.size()], -7.0f);
    int changed = 0;
    for (int i = 0; i < frames; ++i) {
        changed += left[static_cast<std::size_t>(i)] != -7.0f;
    }
    EXPECT_EQ(changed, frames);
}

TEST_P(FactorTest, SilenceSettlesToZero)
{
    const int highQuality = GetParam() == 8 ? 1 : 0;
    const float rate = GetParam() == 2 ? 96000.0f : 44100.0f;
    for (int channel : {0, 1}) {
        AmpEngine engine;
    configure(engine, rate, highQuality);
        auto controls = defaultControls();
        controls.channelSelect = channel;
        const std::vector<float> silence(static_cast<std::size_t>(rate * 3.0f), 0.0f);
        const auto out = render(engine, silence, controls);
        float tail = 0.0f;
        for (std::size_t n = out.left.size() - 4410; n < out.left.size(); ++n) {
            tail = std::max(tail, std::fabs(out.left[n]));
        }
        EXPECT_LT(tail, 1e-6f) << "channel " << channel;
    }
}

// The pipelined paths (and in the SSE2 build the stereo lanes) against the
// plain one-sample-at-a-time path.
TEST_P(FactorTest, FastPathsMatchTheOneSamplePath)
{
    const int highQuality = GetParam() == 8 ? 1 : 0;
    const float rate = GetParam() == 2 ? 96000.0f : 44100.0f;
    const auto left = pluckedString(rate, 0.5, 0.8, 1u);
    auto right = pluckedString(rate, 0.5, 0.05, 2u);
    right[100] = std::numeric_limits<float>::quiet_NaN();
    // Every combination of channel (bit 0), boost (bit 1) and stereo (bit 2).
    for (int combination = 0; combination < 8; ++combination) {
        auto controls = defaultControls();
        controls.channelSelect = combination & 1;
        controls.boostOn = (combination >> 1) & 1;
        controls.stereoMode = (combination >> 2) & 1;
        controls.driveCurve = testsignal::driveCurveFor(0.9);
        AmpEngine reference;
        configure(reference, rate, highQuality);
        reference.setFastPathsEnabled(false);
        AmpEngine fast;
        configure(fast, rate, highQuality);
        fast.setFastPathsEnabled(true);
        // Runs of every length: whole runs, a partial run, and single frames.
        const int blockSize = combination == 3 ? 1 : 100;
        const auto a = render(reference, left, right, controls, blockSize);
        const auto b = render(fast, left, right, controls, blockSize);
        EXPECT_TRUE(sameBits(a.left, b.left)) << combination;
        EXPECT_TRUE(sameBits(a.right, b.right)) << combination;
        EXPECT_TRUE(sameChain(reference.leftChain, fast.leftChain)) << combination;
        EXPECT_TRUE(sameChain(reference.rightChain, fast.rightChain)) << combination;
    }
}

INSTANTIATE_TEST_SUITE_P(Factors, FactorTest, ::testing::Values(2, 4, 8));

TEST(AmpEngineTest, MonoRepeatsTheLeftOutputAndLeavesTheRightSideAlone)
{
    AmpEngine engine;
    const AmpChain rightBefore = engine.rightChain;
    const auto left = pluckedString(44100.0, 0.5);
    std::vector<float> right(left.size(), std::numeric_limits<float>::quiet_NaN());
    const auto out = render(engine, left, right, defaultControls());
    EXPECT_TRUE(sameBits(out.left, out.right));
    EXPECT_TRUE(sameChain(engine.rightChain, rightBefore));
    float largest = 0.0f;
    for (float v : out.left) {
        largest = std::max(largest, std::fabs(v));
    }
    EXPECT_GT(largest, 0.01f);
}

TEST(AmpEngineTest, StereoSidesWithEqualInputsAndStatesAgree)
{
    AmpEngine engine;
    auto controls = defaultControls();
    controls.stereoMode = 1;
    const auto signal = pluckedString(44100.0, 0.5);
    const auto out = render(engine, signal, controls);
    EXPECT_TRUE(sameBits(out.left, out.right));
}

TEST(AmpEngineTest, StereoResumesTheRightSideFromItsOwnState)
{
    const auto signal = pluckedString(44100.0, 0.4);
    auto stereo = defaultControls();
    stereo.stereoMode = 1;
    AmpEngine engine;
    AmpEngine reference;
    render(engine, signal, stereo);
    render(reference, signal, stereo);
    render(engine, signal, defaultControls());  // mono: right side paused
    const auto resumed = render(engine, signal, stereo);
    const auto expected = render(reference, signal, stereo);
    EXPECT_TRUE(sameBits(resumed.right, expected.right));
    EXPECT_FALSE(sameBits(resumed.left, expected.left));
}

TEST(AmpEngineTest, VolumeZeroGivesZeros)
{
    AmpEngine engine;
    auto controls = defaultControls();
    controls.volume = 0.0;
    controls.stereoMode = 1;
    const auto out = render(engine, pluckedString(44100.0, 0.3, 0.9), controls);
    for (std::size_t n = 0; n < out.left.size(); ++n) {
        ASSERT_EQ(out.left[n], 0.0f);
        ASSERT_EQ(out.right[n], 0.0f);
    }
}

TEST(AmpEngineTest, OutputBuffersMayBeTheInputBuffers)
{
    const auto left = pluckedString(44100.0, 0.3, 0.5, 3u);
    const auto right = pluckedString(44100.0, 0.3, 0.5, 4u);
    for (int stereoMode : {0, 1}) {
        auto controls = defaultControls();
        controls.stereoMode = stereoMode;
        AmpEngine separate;
        const auto expected = render(separate, left, right, controls, 64);

        AmpEngine inPlace;
        std::vector<float> l = left;
        std::vector<float> r = right;
        for (std::size_t start = 0; start < l.size(); start += 64) {
            const int frames = static_cast<int>(std::min<std::size_t>(64, l.size() - start));
            float* buffers[2] = {l.data() + start, r.data() + start};
            inPlace.process(buffers, buffers, frames, controls);
        }
        EXPECT_TRUE(sameBits(l, expected.left)) << stereoMode;
        EXPECT_TRUE(sameBits(r, expected.right)) << stereoMode;
    }
}

TEST(AmpEngineTest, NonFiniteInputCountsAsSilenceAndTheSoundRecovers)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const auto clean = pluckedString(44100.0, 1.0);
    auto poisoned = clean;
    auto silenced = clean;
    for (std::size_t n = 10000; n < 10300; ++n) {
        poisoned[n] = (n % 3 == 0) ? nan : (n % 3 == 1 ? inf : -inf);
        silenced[n] = 0.0f;
    }
    for (int channel : {0, 1}) {
        auto controls = defaultControls();
        controls.stereoMode = 1;
        controls.channelSelect = channel;
        AmpEngine a;
        AmpEngine b;
        const auto out = render(a, poisoned, controls);
        const auto reference = render(b, silenced, controls);
        EXPECT_TRUE(sameBits(out.left, reference.left));
        EXPECT_TRUE(sameBits(out.right, reference.right));
        for (float v : out.left) {
            ASSERT_TRUE(std::isfinite(v));
        }
        // After the burst the amp plays on: the last half second carries signal.
        float tail = 0.0f;
        for (std::size_t n = out.left.size() - 22050; n < out.left.size(); ++n) {
            tail = std::max(tail, std::fabs(out.left[n]));
        }
        EXPECT_GT(tail, 0.01f);
    }
}

TEST(AmpEngineTest, NonFiniteControlsCountAsZero)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const auto signal = pluckedString(44100.0, 0.5);
    for (double AmpBlockControls::*control : {&AmpBlockControls::input, &AmpBlockControls::low, &AmpBlockControls::mid,
                                              &AmpBlockControls::high, &AmpBlockControls::contour,
                                              &AmpBlockControls::powerAmp, &AmpBlockControls::volume,
                                              &AmpBlockControls::mixPls, &AmpBlockControls::driveCurve}) {
        auto poisoned = defaultControls();
        poisoned.*control = nan;
        auto zeroed = defaultControls();
        zeroed.*control = 0.0;
        AmpEngine a;
        AmpEngine b;
        const auto out = render(a, signal, poisoned);
        EXPECT_TRUE(sameBits(out.left, render(b, signal, zeroed).left));
        // And the sound comes back once the control is sane again.
        const auto after = render(a, signal, defaultControls());
        EXPECT_TRUE(std::isfinite(after.left.back()));
        EXPECT_GT(std::fabs(*std::max_element(after.left.begin(), after.left.end())), 0.01f);
    }
}

TEST(AmpEngineTest, HugeFiniteInputKeepsTheModelFinite)
{
    auto signal = pluckedString(44100.0, 1.0);
    for (std::size_t n = 1000; n < 1100; ++n) {
        signal[n] = n % 2 == 0 ? 3e38f : -3e38f;
    }
    for (int channel : {0, 1}) {
        auto controls = defaultControls();
        controls.input = 1.0;
        controls.channelSelect = channel;
        controls.stereoMode = 1;
        AmpEngine engine;
        const auto out = render(engine, signal, controls);
        for (std::size_t n = 0; n < out.left.size(); ++n) {
            ASSERT_TRUE(std::isfinite(out.left[n]) && std::isfinite(out.right[n])) << n;
        }
    }
}

} // namespace
} // namespace tamzor::dsp
