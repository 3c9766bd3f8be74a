#include "PluginSettings.h"

#include <cctype>

#include "FileBytes.h"
#include "NumberParsing.h"

namespace tamzor::cli {

namespace {

constexpr std::size_t presetSizeLimit = 64u << 20;

std::string normalisedName(const std::string& name) {
  std::string result;
  for (char c : name) {
    if (c == ' ' || c == '_' || c == '-') continue;
    result.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
  }
  return result;
}

}  // namespace

std::vector<OptionRule> settingsOptions() {
  return {{"--program", true, false}, {"--preset", true, false}, {"--set", true, true}};
}

Outcome<ParameterSetting> parseParameterSetting(const std::string& text) {
  const auto equals = text.find('=');
  if (equals == std::string::npos || equals == 0)
    return usageFailure("--set expects NAME=VALUE, got " + quoted(text));
  ParameterSetting setting;
  setting.name = text.substr(0, equals);
  Outcome<double> value = parseUnitValue(text.substr(equals + 1), "--set " + setting.name);
  if (!value) return value.failure();
  setting.value = static_cast<float>(*value);
  return setting;
}

Outcome<SettingsRequest> parseSettingsRequest(const ParsedArguments& parsed) {
  SettingsRequest request;
  if (const std::string* program = parsed.value("--program")) {
    Outcome<long> number = parseWholeNumber(*program, "--program", 0, 1 << 20);
    if (!number) return number.failure();
    request.program = *number;
  }
  if (const std::string* preset = parsed.value("--preset")) request.presetPath = *preset;
  for (const std::string& text : parsed.values("--set")) {
    Outcome<ParameterSetting> setting = parseParameterSetting(text);
    if (!setting) return setting.failure();
    request.parameters.push_back(*setting);
  }
  return request;
}

Outcome<int> findParameter(host::Plugin& plugin, const std::string& name) {
  const std::string wanted = normalisedName(name);
  const int count = plugin.effect()->numParams;
  std::string known;
  for (int index = 0; index < count; ++index) {
    const std::string reported = plugin.parameterName(index);
    if (!wanted.empty() && normalisedName(reported) == wanted) return index;
    known += (index == 0 ? "" : ", ") + reported;
  }
  return usageFailure("unknown parameter " + quoted(name) + " (parameters: " + known + ")");
}

Outcome<PresetFile> loadPreset(host::Plugin& plugin, const std::string& path) {
  Outcome<std::vector<unsigned char>> bytes = readFileBytes(path, presetSizeLimit);
  if (!bytes) return bytes.failure();
  Outcome<PresetFile> preset = decodePreset(*bytes, path);
  if (!preset) return preset;
  const VstInt32 ownId = plugin.effect()->uniqueID;
  if (preset->pluginId != ownId)
    return pluginFailure("preset " + quoted(path) + " is for another plug-in (ID " + fourCharText(preset->pluginId) +
                         ", this plug-in is " + fourCharText(ownId) + ")");
  const bool program = preset->kind == PresetKind::program;
  if ((plugin.effect()->flags & effFlagsProgramChunks) == 0)
    return pluginFailure("the plug-in does not take chunks, so it cannot load " + quoted(path));
  if (plugin.setChunk(preset->chunk, program) == 0)
    return pluginFailure("the plug-in refused the " + std::to_string(preset->chunk.size()) + "-byte " +
                         presetKindName(preset->kind) + " chunk of " + quoted(path));
  return preset;
}

Status applySettings(host::Plugin& plugin, const SettingsRequest& request) {
  if (request.program) {
    const long last = plugin.effect()->numPrograms - 1;
    if (*request.program > last)
      return usageFailure("--program: " + std::to_string(*request.program) + " is out of range (0 to " +
                          std::to_string(last) + ")");
    plugin.setProgram(static_cast<VstInt32>(*request.program));
  }
  if (request.presetPath) {
    Outcome<PresetFile> preset = loadPreset(plugin, *request.presetPath);
    if (!preset) return preset.failure();
  }
  // Names are checked before any value is set, so a mistake changes nothing.
  std::vector<int> indices;
  for (const ParameterSetting& setting : request.parameters) {
    Outcome<int> index = findParameter(plugin, setting.name);
    if (!index) return index.failure();
    indices.push_back(*index);
  }
  for (std::size_t i = 0; i < indices.size(); ++i) plugin.setParameter(indices[i], request.parameters[i].value);
  return std::nullopt;
}

}  // namespace tamzor::cli
