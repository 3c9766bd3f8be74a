// Opens the plug-in for a command as a host does: load the library through
// the host layer, check that it is a VST 2.4 effect that can process in
// place, open it and announce the sample rate and block size.
#pragma once

#include <memory>
#include <string>

#include "Failure.h"
#include "host/PluginHost.h"

namespace tamzor::cli {

// The library to load: --plugin if given, else $TAMZOR_PLUGIN, else the module
// built alongside the tool.
std::string pluginPath(const std::string* option);

// Loads, checks and opens the effect (effOpen, effSetSampleRate,
// effSetBlockSize). Failures carry ExitCode::plugin.
Outcome<std::unique_ptr<host::Plugin>> openPlugin(const std::string& path, double sampleRate, int blockSize);

}  // namespace tamzor::cli
