#include "plugin/ValueStrings.h"

#include <cmath>
#include <cstdint>

#include "plugin/BoundedText.h"

namespace tamzor {

namespace {

constexpr int kFloatWidth = 8;

}  // namespace

void float2string(float value, char* text, int maxLen) {
  if (text == nullptr || maxLen < 0) return;
  double v = value;
  if (std::isnan(v)) {
    boundedCopy(text, "NaN", maxLen);
    return;
  }
  int width = 0;
  bool negative = false;
  if (v < 0) {
    negative = true;
    v = -v;
    ++width;
    if (v > 9999999.0) {
      boundedCopy(text, "Huge!", maxLen);
      return;
    }
  } else if (v > 99999999.0) {
    boundedCopy(text, "Huge!", maxLen);
    return;
  }

  ++width;  // the decimal point
  // v is finite and below 1e8 here, so its integer part fits 64 bits.
  auto integer = static_cast<std::int64_t>(std::floor(v));
  char reversed[kFloatWidth + 1] = {};
  int digits = 0;
  do {
    reversed[digits++] = static_cast<char>('0' + integer % 10);
    integer /= 10;
    ++width;
  } while (integer >= 1 && width < kFloatWidth);
  if (integer >= 1) {
    // More integer digits than the budget holds.
    boundedCopy(text, "Huge!", maxLen);
    return;
  }

  char head[kFloatWidth + 2] = {};
  int length = 0;
  if (negative) head[length++] = '-';
  while (digits > 0) head[length++] = reversed[--digits];
  head[length++] = '.';
  head[length] = '\0';
  boundedCopy(text, head, maxLen);
  if (width >= kFloatWidth) return;

  const int count = kFloatWidth - width;
  double m = std::fmod(v, 1.0) * std::pow(10.0, count);
  char fraction[kFloatWidth + 1] = {};
  for (int i = count - 1; i >= 0; --i) {
    if (m <= 0) {
      fraction[i] = '0';
    } else {
      fraction[i] = static_cast<char>('0' + static_cast<int>(std::fmod(m, 10.0)));
      m /= 10.0;
    }
  }
  fraction[count] = '\0';
  boundedAppend(text, fraction, maxLen);
}

void dB2string(float value, char* text, int maxLen) {
  if (text == nullptr || maxLen < 0) return;
  if (value <= 0) {
    boundedCopy(text, "-oo", maxLen);
    return;
  }
  const auto logarithm = static_cast<float>(std::log10(static_cast<double>(value)));
  const auto decibels = static_cast<float>(20.0 * static_cast<double>(logarithm));
  float2string(decibels, text, maxLen);
}

void Hz2string(float samples, float sampleRate, char* text, int maxLen) {
  if (samples == 0) {
    float2string(0.0f, text, maxLen);
  } else {
    float2string(sampleRate / samples, text, maxLen);
  }
}

void ms2string(float samples, float sampleRate, char* text, int maxLen) {
  float2string(samples * 1000.0f / sampleRate, text, maxLen);
}

void int2string(std::int32_t value, char* text, int maxLen) {
  if (text == nullptr || maxLen < 0) return;
  if (value >= 100000000) {
    boundedCopy(text, "Huge!", maxLen);
    return;
  }
  std::int64_t magnitude = value;
  char result[16] = {};
  int length = 0;
  if (magnitude < 0) {
    result[length++] = '-';
    magnitude = -magnitude;
  }
  bool seenNonZero = false;
  for (std::int64_t divisor = 100000000; divisor >= 1; divisor /= 10) {
    const std::int64_t digit = magnitude / divisor;
    magnitude -= digit * divisor;
    if (digit != 0) seenNonZero = true;
    if (!seenNonZero) continue;
    // Only a negative value reaches 10 or more in the leading place (its
    // magnitude may have ten digits); that place prints both of them.
    if (digit >= 10) result[length++] = static_cast<char>('0' + digit / 10);
    result[length++] = static_cast<char>('0' + digit % 10);
  }
  if (!seenNonZero) result[length++] = '0';
  result[length] = '\0';
  boundedCopy(text, result, maxLen);
}

}  // namespace tamzor
