#include "PluginSession.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "PendingOutputFile.h"

#ifndef TAMZOR_DEFAULT_PLUGIN
#define TAMZOR_DEFAULT_PLUGIN ""
#endif

namespace tamzor::cli {

namespace {

constexpr const char* moduleFileName = "Dravik_Tamzor_Head_v1_0.so";

bool exists(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0;
}

// An installed tool finds the module in lib/vst beside its bin directory.
std::string installedModule() {
  std::error_code error;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  return (executable.parent_path().parent_path() / "lib" / "vst" / moduleFileName).string();
}

}  // namespace

std::string pluginPath(const std::string* option) {
  if (option != nullptr) return *option;
  const char* environment = std::getenv("TAMZOR_PLUGIN");
  if (environment != nullptr && *environment != '\0') return environment;
  if (exists(TAMZOR_DEFAULT_PLUGIN)) return TAMZOR_DEFAULT_PLUGIN;
  const std::string installed = installedModule();
  return !installed.empty() && exists(installed) ? installed : TAMZOR_DEFAULT_PLUGIN;
}

Outcome<std::unique_ptr<host::Plugin>> openPlugin(const std::string& path, double sampleRate, int blockSize) {
  const std::string named = "plug-in " + quoted(path);
  struct stat status {};
  if (stat(path.c_str(), &status) != 0)
    return pluginFailure("cannot load " + named + ": " + systemErrorText(errno) + " (give --plugin PATH or set TAMZOR_PLUGIN)");
  if (S_ISDIR(status.st_mode)) return pluginFailure("cannot load " + named + ": it is a directory");

  // The path is handed to dlopen as given: a bare name would be searched for
  // on the library path rather than in the current directory.
  const std::string openable = path.find('/') == std::string::npos ? "./" + path : path;
  host::LoadResult loaded = host::loadPlugin(openable);
  if (!loaded) return pluginFailure("cannot load " + named + ": " + loaded.error);
  std::unique_ptr<host::Plugin> plugin = std::move(loaded.plugin);

  const VstIntPtr version = plugin->dispatch(effGetVstVersion);
  if (version < kVstVersion)
    return pluginFailure(named + " is not a VST 2.4 plug-in (it reports VST version " + std::to_string(version) + ")");
  const AEffect& effect = *plugin->effect();
  if ((effect.flags & effFlagsCanReplacing) == 0)
    return pluginFailure(named + " cannot process in place (no processReplacing)");
  if (effect.numOutputs < 1 || effect.numOutputs > 64 || effect.numInputs < 0 || effect.numInputs > 64)
    return pluginFailure(named + " has an unusable channel layout (" + std::to_string(effect.numInputs) + " in, " +
                         std::to_string(effect.numOutputs) + " out)");

  plugin->dispatch(effOpen);
  plugin->dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
  plugin->dispatch(effSetBlockSize, 0, blockSize);
  return plugin;
}

}  // namespace tamzor::cli
