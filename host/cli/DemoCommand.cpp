#include <cstdio>
#include <filesystem>
#include <system_error>

#include "CommandLine.h"
#include "Commands.h"
#include "DemoRiff.h"
#include "HelpTexts.h"
#include "NumberParsing.h"
#include "OutputFormat.h"
#include "PluginSession.h"
#include "PluginSettings.h"
#include "ProgressBar.h"
#include "RenderToFile.h"

namespace tamzor::cli {

namespace {

constexpr int demoSampleRate = 44100;

struct DemoSound {
  const char* file;
  const char* title;
  bool doubleTracked;  // a second take on the right input
  std::vector<ParameterSetting> settings;  // by parameter name, applied in order
};

// Channel comes first in each list: it recalls the channel's own settings.
// Volumes put each sound's peak near -2 dBFS.
std::vector<DemoSound> demoSounds() {
  return {
      {"01-clean-pls.wav", "clean PLS", false,
       {{"Channel", 0.0f}, {"Input", 0.4f}, {"Drive", 0.2f}, {"Mix PLS", 0.3f}, {"Low", 0.5f}, {"Mid", 0.55f},
        {"High", 0.6f}, {"Contour", 0.4f}, {"Power Amp", 0.3f}, {"Volume", 0.67f}}},
      {"02-crunch-pls.wav", "crunch (PLS, drive up)", false,
       {{"Channel", 0.0f}, {"Input", 0.6f}, {"Drive", 0.7f}, {"Mix PLS", 0.7f}, {"Low", 0.55f}, {"Mid", 0.6f},
        {"High", 0.55f}, {"Contour", 0.5f}, {"Power Amp", 0.6f}, {"Volume", 0.32f}}},
      {"03-mcj-boost.wav", "MCJ with boost", false,
       {{"Channel", 1.0f}, {"Input", 0.6f}, {"Drive", 0.75f}, {"MCJ Boost", 1.0f}, {"Low", 0.6f}, {"Mid", 0.45f},
        {"High", 0.6f}, {"Contour", 0.65f}, {"Power Amp", 0.5f}, {"Volume", 0.43f}}},
      {"04-highq-stereo.wav", "HighQ stereo, double-tracked MCJ", true,
       {{"Channel", 1.0f}, {"Input", 0.5f}, {"Drive", 0.6f}, {"Mono/Stereo", 1.0f}, {"LowQ/HighQ", 1.0f},
        {"Low", 0.55f}, {"Mid", 0.5f}, {"High", 0.55f}, {"Contour", 0.55f}, {"Power Amp", 0.5f},
        {"Volume", 0.46f}}},
  };
}

std::string settingsText(const std::vector<ParameterSetting>& settings) {
  std::string text;
  for (const ParameterSetting& setting : settings) {
    char value[32];
    std::snprintf(value, sizeof value, "%g", static_cast<double>(setting.value));
    text += (text.empty() ? "" : ", ") + setting.name + "=" + value;
  }
  return text;
}

}  // namespace

Status runDemo(const Arguments& arguments) {
  const std::vector<OptionRule> options{{"--out", true, false},
                                        {"--block", true, false},
                                        {"--plugin", true, false},
                                        {"--quiet", false, false},
                                        {"-q", false, false}};
  Outcome<ParsedArguments> parsed = parseArguments(arguments, options, "demo");
  if (!parsed) return parsed.failure();
  if (parsed->helpRequested) {
    std::fputs(demoHelp, stdout);
    return std::nullopt;
  }
  if (Status count = expectPositionals(*parsed, 0, 0, "demo")) return count;
  long blockSize = 512;
  if (const std::string* block = parsed->value("--block")) {
    Outcome<long> number = parseWholeNumber(*block, "--block", 1, 65536);
    if (!number) return number.failure();
    blockSize = *number;
  }
  const bool quiet = parsed->has("--quiet") || parsed->has("-q");
  const std::string directory = parsed->value("--out") != nullptr ? *parsed->value("--out") : "out/demo";
  const std::string plugin = pluginPath(parsed->value("--plugin"));

  // The plug-in is checked before anything is written.
  if (Outcome<std::unique_ptr<host::Plugin>> check = openPlugin(plugin, demoSampleRate, static_cast<int>(blockSize)); !check)
    return check.failure();

  std::error_code error;
  std::filesystem::create_directories(directory, error);
  if (error) return fileFailure("cannot create " + quoted(directory) + ": " + error.message());

  DemoRiffTake firstTake;
  firstTake.sampleRate = demoSampleRate;
  DemoRiffTake secondTake = firstTake;
  secondTake.seed = 2;
  secondTake.timingSpreadSeconds = 0.006;
  secondTake.levelSpread = 0.08;
  const std::vector<float> riff = synthesiseDemoRiff(firstTake);
  const std::vector<float> doubled = synthesiseDemoRiff(secondTake);

  Outcome<OutputFormat> format = outputFormatFor("demo.wav", nullptr);
  const std::string dryPath = directory + "/00-di-riff.wav";
  if (Status written = writeSoundFile(dryPath, *format, demoSampleRate, 1, riff)) return written;
  if (!quiet) std::printf("  %-28s the dry DI riff (mono, %.0f s, %.0f dBFS peak)\n", dryPath.c_str(), demoRiffSeconds, demoRiffPeakDbfs);

  double audioSeconds = 0.0;
  double wallSeconds = 0.0;
  for (const DemoSound& sound : demoSounds()) {
    // A fresh instance per sound, so that each file depends only on its settings.
    Outcome<std::unique_ptr<host::Plugin>> loaded = openPlugin(plugin, demoSampleRate, static_cast<int>(blockSize));
    if (!loaded) return loaded.failure();
    SettingsRequest request;
    request.parameters = sound.settings;
    if (Status applied = applySettings(**loaded, request)) return applied;

    MemoryFrameSource source = sound.doubleTracked ? stereoSource(riff, doubled) : MemoryFrameSource(riff, 1);
    RenderOptions renderOptions;
    renderOptions.blockSize = static_cast<int>(blockSize);
    renderOptions.sampleRate = demoSampleRate;
    renderOptions.showProgress = standardErrorIsTerminal();
    const std::string path = directory + "/" + sound.file;
    Outcome<RenderReport> report = renderToFile(**loaded, source, path, *format, renderOptions);
    if (!report) return report.failure();
    if (report->samplesBeyondFullScale > 0)
      std::fprintf(stderr, "tamzor: warning: %lld samples beyond full scale were clipped in %s\n",
                   report->samplesBeyondFullScale, quoted(path).c_str());
    audioSeconds += static_cast<double>(report->frames) / demoSampleRate;
    wallSeconds += report->wallSeconds;
    if (!quiet) std::printf("  %-28s %s: %s\n", path.c_str(), sound.title, settingsText(sound.settings).c_str());
  }

  if (!quiet) {
    const std::filesystem::path absolute = std::filesystem::absolute(directory, error);
    std::printf("\nThe demo files are in %s (44.1 kHz, 24-bit WAV).\n",
                (error ? directory : absolute.lexically_normal().string()).c_str());
    if (wallSeconds > 0.0)
      std::printf("Rendered %.1f s of audio in %.2f s, %.1fx real time, with %s\n", audioSeconds, wallSeconds,
                  audioSeconds / wallSeconds, plugin.c_str());
  }
  return std::nullopt;
}

}  // namespace tamzor::cli
