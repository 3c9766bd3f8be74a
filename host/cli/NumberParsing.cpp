#include "NumberParsing.h"

#include <charconv>
#include <cmath>

namespace tamzor::cli {

Outcome<long> parseWholeNumber(const std::string& text, const std::string& what, long least, long most) {
  long number = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, number);
  if (text.empty() || error == std::errc::invalid_argument || stop != end)
    return usageFailure(what + ": " + quoted(text) + " is not a whole number");
  if (error == std::errc::result_out_of_range || number < least || number > most)
    return usageFailure(what + ": " + text + " is out of range (" + std::to_string(least) + " to " +
                        std::to_string(most) + ")");
  return number;
}

Outcome<double> parseUnitValue(const std::string& text, const std::string& what) {
  double number = 0.0;
  const char* begin = text.data();
  const char* end = begin + text.size();
  if (begin != end && *begin == '+') ++begin;  // from_chars refuses a leading plus
  const auto [stop, error] = std::from_chars(begin, end, number);
  if (begin == end || error != std::errc() || stop != end || !std::isfinite(number))
    return usageFailure(what + ": " + quoted(text) + " is not a number");
  if (number < 0.0 || number > 1.0) return usageFailure(what + ": " + text + " is outside 0 to 1");
  return number;
}

}  // namespace tamzor::cli
