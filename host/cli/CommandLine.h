// Splits the arguments of one command into positional arguments and options,
// as declared by the command. Options are written "--name value" or
// "--name=value"; "--" ends the options; "-h" and "--help" ask for help.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "Failure.h"

namespace tamzor::cli {

struct OptionRule {
  std::string name;       // with its dashes, e.g. "--block"
  bool takesValue = true; // false for a flag such as "--bank"
  bool repeatable = false;
};

class ParsedArguments {
public:
  std::vector<std::string> positionals;
  bool helpRequested = false;

  bool has(const std::string& option) const { return options.count(option) != 0; }
  // The value of a single-valued option, or nullptr when it was not given.
  const std::string* value(const std::string& option) const;
  // Every value of a repeatable option, in command-line order.
  const std::vector<std::string>& values(const std::string& option) const;

  void add(const std::string& option, std::string text) { options[option].push_back(std::move(text)); }

private:
  std::map<std::string, std::vector<std::string>> options;
};

// `command` names the command in messages ("render").
Outcome<ParsedArguments> parseArguments(const std::vector<std::string>& arguments,
                                        const std::vector<OptionRule>& rules, const std::string& command);

// Fails unless the number of positional arguments lies in [least, most].
Status expectPositionals(const ParsedArguments& parsed, std::size_t least, std::size_t most,
                         const std::string& command);

}  // namespace tamzor::cli
