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

}  // namespace
}  // namespace tamzor::cli
