// tamzor preset save / show and info: settings go into the plug-in through
// the ABI, come back out as .fxp/.fxb files, and render the same as the
// settings themselves.
#include <sstream>

#include "ToolFixture.h"

namespace tamzor::cli::testing {
namespace {

class PresetTest : public ToolFixture {};

// The line of a parameter table that starts with the parameter's index and name.
std::string parameterLine(const std::string& listing, int index, const std::string& name) {
  std::istringstream lines(listing);
  std::string line;
  char prefix[64];
  std::snprintf(prefix, sizeof prefix, "  %2d  %s ", index, name.c_str());
  while (std::getline(lines, line))
    if (line.rfind(prefix, 0) == 0) return line;
  return "";
}

TEST_F(PresetTest, ProgramPresetHoldsTheSettingsAndItsName) {
  const ToolRun saved = run({"preset", "save", "lead.fxp", "--set", "Drive=0.8", "--set", "MCJ Boost=1", "--name", "Lead"});
  ASSERT_EQ(saved.exitCode, 0) << saved.err;
  EXPECT_NE(saved.out.find("wrote program preset lead.fxp: program 0 \"Lead\", 208-byte chunk, plug-in QTMZ"),
            std::string::npos)
      << saved.out;
  const std::string bytes = fileBytes(path("lead.fxp"));
  ASSERT_EQ(bytes.size(), 60u + 208u);
  EXPECT_EQ(bytes.substr(0, 4), "CcnK");
  EXPECT_EQ(bytes.substr(8, 4), "FPCh");
  EXPECT_EQ(bytes.substr(16, 4), "QTMZ");
  EXPECT_EQ(bytes.substr(28, 5), std::string("Lead\0", 5));
  EXPECT_EQ(bytes.substr(60, 5), std::string("Lead\0", 5)) << "the chunk is the plug-in's program record";

  const ToolRun shown = run({"preset", "show", "lead.fxp"});
  ASSERT_EQ(shown.exitCode, 0) << shown.err;
  EXPECT_NE(shown.out.find("Type:           program (FPCh)"), std::string::npos) << shown.out;
  EXPECT_NE(shown.out.find("Plug-in ID:     QTMZ"), std::string::npos);
  EXPECT_NE(shown.out.find("Program name:   Lead"), std::string::npos);
  EXPECT_NE(shown.out.find("Chunk:          208 bytes"), std::string::npos);
  EXPECT_NE(parameterLine(shown.out, 2, "Drive").find("0.8"), std::string::npos) << shown.out;
  EXPECT_NE(parameterLine(shown.out, 12, "MCJ Boost").find(" 1"), std::string::npos) << shown.out;
  EXPECT_NE(parameterLine(shown.out, 0, "Input").find("0.5"), std::string::npos) << shown.out;
}

TEST_F(PresetTest, BankPresetKeepsEveryProgram) {
  ASSERT_EQ(run({"preset", "save", "set.fxb", "--program", "3", "--set", "Drive=0.9", "--name", "Third"}).exitCode, 0);
  const std::string bytes = fileBytes(path("set.fxb"));
  ASSERT_EQ(bytes.size(), 160u + 2080u);
  EXPECT_EQ(bytes.substr(8, 4), "FBCh");

  const ToolRun third = run({"preset", "show", "set.fxb", "--program", "3"});
  ASSERT_EQ(third.exitCode, 0) << third.err;
  EXPECT_NE(third.out.find("Type:           bank (FBCh)"), std::string::npos);
  EXPECT_NE(third.out.find("Program 3:"), std::string::npos);
  EXPECT_NE(parameterLine(third.out, 2, "Drive").find("0.9"), std::string::npos) << third.out;
  EXPECT_NE(third.out.find("   3* Third"), std::string::npos) << third.out;
  EXPECT_NE(third.out.find("   0  Init"), std::string::npos) << third.out;

  const ToolRun first = run({"preset", "show", "set.fxb"});
  ASSERT_EQ(first.exitCode, 0) << first.err;
  EXPECT_NE(parameterLine(first.out, 2, "Drive").find("0.5"), std::string::npos) << first.out;

  ASSERT_EQ(run({"preset", "save", "bank2.FXB", "--bank", "--preset", "set.fxb"}).exitCode, 0);
  EXPECT_EQ(fileBytes(path("bank2.FXB")), bytes) << "a bank saved from a loaded bank is the same bank";
}

TEST_F(PresetTest, PresetsRenderLikeTheSettingsTheyWereSavedWith) {
  const std::string input = stereoInput();
  const std::vector<std::string> settings{"--set", "Channel=1",      "--set", "Drive=0.85", "--set",
                                          "MCJ Boost=1", "--set", "LowQ/HighQ=1", "--set", "Volume=0.7"};
  auto withSettings = [&](std::vector<std::string> arguments) {
    arguments.insert(arguments.end(), settings.begin(), settings.end());
    return arguments;
  };
  ASSERT_EQ(run(withSettings({"render", input, "direct.wav"})).exitCode, 0);
  ASSERT_EQ(run(withSettings({"preset", "save", "p.fxp"})).exitCode, 0);
  ASSERT_EQ(run(withSettings({"preset", "save", "b.fxb", "--program", "6"})).exitCode, 0);
  ASSERT_EQ(run(withSettings({"render", input, "direct6.wav", "--program", "6"})).exitCode, 0);

  ASSERT_EQ(run({"render", input, "from-fxp.wav", "--preset", "p.fxp"}).exitCode, 0);
  ASSERT_EQ(run({"render", input, "from-fxb.wav", "--program", "6", "--preset", "b.fxb"}).exitCode, 0);
  EXPECT_EQ(fileBytes(path("from-fxp.wav")), fileBytes(path("direct.wav")));
  EXPECT_EQ(fileBytes(path("from-fxb.wav")), fileBytes(path("direct6.wav")));
}

TEST_F(PresetTest, InfoShowsIdentityParametersAndPrograms) {
  const ToolRun info = run({"info", "--set", "mix pls=0.7", "--set", "Volume=1"});
  ASSERT_EQ(info.exitCode, 0) << info.err;
  for (const char* text : {"Unique ID:      QTMZ", "Vendor:         Quenn Plugins", "VST version:    2400",
                           "Channels:       2 in, 2 out", "Parameters (13):", "Programs (10, current 0):", "   0* Init"})
    EXPECT_NE(info.out.find(text), std::string::npos) << text << "\n" << info.out;
  EXPECT_NE(info.out.find("Effect name:    Dravik_Tamzor_Head_v1_1"), std::string::npos);
  EXPECT_NE(parameterLine(info.out, 3, "Mix PLS").find("0.7"), std::string::npos) << info.out;
  EXPECT_NE(parameterLine(info.out, 9, "Volume").find("dB"), std::string::npos) << info.out;
  EXPECT_NE(parameterLine(info.out, 9, "Volume").find("0.000000"), std::string::npos) << info.out;
  EXPECT_NE(parameterLine(info.out, 10, "Mono/Stereo").find("0.000000"), std::string::npos) << info.out;
}

}  // namespace
}  // namespace tamzor::cli::testing
