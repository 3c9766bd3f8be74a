// The value-to-string helpers: exact texts, truncation instead of rounding,
// and bounded writes for every value and every bound.
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "plugin/ValueStrings.h"

namespace tamzor::test {
namespace {

constexpr char kGuard = '#';

// Calls print into a buffer of maxLen + 1 bytes followed by guard bytes and
// checks that nothing beyond the bound was written.
template <typename Print>
std::string printBounded(int maxLen, Print print) {
  std::string buffer(static_cast<std::size_t>(maxLen) + 1 + 16, kGuard);
  print(buffer.data(), maxLen);
  for (std::size_t i = static_cast<std::size_t>(maxLen) + 1; i < buffer.size(); ++i)
    EXPECT_EQ(buffer[i], kGuard) << "overrun at " << i << " with bound " << maxLen;
  EXPECT_LE(strnlen(buffer.data(), buffer.size()), static_cast<std::size_t>(maxLen));
  return std::string(buffer.data(), strnlen(buffer.data(), static_cast<std::size_t>(maxLen) + 1));
}

std::string floatText(float value, int maxLen = 8) {
  return printBounded(maxLen, [&](char* text, int bound) { float2string(value, text, bound); });
}

std::string dBText(float value, int maxLen = 8) {
  return printBounded(maxLen, [&](char* text, int bound) { dB2string(value, text, bound); });
}

std::string intText(std::int32_t value, int maxLen = 8) {
  return printBounded(maxLen, [&](char* text, int bound) { int2string(value, text, bound); });
}

TEST(ValueStrings, Float2StringTruncatesDigits) {
  const std::pair<float, const char*> cases[] = {
      {0.5f, "0.500000"},   {0.7f, "0.699999"},      {1.0f, "1.000000"},    {0.0f, "0.000000"},
      {-0.0f, "0.000000"},  {-20.0f, "-20.0000"},    {0.1f, "0.100000"},    {99.99f, "99.98999"},
      {1234567.0f, "1234567."}, {9999999.0f, "9999999."}, {-123456.0f, "-123456."}, {1e-30f, "0.000000"},
      {-1e-30f, "-0.00000"}, {1e9f, "Huge!"},        {-1e7f, "Huge!"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(floatText(value), text) << value;
}

TEST(ValueStrings, Float2StringHasATextForEveryValue) {
  EXPECT_EQ(floatText(std::numeric_limits<float>::quiet_NaN()), "NaN");
  EXPECT_EQ(floatText(-std::numeric_limits<float>::quiet_NaN()), "NaN");
  EXPECT_EQ(floatText(std::numeric_limits<float>::infinity()), "Huge!");
  EXPECT_EQ(floatText(-std::numeric_limits<float>::infinity()), "Huge!");
  // Integer parts longer than the budget holds, below the "Huge!" limits.
  EXPECT_EQ(floatText(12345678.0f), "Huge!");
  EXPECT_EQ(floatText(99999999.0f), "Huge!");
  EXPECT_EQ(floatText(-1234567.0f), "Huge!");
}

TEST(ValueStrings, DB2String) {
  const std::pair<float, const char*> cases[] = {
      {0.0f, "-oo"}, {-1.0f, "-oo"}, {1.0f, "0.000000"}, {0.1f, "-20.0000"}, {0.01f, "-40.0000"},
      {0.5f, "-6.02060"}, {10.0f, "20.00000"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(dBText(value), text) << value;
  EXPECT_EQ(dBText(std::numeric_limits<float>::infinity()), "Huge!");
  EXPECT_EQ(dBText(std::numeric_limits<float>::quiet_NaN()), "NaN");
}

TEST(ValueStrings, Int2String) {
  const std::pair<std::int32_t, const char*> cases[] = {
      {100000000, "Huge!"}, {99999999, "99999999"}, {42, "42"},          {-42, "-42"},
      {0, "0"},             {1000, "1000"},         {-9999999, "-9999999"}, {INT32_MAX, "Huge!"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(intText(value), text) << value;
  // Only values from 100000000 up are too big; a negative value of any size
  // prints its digits, cut at the bound like every text.
  const std::pair<std::int32_t, const char*> negatives[] = {
      {-100000000, "-100000000"}, {-999999999, "-999999999"}, {-1500000000, "-1500000000"},
      {INT32_MIN, "-2147483648"},
  };
  for (const auto& [value, text] : negatives) {
    EXPECT_EQ(intText(value, 11), text) << value;
    EXPECT_EQ(intText(value), std::string(text).substr(0, 8)) << value;
  }
}

TEST(ValueStrings, HzAndMsFromSampleCounts) {
  auto hz = [](float samples, float rate) {
    return printBounded(8, [&](char* text, int bound) { Hz2string(samples, rate, text, bound); });
  };
  auto ms = [](float samples, float rate) {
    return printBounded(8, [&](char* text, int bound) { ms2string(samples, rate, text, bound); });
  };
  EXPECT_EQ(hz(0.0f, 44100.0f), "0.000000");
  EXPECT_EQ(hz(100.0f, 44100.0f), "441.0000");
  EXPECT_EQ(ms(441.0f, 44100.0f), "10.00000");
  EXPECT_EQ(ms(1.0f, 0.0f), "Huge!");
}

TEST(ValueStrings, EveryBoundHoldsForEveryHelper) {
  const float values[] = {0.0f,       0.7f,    -0.7f,   1e-38f, -20.0f, 123456.789f, -99999.5f, 1e8f,
                          std::numeric_limits<float>::quiet_NaN(), -std::numeric_limits<float>::infinity()};
  for (int bound = 0; bound <= 12; ++bound) {
    for (float value : values) {
      const std::string full = floatText(value);
      EXPECT_EQ(floatText(value, bound), full.substr(0, static_cast<std::size_t>(bound))) << value << " " << bound;
      dBText(value, bound);
      printBounded(bound, [&](char* text, int b) { Hz2string(value, 48000.0f, text, b); });
      printBounded(bound, [&](char* text, int b) { ms2string(value, 48000.0f, text, b); });
    }
    for (std::int32_t value : {0, -1, 12345678, INT32_MIN}) {
      EXPECT_EQ(intText(value, bound), intText(value, 16).substr(0, static_cast<std::size_t>(bound)));
    }
  }
}

TEST(ValueStrings, NegativeBoundWritesNothing) {
  char buffer[4] = {kGuard, kGuard, kGuard, kGuard};
  float2string(0.5f, buffer, -1);
  dB2string(0.5f, buffer, -1);
  int2string(5, buffer, -1);
  for (char c : buffer) EXPECT_EQ(c, kGuard);
}

}  // namespace
}  // namespace tamzor::test
