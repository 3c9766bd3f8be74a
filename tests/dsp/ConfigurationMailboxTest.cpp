#include "dsp/AmpEngine.h"

#include "EngineRender.h"
#include "PluckedString.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

namespace tamzor::dsp {
namespace {

// One thread keeps posting configurations while another processes blocks and
// applies them between blocks. Built with the thread sanitizer this proves
// the hand-over race-free; in any build the audio side must only ever see
// whole configurations.
TEST(ConfigurationMailboxTest, PostingWhileProcessingHandsOverWholeConfigurations)
{
    struct Posted {
        float rate;
        int highQuality;
    };
    static constexpr Posted posts[] = {{44100.0f, 0}, {48000.0f, 1}, {96000.0f, 0}, {88200.0f, 1}, {0.0f, 1}, {22050.0f, 0}};

    AmpEngine engine;
    std::atomic<bool> done{false};
    std::atomic<int> appliedCount{0};
    int postsMade = 0;

    // Posts at least 3000 times and until the audio side has taken over at
    // least 20 configurations, however the two threads get scheduled.
    std::thread poster([&] {
        for (int i = 0; i < 3000 || appliedCount.load(std::memory_order_relaxed) < 20; ++i) {
            const Posted& p = posts[i % 6];
            engine.postConfiguration(p.rate, p.highQuality);
            ++postsMade;
            if (i % 64 == 0) {
                std::this_thread::yield();
            }
        }
        done.store(true, std::memory_order_release);
    });

    const auto signal = testsignal::pluckedString(44100.0, 0.05);
    std::vector<float> left(64);
    std::vector<float> right(64);
    auto controls = testsignal::defaultControls();
    controls.stereoMode = 1;
    int applied = 0;
    bool allFinite = true;
    bool allConsistent = true;
    auto processBlocks = [&] {
        for (std::size_t start = 0; start + 64 <= signal.size(); start += 64) {
            if (engine.applyPendingConfiguration()) {
                ++applied;
                appliedCount.store(applied, std::memory_order_relaxed);
                const int factor = engine.oversamplingFactor();
                const float rate = engine.sampleRate();
                const int expected = (rate < 50000.0f ? 4 : 2) * (engine.highQuality() > 0 ? 2 : 1);
                allConsistent = allConsistent && factor == expected
                    && engine.samplePeriod() == 1.0 / (static_cast<double>(factor) * static_cast<double>(rate));
            }
            const float* inputs[2] = {signal.data() + start, signal.data() + start};
            float* outputs[2] = {left.data(), right.data()};
            engine.process(inputs, outputs, 64, controls);
            for (float v : left) {
                allFinite = allFinite && std::isfinite(v);
            }
        }
    };
    while (!done.load(std::memory_order_acquire)) {
        processBlocks();
    }
    poster.join();
    engine.applyPendingConfiguration();

    EXPECT_TRUE(allFinite);
    EXPECT_TRUE(allConsistent);
    EXPECT_GE(applied, 20);
    // The last usable post is what stays in force (posts[4] is refused).
    int last = postsMade - 1;
    if (last % 6 == 4) {
        --last;
    }
    EXPECT_EQ(engine.sampleRate(), posts[last % 6].rate);
    EXPECT_EQ(engine.highQuality(), posts[last % 6].highQuality);
}

TEST(ConfigurationMailboxTest, SeveralPostersNeverMixTheirRateAndQuality)
{
    AmpEngine engine;
    std::atomic<bool> stop{false};
    std::thread lowQuality([&] {
        while (!stop.load(std::memory_order_relaxed)) {
            engine.postConfiguration(48000.0f, 0);
        }
    });
    std::thread highQuality([&] {
        while (!stop.load(std::memory_order_relaxed)) {
            engine.postConfiguration(96000.0f, 1);
        }
    });
    int mixed = 0;
    for (int i = 0; i < 20000; ++i) {
        if (engine.applyPendingConfiguration()) {
            const bool first = engine.sampleRate() == 48000.0f && engine.highQuality() == 0;
            const bool second = engine.sampleRate() == 96000.0f && engine.highQuality() == 1;
            mixed += !(first || second);
        }
    }
    stop.store(true);
    lowQuality.join();
    highQuality.join();
    EXPECT_EQ(mixed, 0);
}

} // namespace
} // namespace tamzor::dsp
