#include "ToolFixture.h"

#include <dirent.h>
#include <sndfile.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace tamzor::cli::testing {

namespace {

std::string shellQuoted(const std::string& text) {
  std::string quotedText = "'";
  for (char c : text) quotedText += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quotedText + "'";
}

}  // namespace

std::vector<float> testSignal(int channels, int frames, int sampleRate) {
  std::vector<float> samples(static_cast<std::size_t>(channels) * static_cast<std::size_t>(frames));
  for (int i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / sampleRate;
    for (int c = 0; c < channels; ++c) {
      const double tone = std::sin(2.0 * M_PI * (110.0 * (c + 1)) * t) + 0.3 * std::sin(2.0 * M_PI * 1234.0 * t);
      samples[static_cast<std::size_t>(i * channels + c)] = static_cast<float>(0.25 * std::exp(-3.0 * t) * tone);
    }
  }
  return samples;
}

void writeSound(const std::string& path, int format, int channels, int sampleRate, const std::vector<float>& samples) {
  SF_INFO info{};
  info.channels = channels;
  info.samplerate = sampleRate;
  info.format = format;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  ASSERT_NE(file, nullptr) << path << ": " << sf_strerror(nullptr);
  sf_writef_float(file, samples.data(), static_cast<sf_count_t>(samples.size() / static_cast<std::size_t>(channels)));
  sf_close(file);
}

Sound readSound(const std::string& path) {
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  Sound sound;
  if (file == nullptr) {
    ADD_FAILURE() << path << ": " << sf_strerror(nullptr);
    return sound;
  }
  sound.format = info.format;
  sound.channels = info.channels;
  sound.sampleRate = info.samplerate;
  sound.samples.resize(static_cast<std::size_t>(info.frames) * static_cast<std::size_t>(info.channels));
  sf_readf_float(file, sound.samples.data(), info.frames);
  sf_close(file);
  return sound;
}

std::string fileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

bool fileExists(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0;
}

void ToolFixture::SetUp() {
  char pattern[] = "/tmp/tamzor-cli-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  directory = pattern;
}

void ToolFixture::TearDown() {
  if (!directory.empty()) std::system(("rm -rf " + shellQuoted(directory)).c_str());
}

ToolRun ToolFixture::run(const std::vector<std::string>& arguments, const std::string& environment) const {
  std::string command = "cd " + shellQuoted(directory) + " && " + environment + " " + shellQuoted(TAMZOR_CLI);
  for (const std::string& argument : arguments) {
    command += ' ';
    command += shellQuoted(argument);
  }
  // Captured beside the scratch directory, so that they are not among its entries.
  const std::string outPath = directory + ".stdout";
  const std::string errPath = directory + ".stderr";
  command += " >" + shellQuoted(outPath) + " 2>" + shellQuoted(errPath) + " </dev/null";
  const int status = std::system(command.c_str());
  ToolRun result;
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.out = fileBytes(outPath);
  result.err = fileBytes(errPath);
  unlink(outPath.c_str());
  unlink(errPath.c_str());
  return result;
}

std::vector<std::string> ToolFixture::entries() const {
  std::vector<std::string> names;
  DIR* dir = opendir(directory.c_str());
  while (dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

std::string ToolFixture::stereoInput(const std::string& name) const {
  writeSound(path(name), SF_FORMAT_WAV | SF_FORMAT_PCM_24, 2, 44100, testSignal(2, 11025, 44100));
  return name;
}

}  // namespace tamzor::cli::testing
