// Command-line splitting, numbers and parameter assignments as typed by users.
#include <gtest/gtest.h>

#include "CommandLine.h"
#include "NumberParsing.h"
#include "PluginSettings.h"

namespace tamzor::cli {
namespace {

const std::vector<OptionRule> rules{{"--block", true, false}, {"--set", true, true}, {"--bank", false, false}};

TEST(CommandLine, SeparatesPositionalsAndOptionsInBothSpellings) {
  Outcome<ParsedArguments> parsed =
      parseArguments({"in.wav", "--block", "256", "--set=Drive=0.5", "out.wav", "--set", "Low=1", "--bank", "--", "--odd"},
                     rules, "render");
  ASSERT_TRUE(parsed.ok()) << parsed.failure().message;
  EXPECT_EQ(parsed->positionals, (std::vector<std::string>{"in.wav", "out.wav", "--odd"}));
  EXPECT_EQ(*parsed->value("--block"), "256");
  EXPECT_EQ(parsed->values("--set"), (std::vector<std::string>{"Drive=0.5", "Low=1"}));
  EXPECT_TRUE(parsed->has("--bank"));
  EXPECT_FALSE(parsed->helpRequested);
  EXPECT_TRUE(parseArguments({"-h"}, rules, "render")->helpRequested);
}

TEST(CommandLine, RefusesMisusedOptions) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
      {{"--frobnicate"}, "unknown option '--frobnicate' for render"},
      {{"--block", "1", "--block", "2"}, "given more than once"},
      {{"--block"}, "needs a value"},
      {{"--bank=1"}, "takes no value"},
  };
  for (const auto& [arguments, message] : cases) {
    Outcome<ParsedArguments> parsed = parseArguments(arguments, rules, "render");
    ASSERT_FALSE(parsed.ok()) << message;
    EXPECT_EQ(parsed.failure().code, ExitCode::usage);
    EXPECT_NE(parsed.failure().message.find(message), std::string::npos) << parsed.failure().message;
  }
}

TEST(NumberParsing, WholeNumbersMustBeWholeAndInRange) {
  EXPECT_EQ(*parseWholeNumber("512", "--block", 1, 65536), 512);
  for (const char* text : {"", "abc", "12x", " 5", "5.0", "0x10"})
    EXPECT_NE(parseWholeNumber(text, "--block", 1, 65536).failure().message.find("is not a whole number"),
              std::string::npos)
        << text;
  for (const char* text : {"0", "-3", "65537", "99999999999999999999"})
    EXPECT_NE(parseWholeNumber(text, "--block", 1, 65536).failure().message.find("out of range"), std::string::npos)
        << text;
}

TEST(NumberParsing, UnitValuesAreFiniteNumbersFromZeroToOne) {
  EXPECT_DOUBLE_EQ(*parseUnitValue("0.25", "v"), 0.25);
  EXPECT_DOUBLE_EQ(*parseUnitValue("+1", "v"), 1.0);
  EXPECT_DOUBLE_EQ(*parseUnitValue("1e-1", "v"), 0.1);
  for (const char* text : {"", "abc", "0.5dB", "nan", "inf", "1,5"})
    EXPECT_NE(parseUnitValue(text, "v").failure().message.find("is not a number"), std::string::npos) << text;
  for (const char* text : {"-0.1", "1.0001", "2"})
    EXPECT_NE(parseUnitValue(text, "v").failure().message.find("outside 0 to 1"), std::string::npos) << text;
}

TEST(ParameterSetting, SplitsNameAndValueAtTheFirstEquals) {
  Outcome<ParameterSetting> setting = parseParameterSetting("Power Amp=0.75");
  ASSERT_TRUE(setting.ok());
  EXPECT_EQ(setting->name, "Power Amp");
  EXPECT_EQ(setting->value, 0.75f);
  EXPECT_NE(parseParameterSetting("Drive").failure().message.find("expects NAME=VALUE"), std::string::npos);
  EXPECT_NE(parseParameterSetting("=0.5").failure().message.find("expects NAME=VALUE"), std::string::npos);
  EXPECT_NE(parseParameterSetting("Drive=loud").failure().message.find("--set Drive: 'loud' is not a number"),
            std::string::npos);
}

}  // namespace
}  // namespace tamzor::cli
