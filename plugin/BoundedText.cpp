#include "plugin/BoundedText.h"

#include <cstring>

namespace tamzor {

void boundedCopy(char* destination, const char* source, int maxLen) {
  if (destination == nullptr || source == nullptr || maxLen < 0) return;
  const auto bound = static_cast<std::size_t>(maxLen);
  const std::size_t length = strnlen(source, bound);
  std::memcpy(destination, source, length);
  std::memset(destination + length, 0, bound - length);
  destination[bound] = '\0';
}

void boundedAppend(char* destination, const char* source, int maxLen) {
  if (destination == nullptr || source == nullptr || maxLen < 0) return;
  const auto bound = static_cast<std::size_t>(maxLen);
  const std::size_t used = strnlen(destination, bound);
  if (used < bound) {
    const std::size_t length = strnlen(source, bound - used);
    std::memcpy(destination + used, source, length);
    std::memset(destination + used + length, 0, bound - used - length);
  }
  destination[bound] = '\0';
}

void boundedCopyText(char* destination, const char* source, std::size_t maxLen) {
  if (destination == nullptr || source == nullptr) return;
  const std::size_t length = strnlen(source, maxLen);
  std::memcpy(destination, source, length);
  destination[length] = '\0';
}

}  // namespace tamzor
