#include "dsp/AmpEngine.h"

#include "EngineRender.h"
#include "PluckedString.h"
#include "FrequencyContent.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace tamzor::dsp {
namespace {

using testsignal::defaultControls;
using testsignal::driveCurveFor;
using testsignal::PowerSpectrum;
using testsignal::powerSpectrum;

constexpr double rate = 44100.0;

std::vector<float> renderMono(const std::vector<float>& input, const AmpBlockControls& controls)
{
    AmpEngine engine;
    auto out = testsignal::render(engine, input, controls).left;
    // Skip the first half second: start-up of the stages.
    out.erase(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(rate / 2));
    return out;
}

double rms(const std::vector<float>& signal)
{
    double sum = 0.0;
    for (float v : signal) {
        sum += static_cast<double>(v) * static_cast<double>(v);
    }
    return std::sqrt(sum / static_cast<double>(signal.size()));
}

double mean(const std::vector<float>& signal)
{
    double sum = 0.0;
    for (float v : signal) {
        sum += static_cast<double>(v);
    }
    return sum / static_cast<double>(signal.size());
}

// Share of the energy of a sine's response that lies in its harmonics: the
// bins outside +-3 bins of the fundamental, up to 10 kHz.
double harmonicShare(const PowerSpectrum& spectrum, double fundamental)
{
    const double total = spectrum.band(20.0, 10000.0);
    const double around = spectrum.band(fundamental - 3.0 * spectrum.binWidth, fundamental + 3.0 * spectrum.binWidth);
    return (total - around) / total;
}

class AmpSoundTest : public ::testing::Test {
protected:
    std::vector<float> pluck = testsignal::pluckedString(rate, 4.0);
};

TEST_F(AmpSoundTest, DefaultSettingsGiveAHealthyLevelWithoutDc)
{
    const auto out = renderMono(pluck, defaultControls());
    const double level = rms(out);
    EXPECT_GT(level, 0.02);
    EXPECT_LT(level, 0.7);
    float peak = 0.0f;
    for (float v : out) {
        peak = std::max(peak, std::fabs(v));
    }
    EXPECT_LT(peak, 1.5f);
    EXPECT_LT(std::fabs(mean(out)), 0.002 * level);

    // With boost on, MCJ carries an internal offset that must not reach the output.
    auto boosted = defaultControls();
    boosted.channelSelect = 1;
    boosted.boostOn = 1;
    const auto mcj = renderMono(pluck, boosted);
    EXPECT_LT(std::fabs(mean(mcj)), 0.002 * rms(mcj));
}

TEST_F(AmpSoundTest, MoreDriveGivesMoreHarmonicsAndMoreLevel)
{
    const auto sine = testsignal::sine(rate, 2.0, 220.0, 0.2);
    for (int channel : {0, 1}) {
        auto clean = defaultControls();
        clean.channelSelect = channel;
        clean.driveCurve = driveCurveFor(0.1);
        auto driven = clean;
        driven.driveCurve = driveCurveFor(1.0);
        const auto a = renderMono(sine, clean);
        const auto b = renderMono(sine, driven);
        EXPECT_GT(harmonicShare(powerSpectrum(b, rate), 220.0), harmonicShare(powerSpectrum(a, rate), 220.0)) << channel;
        EXPECT_GT(rms(b), rms(a)) << channel;

        const auto pa = powerSpectrum(renderMono(pluck, clean), rate);
        const auto pb = powerSpectrum(renderMono(pluck, driven), rate);
        // The upper harmonics of the plucked notes come up in level.
        EXPECT_GT(pb.band(2000.0, 10000.0), 1.3 * pa.band(2000.0, 10000.0)) << channel;
    }
}

TEST_F(AmpSoundTest, McjDistortsMoreThanPlsAtEqualDrive)
{
    const auto sine = testsignal::sine(rate, 2.0, 220.0, 0.2);
    for (double drive : {0.3, 0.7}) {
        auto pls = defaultControls();
        pls.driveCurve = driveCurveFor(drive);
        auto mcj = pls;
        mcj.channelSelect = 1;
        EXPECT_GT(harmonicShare(powerSpectrum(renderMono(sine, mcj), rate), 220.0),
                  harmonicShare(powerSpectrum(renderMono(sine, pls), rate), 220.0))
            << drive;
    }
}

TEST_F(AmpSoundTest, ToneControlsMoveEnergyWhereAGuitaristExpects)
{
    for (int channel : {0, 1}) {
        auto base = defaultControls();
        base.channelSelect = channel;

        auto dull = base;
        dull.high = 0.0;
        auto bright = base;
        bright.high = 1.0;
        const auto d = powerSpectrum(renderMono(pluck, dull), rate);
        const auto b = powerSpectrum(renderMono(pluck, bright), rate);
        EXPECT_GT(b.band(2000.0, 20000.0), 1.5 * d.band(2000.0, 20000.0)) << channel;

        auto thin = base;
        thin.low = 0.0;
        auto fat = base;
        fat.low = 1.0;
        const auto t = powerSpectrum(renderMono(pluck, thin), rate);
        const auto f = powerSpectrum(renderMono(pluck, fat), rate);
        EXPECT_GT(f.band(20.0, 200.0), 1.5 * t.band(20.0, 200.0)) << channel;
    }
}

} // namespace
} // namespace tamzor::dsp
