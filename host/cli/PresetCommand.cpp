#include <cstdio>

#include "CommandLine.h"
#include "Commands.h"
#include "FileBytes.h"
#include "HelpTexts.h"
#include "OutputFormat.h"
#include "PendingOutputFile.h"
#include "PluginReport.h"
#include "PluginSession.h"
#include "PluginSettings.h"
#include "PresetFile.h"

namespace tamzor::cli {

namespace {

constexpr std::size_t presetSizeLimit = 64u << 20;

Outcome<PresetKind> savedKind(const std::string& path, bool bankRequested) {
  const std::string extension = lowerCaseExtension(path);
  if (extension == "fxb") return PresetKind::bank;
  if (extension == "fxp") {
    if (bankRequested) return usageFailure("--bank writes a bank: name the file .fxb, not " + quoted(path));
    return PresetKind::program;
  }
  return usageFailure("preset file " + quoted(path) + " must end in .fxp (program) or .fxb (bank)");
}

Status savePreset(const Arguments& arguments) {
  std::vector<OptionRule> options = settingsOptions();
  options.push_back({"--bank", false, false});
  options.push_back({"--name", true, false});
  options.push_back({"--plugin", true, false});
  Outcome<ParsedArguments> parsed = parseArguments(arguments, options, "preset save");
  if (!parsed) return parsed.failure();
  if (parsed->helpRequested) {
    std::fputs(presetSaveHelp, stdout);
    return std::nullopt;
  }
  if (Status count = expectPositionals(*parsed, 1, 1, "preset save")) return count;
  const std::string& path = parsed->positionals[0];
  Outcome<PresetKind> kind = savedKind(path, parsed->has("--bank"));
  if (!kind) return kind.failure();
  Outcome<SettingsRequest> settings = parseSettingsRequest(*parsed);
  if (!settings) return settings.failure();

  Outcome<std::unique_ptr<host::Plugin>> loaded = openPlugin(pluginPath(parsed->value("--plugin")), 44100.0, 512);
  if (!loaded) return loaded.failure();
  host::Plugin& plugin = **loaded;
  if ((plugin.effect()->flags & effFlagsProgramChunks) == 0)
    return pluginFailure("the plug-in keeps no chunks, so it has no chunk preset to save");
  if (Status applied = applySettings(plugin, *settings)) return applied;
  if (const std::string* name = parsed->value("--name")) plugin.setProgramName(*name);

  PresetFile preset;
  preset.kind = *kind;
  preset.pluginId = plugin.effect()->uniqueID;
  preset.pluginVersion = plugin.effect()->version;
  const bool program = *kind == PresetKind::program;
  preset.count = program ? plugin.effect()->numParams : plugin.effect()->numPrograms;
  if (program) preset.programName = plugin.programName();
  preset.chunk = plugin.chunk(program);
  if (preset.chunk.empty()) return pluginFailure("the plug-in handed out no " + std::string(presetKindName(*kind)) + " chunk");

  const std::vector<unsigned char> bytes = encodePreset(preset);
  Outcome<PendingOutputFile> file = PendingOutputFile::create(path);
  if (!file) return file.failure();
  if (Status written = file->writeAll(bytes.data(), bytes.size())) return written;
  if (Status committed = file->commit()) return committed;

  if (program) {
    std::printf("wrote program preset %s: program %d \"%s\", %zu-byte chunk, plug-in %s\n", path.c_str(),
                plugin.currentProgram(), preset.programName.c_str(), preset.chunk.size(),
                fourCharText(preset.pluginId).c_str());
  } else {
    std::printf("wrote bank preset %s: %d programs, %zu-byte chunk, plug-in %s\n", path.c_str(), preset.count,
                preset.chunk.size(), fourCharText(preset.pluginId).c_str());
  }
  return std::nullopt;
}

void printHeader(const std::string& path, const PresetFile& preset) {
  const bool program = preset.kind == PresetKind::program;
  std::printf("File:           %s\n", path.c_str());
  std::printf("Type:           %s (%s)\n", program ? "program" : "bank", program ? "FPCh" : "FBCh");
  std::printf("Plug-in ID:     %s\n", fourCharText(preset.pluginId).c_str());
  std::printf("Version:        %d\n", preset.pluginVersion);
  std::printf("%s %d\n", program ? "Parameters:    " : "Programs:      ", preset.count);
  if (program) std::printf("Program name:   %s\n", preset.programName.c_str());
  std::printf("Chunk:          %zu bytes\n", preset.chunk.size());
}

Status showPreset(const Arguments& arguments) {
  const std::vector<OptionRule> options{{"--program", true, false}, {"--plugin", true, false}};
  Outcome<ParsedArguments> parsed = parseArguments(arguments, options, "preset show");
  if (!parsed) return parsed.failure();
  if (parsed->helpRequested) {
    std::fputs(presetShowHelp, stdout);
    return std::nullopt;
  }
  if (Status count = expectPositionals(*parsed, 1, 1, "preset show")) return count;
  const std::string& path = parsed->positionals[0];
  Outcome<SettingsRequest> shownProgram = parseSettingsRequest(*parsed);
  if (!shownProgram) return shownProgram.failure();

  Outcome<std::vector<unsigned char>> bytes = readFileBytes(path, presetSizeLimit);
  if (!bytes) return bytes.failure();
  Outcome<PresetFile> preset = decodePreset(*bytes, path);
  if (!preset) return preset.failure();

  Outcome<std::unique_ptr<host::Plugin>> loaded = openPlugin(pluginPath(parsed->value("--plugin")), 44100.0, 512);
  if (!loaded) return loaded.failure();
  host::Plugin& plugin = **loaded;
  Outcome<PresetFile> applied = loadPreset(plugin, path);
  if (!applied) return applied.failure();
  if (preset->kind == PresetKind::bank && shownProgram->program) {
    SettingsRequest selection;
    selection.program = shownProgram->program;
    if (Status selected = applySettings(plugin, selection)) return selected;
  }

  printHeader(path, *preset);
  std::fputs("\n", stdout);
  if (preset->kind == PresetKind::bank) std::printf("Program %d:\n", plugin.currentProgram());
  printParameters(stdout, plugin);
  if (preset->kind == PresetKind::bank) {
    std::fputs("\n", stdout);
    printPrograms(stdout, plugin);
  }
  return std::nullopt;
}

}  // namespace

Status runPreset(const Arguments& arguments) {
  if (arguments.empty() || arguments[0] == "--help" || arguments[0] == "-h") {
    std::fputs(presetHelp, arguments.empty() ? stderr : stdout);
    if (arguments.empty()) return usageFailure("preset needs 'save' or 'show'");
    return std::nullopt;
  }
  const Arguments rest(arguments.begin() + 1, arguments.end());
  if (arguments[0] == "save") return savePreset(rest);
  if (arguments[0] == "show") return showPreset(rest);
  return usageFailure("unknown preset command " + quoted(arguments[0]) + " (use 'save' or 'show')");
}

}  // namespace tamzor::cli
