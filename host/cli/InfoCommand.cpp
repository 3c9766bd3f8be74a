#include <cstdio>

#include "CommandLine.h"
#include "Commands.h"
#include "HelpTexts.h"
#include "PluginReport.h"
#include "PluginSession.h"
#include "PluginSettings.h"

namespace tamzor::cli {

Status runInfo(const Arguments& arguments) {
  std::vector<OptionRule> options = settingsOptions();
  options.push_back({"--plugin", true, false});
  Outcome<ParsedArguments> parsed = parseArguments(arguments, options, "info");
  if (!parsed) return parsed.failure();
  if (parsed->helpRequested) {
    std::fputs(infoHelp, stdout);
    return std::nullopt;
  }
  if (Status count = expectPositionals(*parsed, 0, 0, "info")) return count;
  Outcome<SettingsRequest> settings = parseSettingsRequest(*parsed);
  if (!settings) return settings.failure();

  Outcome<std::unique_ptr<host::Plugin>> plugin = openPlugin(pluginPath(parsed->value("--plugin")), 44100.0, 512);
  if (!plugin) return plugin.failure();
  host::Plugin& effect = **plugin;
  if (Status applied = applySettings(effect, *settings)) return applied;

  printIdentity(stdout, effect);
  std::fputs("\n", stdout);
  printParameters(stdout, effect);
  std::fputs("\n", stdout);
  printPrograms(stdout, effect);
  return std::nullopt;
}

}  // namespace tamzor::cli
