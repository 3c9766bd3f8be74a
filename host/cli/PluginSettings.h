// The settings a command applies to the plug-in before it renders, saves or
// shows anything: --program N, then --preset FILE, then each --set NAME=VALUE
// in the order given.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "Failure.h"
#include "PresetFile.h"
#include "host/PluginHost.h"

namespace tamzor::cli {

struct ParameterSetting {
  std::string name;  // as typed
  float value = 0.0f;
};

struct SettingsRequest {
  std::optional<long> program;
  std::optional<std::string> presetPath;
  std::vector<ParameterSetting> parameters;
};

// The options behind a SettingsRequest, for a command's option list.
std::vector<OptionRule> settingsOptions();

// Checks the syntax and numbers; names are checked against the plug-in later.
Outcome<SettingsRequest> parseSettingsRequest(const ParsedArguments& parsed);
Outcome<ParameterSetting> parseParameterSetting(const std::string& text);

// The index of the parameter whose reported name matches `name`, ignoring
// case, spaces, '_' and '-' ("power_amp" finds "Power Amp").
Outcome<int> findParameter(host::Plugin& plugin, const std::string& name);

// Reads a .fxp/.fxb file, checks it belongs to this plug-in and hands its
// chunk over (effSetChunk). Returns the decoded file.
Outcome<PresetFile> loadPreset(host::Plugin& plugin, const std::string& path);

Status applySettings(host::Plugin& plugin, const SettingsRequest& request);

}  // namespace tamzor::cli
