#include "CommandLine.h"

#include <algorithm>

namespace tamzor::cli {

namespace {

const OptionRule* findRule(const std::vector<OptionRule>& rules, const std::string& name) {
  auto found = std::find_if(rules.begin(), rules.end(), [&](const OptionRule& rule) { return rule.name == name; });
  return found == rules.end() ? nullptr : &*found;
}

std::string seeHelp(const std::string& command) { return " (see 'tamzor " + command + " --help')"; }

}  // namespace

const std::string* ParsedArguments::value(const std::string& option) const {
  auto found = options.find(option);
  if (found == options.end() || found->second.empty()) return nullptr;
  return &found->second.back();
}

const std::vector<std::string>& ParsedArguments::values(const std::string& option) const {
  static const std::vector<std::string> none;
  auto found = options.find(option);
  return found == options.end() ? none : found->second;
}

Outcome<ParsedArguments> parseArguments(const std::vector<std::string>& arguments,
                                        const std::vector<OptionRule>& rules, const std::string& command) {
  ParsedArguments parsed;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
      parsed.positionals.push_back(argument);
      continue;
    }
    if (argument == "--") {
      optionsEnded = true;
      continue;
    }
    if (argument == "-h" || argument == "--help") {
      parsed.helpRequested = true;
      continue;
    }
    const auto equals = argument.find('=');
    const std::string name = argument.substr(0, equals);
    const OptionRule* rule = findRule(rules, name);
    if (rule == nullptr) return usageFailure("unknown option " + quoted(name) + " for " + command + seeHelp(command));
    if (!rule->repeatable && parsed.has(name)) return usageFailure("option " + name + " is given more than once");
    if (!rule->takesValue) {
      if (equals != std::string::npos) return usageFailure("option " + name + " takes no value");
      parsed.add(name, "");
      continue;
    }
    if (equals != std::string::npos) {
      parsed.add(name, argument.substr(equals + 1));
    } else if (i + 1 < arguments.size()) {
      parsed.add(name, arguments[++i]);
    } else {
      return usageFailure("option " + name + " needs a value" + seeHelp(command));
    }
  }
  return parsed;
}

Status expectPositionals(const ParsedArguments& parsed, std::size_t least, std::size_t most,
                         const std::string& command) {
  const std::size_t count = parsed.positionals.size();
  if (count < least) return usageFailure("missing argument for " + command + seeHelp(command));
  if (count > most) return usageFailure("unexpected argument " + quoted(parsed.positionals[most]) + " for " + command + seeHelp(command));
  return std::nullopt;
}

}  // namespace tamzor::cli
