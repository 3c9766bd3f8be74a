// Printed views of a loaded plug-in: identity, parameters, programs.
#pragma once

#include <cstdio>

#include "host/PluginHost.h"

namespace tamzor::cli {

void printIdentity(std::FILE* out, host::Plugin& plugin);
// Index, name, display text and label of every parameter.
void printParameters(std::FILE* out, host::Plugin& plugin);
// Every program's name, the current one marked with '*'.
void printPrograms(std::FILE* out, host::Plugin& plugin);

}  // namespace tamzor::cli
