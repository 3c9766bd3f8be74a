// Strict parsing of numbers typed on the command line: the whole text must be
// the number, with nothing before or after it.
#pragma once

#include <string>

#include "Failure.h"

namespace tamzor::cli {

// A whole number in [least, most]; `what` names it in messages ("--block").
Outcome<long> parseWholeNumber(const std::string& text, const std::string& what, long least, long most);

// A finite decimal number in [0, 1], such as a normalised parameter value.
Outcome<double> parseUnitValue(const std::string& text, const std::string& what);

}  // namespace tamzor::cli
