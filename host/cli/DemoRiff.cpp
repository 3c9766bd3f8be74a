#include "DemoRiff.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "PluckedString.h"

namespace tamzor::cli {

namespace {

struct RiffEvent {
  double start;    // seconds
  double length;   // seconds until the note is released
  bool palmMuted;
  std::array<int, 3> notes;  // MIDI note numbers, 0 = unused
};

constexpr std::array<int, 3> chordE5{40, 47, 52};
constexpr std::array<int, 3> chordG5{43, 50, 55};
constexpr std::array<int, 3> chordA5{45, 52, 57};
constexpr std::array<int, 3> chordC5{48, 55, 60};
constexpr std::array<int, 3> chordD5{50, 57, 62};
constexpr std::array<int, 3> note(int number) { return {number, 0, 0}; }

// 120 beats per minute: an eighth note lasts 0.25 s.
constexpr std::array<RiffEvent, 25> riff{{
    {0.00, 0.22, true, chordE5},  {0.25, 0.22, true, chordE5},  {0.50, 0.22, true, chordE5},
    {0.75, 0.50, false, chordG5}, {1.25, 0.75, false, chordA5},
    {2.00, 0.22, true, chordE5},  {2.25, 0.22, true, chordE5},  {2.50, 0.22, true, chordE5},
    {2.75, 0.22, true, chordE5},
    {3.00, 0.25, false, note(50)}, {3.25, 0.25, false, note(52)}, {3.50, 0.25, false, note(55)},
    {3.75, 0.25, false, note(57)},
    {4.00, 0.22, true, chordE5},  {4.25, 0.22, true, chordE5},  {4.50, 0.22, true, chordE5},
    {4.75, 0.50, false, chordG5}, {5.25, 0.75, false, chordA5},
    {6.00, 0.50, false, chordC5}, {6.50, 0.50, false, chordD5},
    {7.00, 0.85, false, chordE5},
    // Ghost notes between the chords of the last bar.
    {6.375, 0.10, true, note(40)}, {6.875, 0.10, true, note(40)},
    {1.875, 0.10, true, note(40)}, {5.875, 0.10, true, note(40)},
}};

constexpr double strumStepSeconds = 0.007;  // between strings of a down stroke
constexpr double releaseSeconds = 0.12;     // 60 dB fall after a note is let go
constexpr double tailSeconds = 0.4;         // how long a released string is still rendered

double noteFrequency(int number) { return 440.0 * std::pow(2.0, (number - 69) / 12.0); }

void renderString(std::vector<double>& mix, double rate, const PluckSettings& settings, NoiseSource& noise,
                  double startSeconds, double releaseAt) {
  PluckedString string(rate, settings, noise);
  const auto total = static_cast<long>(mix.size());
  const long first = std::lround(startSeconds * rate);
  const long release = std::lround(releaseAt * rate);
  const long end = std::min(total, release + std::lround(tailSeconds * rate));
  for (long i = std::max(0L, first); i < end; ++i) {
    if (i == release) string.damp(releaseSeconds);
    mix[static_cast<std::size_t>(i)] += string.next();
  }
}

}  // namespace

std::vector<float> synthesiseDemoRiff(const DemoRiffTake& take) {
  const double rate = take.sampleRate;
  std::vector<double> mix(static_cast<std::size_t>(std::lround(demoRiffSeconds * rate)), 0.0);
  NoiseSource noise(take.seed);
  for (const RiffEvent& event : riff) {
    const double shift = take.timingSpreadSeconds * noise.next();
    const double level = 1.0 + take.levelSpread * noise.next();
    int stringIndex = 0;
    for (int number : event.notes) {
      if (number == 0) continue;
      PluckSettings settings;
      settings.frequency = noteFrequency(number);
      settings.amplitude = (event.palmMuted ? 0.8 : 1.0) * level;
      settings.brightness = event.palmMuted ? 0.35 : 0.75;
      settings.pluckPosition = 0.18;
      settings.decaySeconds = event.palmMuted ? 0.3 : 3.5;
      const double start = event.start + shift + strumStepSeconds * stringIndex;
      renderString(mix, rate, settings, noise, start, event.start + shift + event.length);
      ++stringIndex;
    }
  }
  double peak = 0.0;
  for (double sample : mix) peak = std::max(peak, std::abs(sample));
  const double gain = peak > 0.0 ? std::pow(10.0, demoRiffPeakDbfs / 20.0) / peak : 0.0;
  std::vector<float> samples(mix.size());
  std::transform(mix.begin(), mix.end(), samples.begin(), [gain](double s) { return static_cast<float>(s * gain); });
  return samples;
}

}  // namespace tamzor::cli
