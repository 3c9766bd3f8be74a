#include "ProgressBar.h"

#include <unistd.h>

#include <algorithm>

namespace tamzor::cli {

namespace {

constexpr int barWidth = 30;
constexpr auto redrawEvery = std::chrono::milliseconds(100);

}  // namespace

bool standardErrorIsTerminal() { return isatty(STDERR_FILENO) == 1; }

ProgressBar::ProgressBar(bool show, std::FILE* output, double rate, std::chrono::milliseconds hidden)
    : enabled(show), stream(output), sampleRate(rate), hiddenFor(hidden), started(Clock::now()), lastDrawn(started) {}

std::string ProgressBar::line(double fraction, double secondsDone, double secondsTotal) {
  fraction = std::clamp(fraction, 0.0, 1.0);
  const int filled = static_cast<int>(fraction * barWidth);
  std::string bar(static_cast<std::size_t>(filled), '#');
  bar.append(static_cast<std::size_t>(barWidth - filled), '.');
  char text[128];
  std::snprintf(text, sizeof text, "rendering [%s] %3d%%  %.1f of %.1f s", bar.c_str(),
                static_cast<int>(fraction * 100.0), secondsDone, secondsTotal);
  return text;
}

void ProgressBar::update(long long framesDone, long long framesTotal) {
  if (!enabled || framesTotal <= 0) return;
  const Clock::time_point now = Clock::now();
  if (now - started < hiddenFor || (drawn && now - lastDrawn < redrawEvery)) return;
  lastDrawn = now;
  drawn = true;
  const double fraction = static_cast<double>(framesDone) / static_cast<double>(framesTotal);
  const std::string text = line(fraction, static_cast<double>(framesDone) / sampleRate,
                                static_cast<double>(framesTotal) / sampleRate);
  std::fprintf(stream, "\r%s\033[K", text.c_str());
  std::fflush(stream);
}

void ProgressBar::finish() {
  if (!drawn) return;
  std::fputs("\r\033[K", stream);
  std::fflush(stream);
  drawn = false;
}

}  // namespace tamzor::cli
