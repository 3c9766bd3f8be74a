// Outcome of the command-line tool's operations: a value, or a failure with
// the one-line message shown to the user and the process exit code.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace tamzor::cli {

// Process exit codes, documented for users in the README.
enum class ExitCode : int {
  success = 0,
  usage = 1,        // bad command, option, value or parameter name
  file = 2,         // missing, unreadable or unwritable file, unsupported format
  plugin = 3,       // library not loadable / not a VST 2.4 plug-in, preset refused
  interrupted = 130 // stopped by SIGINT or SIGTERM
};

struct Failure {
  ExitCode code;
  std::string message;
};

inline Failure usageFailure(std::string message) { return {ExitCode::usage, std::move(message)}; }
inline Failure fileFailure(std::string message) { return {ExitCode::file, std::move(message)}; }
inline Failure pluginFailure(std::string message) { return {ExitCode::plugin, std::move(message)}; }

// Nothing, or the failure that stopped an operation.
using Status = std::optional<Failure>;

// A value of type T, or the failure that prevented it.
template <typename T>
class Outcome {
public:
  Outcome(T value) : state(std::move(value)) {}
  Outcome(Failure failure) : state(std::move(failure)) {}

  bool ok() const { return std::holds_alternative<T>(state); }
  explicit operator bool() const { return ok(); }

  T& value() { return std::get<T>(state); }
  const T& value() const { return std::get<T>(state); }
  T& operator*() { return value(); }
  const T& operator*() const { return value(); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }

  const Failure& failure() const { return std::get<Failure>(state); }

private:
  std::variant<T, Failure> state;
};

// Quotes a user-supplied text for a message: 'text'.
inline std::string quoted(const std::string& text) { return "'" + text + "'"; }

}  // namespace tamzor::cli
