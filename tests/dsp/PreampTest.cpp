#include "dsp/AmpChain.h"
#include "dsp/Preamp.h"
#include "dsp/RateConfiguration.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace tamzor::dsp {
namespace {

constexpr double fs = 176400.0;

class PreampTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::memset(static_cast<void*>(&chain), 0, sizeof chain);
        configureChain(chain, fs);
        designPreampTriodes(chain.triodes, fs);
        controls = PreampControls{0, 0, 0.29855, 0.5, fs};
    }

    // Runs a 440 Hz tone of the given amplitude through the preamp, returns the last output.
    double run(AmpChain& c, int pairs, double amplitude = 0.1)
    {
        double last = 0.0;
        for (int n = 0; n < pairs; ++n) {
            double a = amplitude * std::sin(2.0 * 3.141592653589793 * 440.0 * (2.0 * n) / fs);
            double b = amplitude * std::sin(2.0 * 3.141592653589793 * 440.0 * (2.0 * n + 1.0) / fs);
            processPreamp(c, controls, a, b);
            last = b;
        }
        return last;
    }

    AmpChain chain;
    PreampControls controls;
};

TEST_F(PreampTest, MixSelectsBetweenTheNormalAndTheTreblePath)
{
    for (double mix : {0.0, 1.0}) {
        controls.mixPls = mix;
        AmpChain disturbed = chain;
        // Disturb the path the mix leaves out: its coupling output jumps.
        const int unused = mix == 0.0 ? plsTrebleStage : plsNormalStage;
        disturbed.triodes[unused].y += 5.0;
        const double reference = run(chain, 200);
        const double other = run(disturbed, 200);
        EXPECT_EQ(reference, other) << mix;
        // The unused path still runs on.
        EXPECT_NE(disturbed.triodes[unused].Vp, 0.0);
        SetUp();
    }
}

TEST_F(PreampTest, DriveAtZeroStillPassesSignal)
{
    controls.driveCurve = 0.089125;
    run(chain, 2000);
    double largest = 0.0;
    for (int n = 0; n < 400; ++n) {
        largest = std::max(largest, std::fabs(run(chain, 1)));
    }
    EXPECT_GT(largest, 0.01);
}

TEST_F(PreampTest, McjBoostSettlesAtItsOffsetInSilence)
{
    controls.channelSelect = 1;
    controls.boostOn = 1;
    const double settled = run(chain, 88200, 0.0);
    EXPECT_NEAR(settled, -0.1, 1e-6);
    controls.boostOn = 0;
    EXPECT_NEAR(run(chain, 88200, 0.0), 0.0, 1e-6);
}

TEST_F(PreampTest, UnselectedChannelKeepsItsState)
{
    AmpChain before = chain;
    run(chain, 500);  // PLS
    EXPECT_EQ(std::memcmp(&before.triodes[mcjFirstStage], &chain.triodes[mcjFirstStage], 3 * sizeof(TriodeStage)), 0);
    EXPECT_EQ(std::memcmp(&before.preampFilters[mcjFirstLowpass], &chain.preampFilters[mcjFirstLowpass], 2 * sizeof(Biquad)), 0);

    controls.channelSelect = 1;
    before = chain;
    run(chain, 500);  // MCJ
    EXPECT_EQ(std::memcmp(&before.triodes[0], &chain.triodes[0], 3 * sizeof(TriodeStage)), 0);
}

TEST_F(PreampTest, EveryElementSeesBothSamplesInTimeOrder)
{
    for (int channel : {0, 1}) {
        controls.channelSelect = channel;
        AmpChain swapped = chain;
        AmpChain otherLater = chain;

        double a = 0.3;
        double b = -0.2;
        processPreamp(chain, controls, a, b);
        // Swapped inputs do not give swapped outputs: the stages have memory.
        double a2 = -0.2;
        double b2 = 0.3;
        processPreamp(swapped, controls, a2, b2);
        EXPECT_FALSE(a == b2 && b == a2) << channel;
        // The earlier output does not depend on the later input.
        double a3 = 0.3;
        double b3 = 7.0;
        processPreamp(otherLater, controls, a3, b3);
        EXPECT_EQ(a, a3) << channel;
        EXPECT_NE(b, b3) << channel;
        SetUp();
    }
}

} // namespace
} // namespace tamzor::dsp
