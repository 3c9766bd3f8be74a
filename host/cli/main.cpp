// tamzor: renders audio files through the amp head plug-in, loaded through
// the VST 2.4 interface as a host loads it, and reads and writes its presets.
#include <cstdio>
#include <string>
#include <vector>

#include "Commands.h"
#include "HelpTexts.h"
#include "Interruption.h"

#ifndef TAMZOR_VERSION
#define TAMZOR_VERSION "unknown"
#endif

namespace {

using tamzor::cli::Arguments;
using tamzor::cli::Status;

Status runHelp(const Arguments& arguments) {
  if (arguments.empty()) {
    std::fputs(tamzor::cli::toolHelp, stdout);
    return std::nullopt;
  }
  const std::string& command = arguments[0];
  if (command == "render") return tamzor::cli::runRender({"--help"});
  if (command == "info") return tamzor::cli::runInfo({"--help"});
  if (command == "preset") {
    // "help preset" or "help preset save"
    Arguments presetArguments(arguments.begin() + 1, arguments.end());
    presetArguments.push_back("--help");
    return tamzor::cli::runPreset(presetArguments);
  }
  if (command == "demo") return tamzor::cli::runDemo({"--help"});
  return tamzor::cli::usageFailure("no help for unknown command " + tamzor::cli::quoted(command));
}

Status runCommand(const std::string& command, const Arguments& arguments) {
  if (command == "render") return tamzor::cli::runRender(arguments);
  if (command == "info") return tamzor::cli::runInfo(arguments);
  if (command == "preset") return tamzor::cli::runPreset(arguments);
  if (command == "demo") return tamzor::cli::runDemo(arguments);
  if (command == "help" || command == "--help" || command == "-h") return runHelp(arguments);
  if (command == "--version") {
    std::printf("tamzor %s\n", TAMZOR_VERSION);
    return std::nullopt;
  }
  return tamzor::cli::usageFailure("unknown command " + tamzor::cli::quoted(command) + " (see 'tamzor --help')");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs(tamzor::cli::toolHelp, stderr);
    return static_cast<int>(tamzor::cli::ExitCode::usage);
  }
  tamzor::cli::installInterruptionHandlers();
  const Arguments arguments(argv + 2, argv + argc);
  const Status failure = runCommand(argv[1], arguments);
  std::fflush(stdout);
  if (failure) {
    std::fprintf(stderr, "tamzor: error: %s\n", failure->message.c_str());
    return static_cast<int>(failure->code);
  }
  return 0;
}
