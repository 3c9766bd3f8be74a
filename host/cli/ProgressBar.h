// A one-line progress bar on standard error for long renders. It stays
// hidden when standard error is not a terminal and during the first second,
// so quick renders and pipelines see no progress output at all.
#pragma once

#include <chrono>
#include <cstdio>
#include <string>

namespace tamzor::cli {

class ProgressBar {
public:
  using Clock = std::chrono::steady_clock;

  // `enabled` is normally isatty(2); `stream` receives the bar, which appears
  // once the render has run for `hiddenFor`.
  ProgressBar(bool enabled, std::FILE* stream, double sampleRate,
              std::chrono::milliseconds hiddenFor = std::chrono::seconds(1));

  // Redraws at most ten times a second.
  void update(long long framesDone, long long framesTotal);
  // Removes the bar if it was drawn.
  void finish();

  // The bar's text for a fraction done and the audio seconds done / total.
  static std::string line(double fraction, double secondsDone, double secondsTotal);

private:
  bool enabled;
  std::FILE* stream;
  double sampleRate;
  std::chrono::milliseconds hiddenFor;
  Clock::time_point started;
  Clock::time_point lastDrawn;
  bool drawn = false;
};

// Whether the progress bar should be shown on standard error.
bool standardErrorIsTerminal();

}  // namespace tamzor::cli
