// The progress line and its silence off a terminal.
#include <gtest/gtest.h>

#include <cstdio>

#include "ProgressBar.h"

namespace tamzor::cli {
namespace {

TEST(ProgressBar, LineShowsBarPercentAndAudioTime) {
  EXPECT_EQ(ProgressBar::line(0.5, 4.0, 8.0), "rendering [###############...............]  50%  4.0 of 8.0 s");
  EXPECT_EQ(ProgressBar::line(1.5, 8.0, 8.0), "rendering [##############################] 100%  8.0 of 8.0 s");
}

TEST(ProgressBar, DisabledBarWritesNothing) {
  std::FILE* sink = std::tmpfile();
  ASSERT_NE(sink, nullptr);
  ProgressBar bar(false, sink, 44100.0);
  bar.update(100, 1000);
  bar.finish();
  EXPECT_EQ(std::ftell(sink), 0);
  std::fclose(sink);
}

TEST(ProgressBar, EnabledBarRedrawsOneLineAndClearsItAtTheEnd) {
  std::FILE* sink = std::tmpfile();
  ASSERT_NE(sink, nullptr);
  ProgressBar bar(true, sink, 100.0, std::chrono::milliseconds(0));
  bar.update(200, 800);
  bar.finish();
  std::rewind(sink);
  char text[256] = {};
  const std::size_t size = std::fread(text, 1, sizeof text - 1, sink);
  std::fclose(sink);
  EXPECT_EQ(std::string(text, size),
            "\rrendering [#######.......................]  25%  2.0 of 8.0 s\033[K\r\033[K");
}

}  // namespace
}  // namespace tamzor::cli
