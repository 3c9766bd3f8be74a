#include <cstdio>

#include "CommandLine.h"
#include "Commands.h"
#include "HelpTexts.h"
#include "NumberParsing.h"
#include "OutputFormat.h"
#include "PluginSession.h"
#include "PluginSettings.h"
#include "ProgressBar.h"
#include "RenderToFile.h"
#include "SoundFile.h"

namespace tamzor::cli {

namespace {

constexpr long largestBlock = 65536;

std::vector<OptionRule> renderOptions() {
  std::vector<OptionRule> options = settingsOptions();
  options.push_back({"--block", true, false});
  options.push_back({"--bits", true, false});
  options.push_back({"--plugin", true, false});
  options.push_back({"--quiet", false, false});
  options.push_back({"-q", false, false});
  return options;
}

}  // namespace

Status runRender(const Arguments& arguments) {
  Outcome<ParsedArguments> parsed = parseArguments(arguments, renderOptions(), "render");
  if (!parsed) return parsed.failure();
  if (parsed->helpRequested) {
    std::fputs(renderHelp, stdout);
    return std::nullopt;
  }
  if (Status count = expectPositionals(*parsed, 2, 2, "render")) return count;
  const std::string& inputPath = parsed->positionals[0];
  const std::string& outputPath = parsed->positionals[1];

  // Everything the command line alone can get wrong is checked first.
  long blockSize = 512;
  if (const std::string* block = parsed->value("--block")) {
    Outcome<long> number = parseWholeNumber(*block, "--block", 1, largestBlock);
    if (!number) return number.failure();
    blockSize = *number;
  }
  Outcome<OutputFormat> format = outputFormatFor(outputPath, parsed->value("--bits"));
  if (!format) return format.failure();
  Outcome<SettingsRequest> settings = parseSettingsRequest(*parsed);
  if (!settings) return settings.failure();
  const bool quiet = parsed->has("--quiet") || parsed->has("-q");

  Outcome<SoundFileReader> input = SoundFileReader::open(inputPath);
  if (!input) return input.failure();
  if (input->channels() > 2)
    return fileFailure(quoted(inputPath) + " has " + std::to_string(input->channels()) +
                       " channels; only mono and stereo files can be rendered");

  const double sampleRate = input->sampleRate();
  Outcome<std::unique_ptr<host::Plugin>> plugin =
      openPlugin(pluginPath(parsed->value("--plugin")), sampleRate, static_cast<int>(blockSize));
  if (!plugin) return plugin.failure();
  if (Status applied = applySettings(**plugin, *settings)) return applied;

  RenderOptions options;
  options.blockSize = static_cast<int>(blockSize);
  options.sampleRate = sampleRate;
  options.showProgress = standardErrorIsTerminal();
  Outcome<RenderReport> report = renderToFile(**plugin, *input, outputPath, *format, options);
  if (!report) return report.failure();

  if (format->integerSamples && report->samplesBeyondFullScale > 0)
    std::fprintf(stderr, "tamzor: warning: %lld samples beyond full scale were clipped in %s\n",
                 report->samplesBeyondFullScale, quoted(outputPath).c_str());
  if (!quiet)
    std::printf("wrote %s (%s, %s, %d Hz): %s\n", outputPath.c_str(), format->description.c_str(),
                channelsText(renderedChannels(*(*plugin)->effect())).c_str(), input->sampleRate(),
                realTimeSummary(*report, sampleRate).c_str());
  return std::nullopt;
}

}  // namespace tamzor::cli
