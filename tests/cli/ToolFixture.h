// Runs the built tamzor binary in a scratch directory and captures its exit
// code, standard output and standard error; writes small test signals.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tamzor::cli::testing {

struct ToolRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// A test signal: a decaying two-tone burst, different on each channel.
std::vector<float> testSignal(int channels, int frames, int sampleRate);

// Writes interleaved samples with libsndfile (format as SF_FORMAT_* flags).
void writeSound(const std::string& path, int format, int channels, int sampleRate, const std::vector<float>& samples);

struct Sound {
  int format = 0;
  int channels = 0;
  int sampleRate = 0;
  std::vector<float> samples;  // interleaved
  long frames() const { return channels > 0 ? static_cast<long>(samples.size()) / channels : 0; }
};
Sound readSound(const std::string& path);

std::string fileBytes(const std::string& path);
bool fileExists(const std::string& path);

class ToolFixture : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  // Runs `tamzor` with these arguments in the scratch directory; `environment`
  // is prefixed to the command ("TAMZOR_PLUGIN=...").
  ToolRun run(const std::vector<std::string>& arguments, const std::string& environment = "") const;

  std::string path(const std::string& name) const { return directory + "/" + name; }
  // Names in the scratch directory, hidden ones included.
  std::vector<std::string> entries() const;
  // A 0.25 s stereo 44.1 kHz 24-bit WAV file.
  std::string stereoInput(const std::string& name = "in.wav") const;

  std::string directory;
};

}  // namespace tamzor::cli::testing
