// The --help texts of the tool and of each command.
#pragma once

#include <string>

namespace tamzor::cli {

extern const char* const toolHelp;
extern const char* const renderHelp;
extern const char* const infoHelp;
extern const char* const presetHelp;
extern const char* const presetSaveHelp;
extern const char* const presetShowHelp;
extern const char* const demoHelp;

}  // namespace tamzor::cli
