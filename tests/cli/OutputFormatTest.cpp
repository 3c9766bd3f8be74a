// Output format from the file name and --bits.
#include <gtest/gtest.h>
#include <sndfile.h>

#include "OutputFormat.h"

namespace tamzor::cli {
namespace {

TEST(OutputFormat, ExtensionAndBitsChooseTheFormat) {
  struct Case {
    const char* path;
    const char* bits;
    int format;
    const char* description;
  };
  const Case cases[] = {
      {"out.wav", nullptr, SF_FORMAT_WAV | SF_FORMAT_PCM_24, "24-bit WAV"},
      {"dir.v2/OUT.WAV", "16", SF_FORMAT_WAV | SF_FORMAT_PCM_16, "16-bit WAV"},
      {"out.wav", "32", SF_FORMAT_WAV | SF_FORMAT_PCM_32, "32-bit WAV"},
      {"out.wav", "float", SF_FORMAT_WAV | SF_FORMAT_FLOAT, "32-bit float WAV"},
      {"out.flac", nullptr, SF_FORMAT_FLAC | SF_FORMAT_PCM_24, "24-bit FLAC"},
      {"out.flac", "16", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, "16-bit FLAC"},
      {"out.aiff", nullptr, SF_FORMAT_AIFF | SF_FORMAT_PCM_24, "24-bit AIFF"},
      {"out.aif", "float", SF_FORMAT_AIFF | SF_FORMAT_FLOAT, "32-bit float AIFF"},
      {"out.ogg", nullptr, SF_FORMAT_OGG | SF_FORMAT_VORBIS, "Ogg Vorbis"},
  };
  for (const Case& c : cases) {
    const std::string bits = c.bits != nullptr ? c.bits : "";
    Outcome<OutputFormat> format = outputFormatFor(c.path, c.bits != nullptr ? &bits : nullptr);
    ASSERT_TRUE(format.ok()) << c.path << " " << bits << ": " << format.failure().message;
    EXPECT_EQ(format->sndfileFormat, c.format) << c.path << " " << bits;
    EXPECT_EQ(format->description, c.description);
    EXPECT_EQ(format->integerSamples, (c.format & SF_FORMAT_SUBMASK) != SF_FORMAT_FLOAT &&
                                          (c.format & SF_FORMAT_SUBMASK) != SF_FORMAT_VORBIS);
  }
}

TEST(OutputFormat, UnsupportedCombinationsAreUsageErrors) {
  const std::string eight = "8", thirtyTwo = "32", sixteen = "16";
  const std::vector<std::tuple<std::string, const std::string*, std::string>> cases{
      {"out.mp3", nullptr, "unsupported output format for 'out.mp3' (extension .mp3"},
      {"out", nullptr, "(no extension"},
      {"dir.d/out", nullptr, "(no extension"},
      {"out.wav", &eight, "--bits: '8' is not one of 16, 24, 32, float"},
      {"out.flac", &thirtyTwo, "not available for FLAC"},
      {"out.ogg", &sixteen, "does not apply to Ogg Vorbis"},
  };
  for (const auto& [path, bits, message] : cases) {
    Outcome<OutputFormat> format = outputFormatFor(path, bits);
    ASSERT_FALSE(format.ok()) << path;
    EXPECT_EQ(format.failure().code, ExitCode::usage);
    EXPECT_NE(format.failure().message.find(message), std::string::npos) << format.failure().message;
  }
}

}  // namespace
}  // namespace tamzor::cli
