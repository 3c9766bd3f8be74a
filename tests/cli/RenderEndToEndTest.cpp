// tamzor render, run as a user runs it, on small generated files.
#include <sndfile.h>

#include <algorithm>
#include <cmath>

#include "ToolFixture.h"

namespace tamzor::cli::testing {
namespace {

class RenderTest : public ToolFixture {};

bool audible(const Sound& sound) {
  return std::any_of(sound.samples.begin(), sound.samples.end(), [](float s) { return std::abs(s) > 1e-3f; });
}

TEST_F(RenderTest, ReadsEachInputFormatAndWritesStereoAtItsRate) {
  struct Case {
    const char* name;
    int format;
    int channels;
    int rate;
  };
  const Case cases[] = {
      {"in16.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, 44100},
      {"in.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_24, 2, 48000},
      {"in.aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 2, 22050},
      {"in.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 1, 32000},
      {"in-float.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 2, 96000},
  };
  for (const Case& c : cases) {
    const int frames = c.rate / 4;
    writeSound(path(c.name), c.format, c.channels, c.rate, testSignal(c.channels, frames, c.rate));
    const ToolRun run = this->run({"render", c.name, "out.wav"});
    ASSERT_EQ(run.exitCode, 0) << c.name << ": " << run.err;
    EXPECT_EQ(run.err.find("rendering ["), std::string::npos) << "no progress bar when standard error is not a terminal";
    EXPECT_NE(run.out.find("wrote out.wav (24-bit WAV, stereo, " + std::to_string(c.rate) + " Hz)"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("x real time"), std::string::npos) << run.out;
    const Sound out = readSound(path("out.wav"));
    EXPECT_EQ(out.format, SF_FORMAT_WAV | SF_FORMAT_PCM_24) << c.name;
    EXPECT_EQ(out.channels, 2) << c.name;
    EXPECT_EQ(out.sampleRate, c.rate) << c.name;
    EXPECT_EQ(out.frames(), frames) << c.name;
    EXPECT_TRUE(audible(out)) << c.name;
  }
}

TEST_F(RenderTest, OutputFormatFollowsExtensionAndBits) {
  const std::string input = stereoInput();
  struct Case {
    const char* out;
    std::vector<std::string> options;
    int format;
  };
  const Case cases[] = {
      {"a.wav", {"--bits", "16"}, SF_FORMAT_WAV | SF_FORMAT_PCM_16},
      {"b.wav", {"--bits", "32"}, SF_FORMAT_WAV | SF_FORMAT_PCM_32},
      {"c.wav", {"--bits=float"}, SF_FORMAT_WAV | SF_FORMAT_FLOAT},
      {"d.flac", {}, SF_FORMAT_FLAC | SF_FORMAT_PCM_24},
      {"e.flac", {"--bits", "16"}, SF_FORMAT_FLAC | SF_FORMAT_PCM_16},
      {"f.aiff", {}, SF_FORMAT_AIFF | SF_FORMAT_PCM_24},
      {"g.AIF", {"--bits", "float"}, SF_FORMAT_AIFF | SF_FORMAT_FLOAT},
      {"h.ogg", {}, SF_FORMAT_OGG | SF_FORMAT_VORBIS},
  };
  for (const Case& c : cases) {
    std::vector<std::string> arguments{"render", input, c.out};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    const ToolRun run = this->run(arguments);
    ASSERT_EQ(run.exitCode, 0) << c.out << ": " << run.err;
    const Sound out = readSound(path(c.out));
    EXPECT_EQ(out.format, c.format) << c.out;
    EXPECT_EQ(out.channels, 2) << c.out;
    EXPECT_EQ(out.frames(), 11025) << c.out;
  }
}

TEST_F(RenderTest, MonoInputFeedsBothInputsAndGivesTwoEqualChannels) {
  writeSound(path("mono.wav"), SF_FORMAT_WAV | SF_FORMAT_FLOAT, 1, 44100, testSignal(1, 11025, 44100));
  for (const char* stereoMode : {"0", "1"}) {
    const ToolRun run = this->run({"render", "mono.wav", "out.wav", "--bits", "float", "--set",
                                   std::string("Mono/Stereo=") + stereoMode});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const Sound out = readSound(path("out.wav"));
    ASSERT_EQ(out.channels, 2);
    EXPECT_TRUE(audible(out));
    for (long i = 0; i < out.frames(); ++i)
      ASSERT_EQ(out.samples[static_cast<std::size_t>(2 * i)], out.samples[static_cast<std::size_t>(2 * i + 1)])
          << "frame " << i << " in stereo mode " << stereoMode;
  }
}

TEST_F(RenderTest, EveryOptionRendersAndRepeatsBitForBit) {
  const std::string input = stereoInput();
  ASSERT_EQ(run({"preset", "save", "p.fxp", "--set", "Drive=0.7"}).exitCode, 0);
  ASSERT_EQ(run({"preset", "save", "b.fxb", "--program", "4", "--set", "Low=0.2"}).exitCode, 0);
  const std::string plugin = TAMZOR_PLUGIN_PATH;
  struct Case {
    std::vector<std::string> options;
    std::string environment;
  };
  const std::vector<Case> cases{
      {{}, ""},
      {{"--program", "3"}, ""},
      {{"--set", "Channel=1", "--set", "Drive=0.8", "--set", "power_amp=0.3", "--set", "mcj boost=1"}, ""},
      {{"--set", "LowQ/HighQ=1", "--set", "Mono/Stereo=1"}, ""},
      {{"--preset", "p.fxp"}, ""},
      {{"--program", "4", "--preset", "b.fxb"}, ""},
      {{"--block", "1"}, ""},
      {{"--block", "4096"}, ""},
      {{"--block", "333", "--set", "Volume=0.9"}, ""},
      {{"--plugin", plugin}, ""},
      {{}, "TAMZOR_PLUGIN='" + plugin + "'"},
  };
  for (const Case& c : cases) {
    std::string description = c.environment;
    for (const std::string& option : c.options) description += " " + option;
    std::vector<std::string> first{"render", input, "first.wav"};
    first.insert(first.end(), c.options.begin(), c.options.end());
    std::vector<std::string> second{"render", input, "second.wav"};
    second.insert(second.end(), c.options.begin(), c.options.end());
    const ToolRun firstRun = run(first, c.environment);
    ASSERT_EQ(firstRun.exitCode, 0) << description << ": " << firstRun.err;
    ASSERT_EQ(run(second, c.environment).exitCode, 0) << description;
    const Sound out = readSound(path("first.wav"));
    EXPECT_EQ(out.frames(), 11025) << description;
    EXPECT_EQ(out.channels, 2) << description;
    EXPECT_EQ(fileBytes(path("first.wav")), fileBytes(path("second.wav"))) << description;
  }
}

TEST_F(RenderTest, QuietRenderPrintsNothingAndLeavesOnlyTheOutput) {
  const std::string input = stereoInput();
  const ToolRun run = this->run({"render", input, "out.flac", "-q", "--set", "Volume=0.1"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(entries(), (std::vector<std::string>{"in.wav", "out.flac"}));
}

TEST_F(RenderTest, SettingsAndTheFileRateReachTheAmp) {
  const std::vector<float> signal = testSignal(2, 11025, 44100);
  writeSound(path("at44.wav"), SF_FORMAT_WAV | SF_FORMAT_FLOAT, 2, 44100, signal);
  writeSound(path("at96.wav"), SF_FORMAT_WAV | SF_FORMAT_FLOAT, 2, 96000, signal);
  const auto render = [&](std::vector<std::string> arguments) {
    const ToolRun run = this->run(arguments);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return readSound(path(arguments[2])).samples;
  };
  const std::vector<float> plain = render({"render", "at44.wav", "plain.wav", "--bits", "float"});
  const std::vector<float> driven = render({"render", "at44.wav", "driven.wav", "--bits", "float", "--set", "Drive=0.9"});
  const std::vector<float> muted = render({"render", "at44.wav", "muted.wav", "--bits", "float", "--set", "Volume=0"});
  const std::vector<float> faster = render({"render", "at96.wav", "faster.wav", "--bits", "float"});
  ASSERT_EQ(plain.size(), signal.size());
  EXPECT_NE(plain, signal) << "the amp changes the sound";
  EXPECT_NE(driven, plain);
  EXPECT_TRUE(std::all_of(muted.begin(), muted.end(), [](float s) { return s == 0.0f; })) << "Volume 0 is silence";
  EXPECT_NE(faster, plain) << "the file's sample rate is announced to the plug-in";
}

TEST_F(RenderTest, OutputBeyondFullScaleIsClippedWithAWarning) {
  std::vector<float> hot = testSignal(2, 4410, 44100);
  for (float& sample : hot) sample *= 6.0f;
  writeSound(path("hot.wav"), SF_FORMAT_WAV | SF_FORMAT_FLOAT, 2, 44100, hot);
  const ToolRun run = this->run({"render", "hot.wav", "out.wav", "--bits", "16", "--set", "Volume=1"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.err.find("tamzor: warning: "), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("samples beyond full scale were clipped in 'out.wav'"), std::string::npos) << run.err;
  const Sound out = readSound(path("out.wav"));
  const float peak = *std::max_element(out.samples.begin(), out.samples.end());
  EXPECT_GT(peak, 0.99f) << "held at full scale, not wrapped around";
}

TEST_F(RenderTest, RenderingOverTheInputReplacesItWhole) {
  stereoInput("take.wav");
  const ToolRun run = this->run({"render", "take.wav", "take.wav", "-q"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(readSound(path("take.wav")).frames(), 11025);
  EXPECT_EQ(entries(), std::vector<std::string>{"take.wav"});
}

TEST_F(RenderTest, EmptyInputGivesAnEmptyOutput) {
  writeSound(path("empty.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 44100, {});
  const ToolRun run = this->run({"render", "empty.wav", "out.wav"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(readSound(path("out.wav")).frames(), 0);
}

}  // namespace
}  // namespace tamzor::cli::testing
