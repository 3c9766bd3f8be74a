// Parameters through the ABI: defaults, names, labels, display texts, the
// per-channel memory and the refusal of values that are not finite.
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "LoadedPlugin.h"

namespace tamzor::test {
namespace {

using ParameterTest = LoadedPlugin;

constexpr float kDefaults[13] = {0.5f, 0.0f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.0f, 0.0f, 0.0f};
const char* const kNames[13] = {"Input", "Channel", "Drive", "Mix PLS", "Low", "Mid", "High",
                                "Contour", "Power Amp", "Volume", "Mono/Stereo", "LowQ/HighQ", "MCJ Boost"};

TEST_F(ParameterTest, NewEffectHoldsTheDefaults) {
  for (VstInt32 i = 0; i < 13; ++i) EXPECT_EQ(plugin->getParameter(i), kDefaults[i]) << i;
  EXPECT_EQ(plugin->getParameter(13), 0.0f);
  EXPECT_EQ(plugin->getParameter(-1), 0.0f);
}

TEST_F(ParameterTest, NamesAreWrittenWholeWithTheirTerminator) {
  for (VstInt32 i = 0; i < 13; ++i) {
    char buffer[32];
    std::memset(buffer, '#', sizeof buffer);
    dispatch(effGetParamName, i, 0, buffer);
    const std::size_t length = std::strlen(kNames[i]);
    EXPECT_EQ(std::string(buffer), kNames[i]);
    EXPECT_EQ(buffer[length + 1], '#') << "nothing after the terminator";
  }
}

TEST_F(ParameterTest, LabelOnlyForVolume) {
  EXPECT_EQ(plugin->parameterLabel(9), "dB");
  for (VstInt32 index : {0, 2, 12, 13, -1}) {
    char buffer[16] = "host text";
    dispatch(effGetParamLabel, index, 0, buffer);
    EXPECT_STREQ(buffer, "host text") << index;
  }
}

TEST_F(ParameterTest, OutOfRangeIndicesWriteNothing) {
  for (VstInt32 index : {13, 100, -1}) {
    for (VstInt32 opcode : {effGetParamName, effGetParamDisplay, effGetParamLabel}) {
      char buffer[16] = "untouched";
      dispatch(opcode, index, 0, buffer);
      EXPECT_STREQ(buffer, "untouched");
    }
  }
}

struct DisplayCase {
  VstInt32 index;
  float value;
  const char* text;
};

TEST_F(ParameterTest, DisplayTexts) {
  const DisplayCase cases[] = {
      {3, 0.7f, "0.699999"},   {3, 0.5f, "0.500000"},  {1, 1.0f, "1.000000"},   {12, 0.0f, "0.000000"},
      {9, 0.0f, "-oo"},        {9, 0.1f, "-20.0000"},  {9, 0.01f, "-40.0000"},  {9, 1.0f, "0.000000"},
      {9, -0.5f, "-oo"},       {0, 1e9f, "Huge!"},     {0, -1e8f, "Huge!"},     {0, -0.25f, "-0.25000"},
      {0, 123.456f, "123.4560"}, {10, 2.0f, "2.000000"},
  };
  for (const DisplayCase& c : cases) {
    plugin->setParameter(c.index, c.value);
    EXPECT_EQ(plugin->parameterDisplay(c.index), c.text) << c.index << " at " << c.value;
  }
}

TEST_F(ParameterTest, TextsNeverOverrunTheirBound) {
  // Each text goes to a buffer of bound + 1 bytes followed by guard bytes.
  const float values[] = {0.0f, 0.7f, -0.7f, 1e-30f, -1e-30f, 9999999.0f, -999999.0f, 12345678.0f,
                          -1234567.0f, 99999999.0f, 1e30f, -1e30f, std::numeric_limits<float>::max(),
                          std::numeric_limits<float>::lowest(), std::numeric_limits<float>::denorm_min()};
  for (VstInt32 index = 0; index < 13; ++index) {
    for (float value : values) {
      plugin->setParameter(index, value);
      char buffer[kVstMaxParamStrLen + 1 + 8];
      std::memset(buffer, '#', sizeof buffer);
      dispatch(effGetParamDisplay, index, 0, buffer);
      EXPECT_LE(strnlen(buffer, sizeof buffer), static_cast<std::size_t>(kVstMaxParamStrLen));
      for (std::size_t i = kVstMaxParamStrLen + 1; i < sizeof buffer; ++i) EXPECT_EQ(buffer[i], '#');
    }
  }
}

TEST_F(ParameterTest, ChannelRecallsItsOwnMemory) {
  plugin->setParameter(2, 0.8f);
  plugin->setParameter(9, 0.1f);
  plugin->setParameter(3, 0.2f);  // Mix PLS is shared
  plugin->setParameter(1, 1.0f);
  EXPECT_EQ(plugin->getParameter(2), 0.5f);
  EXPECT_EQ(plugin->getParameter(9), 0.5f);
  EXPECT_EQ(plugin->getParameter(3), 0.2f);
  plugin->setParameter(5, 0.9f);
  plugin->setParameter(1, 0.0f);
  EXPECT_EQ(plugin->getParameter(2), 0.8f);
  EXPECT_EQ(plugin->getParameter(9), 0.1f);
  EXPECT_EQ(plugin->getParameter(5), 0.5f);
  plugin->setParameter(1, 0.7f);
  EXPECT_EQ(plugin->getParameter(5), 0.9f);
}

TEST_F(ParameterTest, ChannelValueIsStoredRawAndComparedAgainstHalf) {
  plugin->setParameter(2, 0.8f);  // PLS
  plugin->setParameter(1, 0.3f);
  EXPECT_EQ(plugin->getParameter(1), 0.3f);
  EXPECT_EQ(plugin->getParameter(2), 0.8f) << "0.3 still selects PLS";
  plugin->setParameter(1, 0.5f);
  EXPECT_EQ(plugin->getParameter(2), 0.5f) << "0.5 selects MCJ";
}

TEST_F(ParameterTest, ValuesOutsideTheRangeAreStoredUnchanged) {
  plugin->setParameter(4, 1.5f);
  plugin->setParameter(7, -2.0f);
  EXPECT_EQ(plugin->getParameter(4), 1.5f);
  EXPECT_EQ(plugin->getParameter(7), -2.0f);
  EXPECT_EQ(plugin->parameterDisplay(7), "-2.00000");
}

TEST_F(ParameterTest, ValuesThatAreNotFiniteAreIgnored) {
  plugin->setParameter(2, 0.8f);
  const std::vector<std::uint8_t> bank = plugin->chunk(false);
  for (float value : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                      -std::numeric_limits<float>::infinity()}) {
    for (VstInt32 index = 0; index < 13; ++index) plugin->setParameter(index, value);
  }
  EXPECT_EQ(plugin->getParameter(2), 0.8f);
  EXPECT_EQ(plugin->chunk(false), bank);
}

TEST_F(ParameterTest, UnknownIndexChangesNothing) {
  const std::vector<std::uint8_t> bank = plugin->chunk(false);
  plugin->setParameter(13, 0.2f);
  plugin->setParameter(-1, 0.2f);
  EXPECT_EQ(plugin->chunk(false), bank);
  EXPECT_EQ(plugin->getParameter(13), 0.0f);
}

TEST_F(ParameterTest, ParameterChangesSendNothingToTheHost) {
  plugin->clearRequests();
  for (VstInt32 index = 0; index < 13; ++index) plugin->setParameter(index, 0.75f);
  plugin->setParameter(1, 0.0f);
  EXPECT_TRUE(plugin->requests().empty());
}

}  // namespace
}  // namespace tamzor::test
