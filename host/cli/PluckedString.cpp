#include "PluckedString.h"

#include <algorithm>
#include <cmath>

namespace tamzor::cli {

double NoiseSource::next() {
  state ^= state >> 12;
  state ^= state << 25;
  state ^= state >> 27;
  const std::uint64_t bits = state * 0x2545F4914F6CDD1Dull;
  // 53 random bits scaled to [0, 1), then to [-1, 1).
  const double unit = static_cast<double>(bits >> 11) * (1.0 / 9007199254740992.0);
  return unit * 2.0 - 1.0;
}

PluckedString::PluckedString(double rate, const PluckSettings& settings, NoiseSource& noise)
    : frequency(settings.frequency), sampleRate(rate) {
  // The loop delays by the line length, half a sample in the average and the
  // all-pass's delay, kept within [0.1, 1.1) samples where it is well behaved.
  const double period = sampleRate / frequency;
  const auto length = static_cast<std::size_t>(std::floor(period - 0.5 - 0.1));
  const double fraction = period - 0.5 - static_cast<double>(length);
  allpassCoefficient = (1.0 - fraction) / (1.0 + fraction);
  loopGain = loopGainFor(settings.decaySeconds);

  // Excitation: noise through a one-pole low-pass (darker for a low
  // brightness), then a comb for the pluck position, with its mean removed.
  std::vector<double> excitation(length);
  const double smoothing = 1.0 - std::clamp(settings.brightness, 0.05, 1.0);
  double smoothed = 0.0;
  for (double& sample : excitation) {
    smoothed = smoothed * smoothing + noise.next() * (1.0 - smoothing);
    sample = smoothed;
  }
  const auto notch = static_cast<std::size_t>(std::round(settings.pluckPosition * static_cast<double>(length)));
  line.assign(length, 0.0);
  double mean = 0.0;
  for (std::size_t i = 0; i < length; ++i) {
    line[i] = excitation[i] - (i >= notch && notch > 0 ? excitation[i - notch] : 0.0);
    mean += line[i];
  }
  mean /= static_cast<double>(length);
  double peak = 0.0;
  for (double& sample : line) {
    sample -= mean;
    peak = std::max(peak, std::abs(sample));
  }
  const double scale = peak > 0.0 ? settings.amplitude / peak : 0.0;
  for (double& sample : line) sample *= scale;
}

double PluckedString::loopGainFor(double seconds) const {
  // One pass through the loop per period: 60 dB over frequency × seconds passes.
  return std::pow(0.001, 1.0 / (frequency * std::max(seconds, 0.001)));
}

void PluckedString::damp(double seconds) { loopGain = std::min(loopGain, loopGainFor(seconds)); }

double PluckedString::next() {
  const double out = line[position];
  const double averaged = loopGain * 0.5 * (out + previous);
  previous = out;
  const double tuned = allpassCoefficient * averaged + allpassInput - allpassCoefficient * allpassOutput;
  allpassInput = averaged;
  allpassOutput = tuned;
  line[position] = tuned;
  position = position + 1 == line.size() ? 0 : position + 1;
  return out;
}

}  // namespace tamzor::cli
