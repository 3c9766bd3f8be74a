// tamzor demo: the README's first command.
#include <sndfile.h>

#include <algorithm>
#include <cmath>

#include "ToolFixture.h"

namespace tamzor::cli::testing {
namespace {

class DemoTest : public ToolFixture {};

const std::vector<std::string> demoFiles{"00-di-riff.wav", "01-clean-pls.wav", "02-crunch-pls.wav",
                                         "03-mcj-boost.wav", "04-highq-stereo.wav"};

TEST_F(DemoTest, WritesTheDryRiffAndFourSettingsAndSaysWhere) {
  const ToolRun run = this->run({"demo"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_NE(run.out.find("The demo files are in " + directory + "/out/demo"), std::string::npos) << run.out;
  for (const std::string& name : demoFiles) {
    EXPECT_NE(run.out.find("out/demo/" + name), std::string::npos) << name;
    const Sound sound = readSound(path("out/demo/" + name));
    EXPECT_EQ(sound.format, SF_FORMAT_WAV | SF_FORMAT_PCM_24) << name;
    EXPECT_EQ(sound.sampleRate, 44100) << name;
    EXPECT_EQ(sound.frames(), 8 * 44100) << name;
    EXPECT_EQ(sound.channels, name == demoFiles[0] ? 1 : 2) << name;
    EXPECT_TRUE(std::any_of(sound.samples.begin(), sound.samples.end(), [](float s) { return std::abs(s) > 0.01f; }))
        << name;
  }
  const Sound dry = readSound(path("out/demo/00-di-riff.wav"));
  float peak = 0.0f;
  for (float s : dry.samples) peak = std::max(peak, std::abs(s));
  EXPECT_NEAR(20.0 * std::log10(peak), -12.0, 0.01);
}

TEST_F(DemoTest, IsTheSameOnEveryRun) {
  ASSERT_EQ(run({"demo", "--out", "a", "-q"}).exitCode, 0);
  const ToolRun second = run({"demo", "--out", "b/c", "-q"});
  ASSERT_EQ(second.exitCode, 0) << second.err;
  EXPECT_EQ(second.out, "");
  for (const std::string& name : demoFiles)
    EXPECT_EQ(fileBytes(path("a/" + name)), fileBytes(path("b/c/" + name))) << name;
}

}  // namespace
}  // namespace tamzor::cli::testing
