// The demo's built-in guitar riff: palm-muted power chord chugs, ringing
// chords and a single-note run, synthesised from plucked strings with a fixed
// seed, as a dry guitar DI would record it. Eight seconds long, mono, peak
// normalised to -12 dBFS.
#pragma once

#include <cstdint>
#include <vector>

namespace tamzor::cli {

inline constexpr double demoRiffSeconds = 8.0;
inline constexpr double demoRiffPeakDbfs = -12.0;

struct DemoRiffTake {
  double sampleRate = 44100.0;
  std::uint64_t seed = 1;
  // A second take of a double-tracked part differs in its noise and in a few
  // milliseconds of timing and a little level per note.
  double timingSpreadSeconds = 0.0;
  double levelSpread = 0.0;
};

std::vector<float> synthesiseDemoRiff(const DemoRiffTake& take);

}  // namespace tamzor::cli
