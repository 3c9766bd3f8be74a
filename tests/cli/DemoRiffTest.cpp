// The demo's synthesised riff: fixed length and level, reproducible, and a
// plucked string that sounds at the note it is tuned to.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "DemoRiff.h"
#include "PluckedString.h"

namespace tamzor::cli {
namespace {

float peakOf(const std::vector<float>& samples) {
  float peak = 0.0f;
  for (float s : samples) peak = std::max(peak, std::abs(s));
  return peak;
}

TEST(DemoRiff, IsEightSecondsAtMinusTwelveDbfsPeak) {
  for (double rate : {44100.0, 48000.0}) {
    DemoRiffTake take;
    take.sampleRate = rate;
    const std::vector<float> riff = synthesiseDemoRiff(take);
    EXPECT_EQ(riff.size(), static_cast<std::size_t>(8.0 * rate));
    EXPECT_NEAR(20.0 * std::log10(peakOf(riff)), -12.0, 1e-4);
    EXPECT_TRUE(std::all_of(riff.begin(), riff.end(), [](float s) { return std::isfinite(s); }));
  }
}

TEST(DemoRiff, SameTakeGivesTheSameSamplesAndAnotherSeedATakeOfItsOwn) {
  const DemoRiffTake take;
  EXPECT_EQ(synthesiseDemoRiff(take), synthesiseDemoRiff(take));
  DemoRiffTake second = take;
  second.seed = 2;
  second.timingSpreadSeconds = 0.006;
  EXPECT_NE(synthesiseDemoRiff(take), synthesiseDemoRiff(second));
}

TEST(DemoRiff, PlaysNotesAndRests) {
  // Loud chords at the beats, near-silence between the first palm mutes.
  const std::vector<float> riff = synthesiseDemoRiff({});
  auto rms = [&](double from, double to) {
    double sum = 0.0;
    const auto a = static_cast<std::size_t>(from * 44100), b = static_cast<std::size_t>(to * 44100);
    for (std::size_t i = a; i < b; ++i) sum += static_cast<double>(riff[i]) * riff[i];
    return std::sqrt(sum / static_cast<double>(b - a));
  };
  EXPECT_GT(rms(0.75, 0.85), 10.0 * rms(0.15, 0.245));
  EXPECT_GT(rms(7.0, 7.2), 0.02);
}

TEST(PluckedString, SoundsAtItsTunedFrequency) {
  // The period is the autocorrelation peak between half and one and a half
  // nominal periods, refined by a parabola through the peak and its neighbours.
  for (double frequency : {82.41, 196.0, 329.63}) {
    NoiseSource noise(7);
    PluckSettings settings;
    settings.frequency = frequency;
    PluckedString string(44100.0, settings, noise);
    std::vector<double> samples(16384);
    for (double& s : samples) s = string.next();
    const double nominal = 44100.0 / frequency;
    auto correlation = [&](long lag) {
      double sum = 0.0;
      for (std::size_t i = 0; i + static_cast<std::size_t>(lag) < samples.size() && i < 8192; ++i)
        sum += samples[i] * samples[i + static_cast<std::size_t>(lag)];
      return sum;
    };
    long best = 0;
    double bestValue = -1e300;
    for (auto lag = static_cast<long>(0.5 * nominal); lag <= static_cast<long>(1.5 * nominal); ++lag) {
      if (const double value = correlation(lag); value > bestValue) {
        bestValue = value;
        best = lag;
      }
    }
    const double before = correlation(best - 1), after = correlation(best + 1);
    const double period = static_cast<double>(best) + 0.5 * (before - after) / (before - 2.0 * bestValue + after);
    EXPECT_NEAR(period / nominal, 1.0, 0.003) << frequency;
  }
}

}  // namespace
}  // namespace tamzor::cli
