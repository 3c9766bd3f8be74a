// Whole-file reading for small files such as presets.
#pragma once

#include <string>
#include <vector>

#include "Failure.h"

namespace tamzor::cli {

// Fails for a missing or unreadable file, a directory, or a file larger than
// `limit` bytes.
Outcome<std::vector<unsigned char>> readFileBytes(const std::string& path, std::size_t limit);

}  // namespace tamzor::cli
