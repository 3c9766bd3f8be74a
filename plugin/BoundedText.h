// Bounded text copies for buffers handed over by the host. A bound of N means
// at most N characters and a terminating zero at position N at the latest, so
// the destination holds N + 1 bytes. A negative bound writes nothing.
#pragma once

#include <cstddef>

namespace tamzor {

// Copies at most maxLen characters of source, pads the rest of the first
// maxLen bytes with zeros and writes a zero at position maxLen.
void boundedCopy(char* destination, const char* source, int maxLen);

// Appends source to the text already in destination so that the whole stays
// within maxLen characters; writes a zero at position maxLen.
void boundedAppend(char* destination, const char* source, int maxLen);

// Copies the text of source up to its terminator, at most maxLen characters,
// then one terminating zero; nothing after it is written.
void boundedCopyText(char* destination, const char* source, std::size_t maxLen);

}  // namespace tamzor
