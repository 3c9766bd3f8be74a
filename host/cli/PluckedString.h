// A plucked string in the Karplus-Strong manner: a delay line one period long,
// filled with shaped noise at the pluck, fed back through a two-point average
// (the string's loss of highs) and a first-order all-pass that tunes the
// fractional part of the period.
#pragma once

#include <cstdint>
#include <vector>

namespace tamzor::cli {

// Small deterministic generator (xorshift64*), independent of the standard
// library's distributions so that the same seed gives the same riff anywhere.
class NoiseSource {
public:
  explicit NoiseSource(std::uint64_t seed) : state(seed == 0 ? 0x9E3779B97F4A7C15ull : seed) {}
  // Uniform in [-1, 1).
  double next();

private:
  std::uint64_t state;
};

struct PluckSettings {
  double frequency = 82.41;     // Hz
  double amplitude = 1.0;
  double brightness = 0.7;      // 0 dark .. 1 bright excitation
  double pluckPosition = 0.2;   // fraction of the string length from the bridge
  double decaySeconds = 3.0;    // time to fall by 60 dB while held
};

class PluckedString {
public:
  PluckedString(double sampleRate, const PluckSettings& settings, NoiseSource& noise);

  double next();
  // Damps the string (a released note or a palm mute): 60 dB in `seconds`.
  void damp(double seconds);

private:
  double loopGainFor(double seconds) const;

  std::vector<double> line;
  std::size_t position = 0;
  double frequency;
  double sampleRate;
  double loopGain;
  double allpassCoefficient;
  double allpassInput = 0.0;
  double allpassOutput = 0.0;
  double previous = 0.0;
};

}  // namespace tamzor::cli
