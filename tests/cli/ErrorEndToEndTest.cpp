// Every failure a user can run into: one clear line on standard error, the
// documented exit code, and no output file (nor a temporary one) left behind.
#include <sndfile.h>

#include <fstream>

#include "ToolFixture.h"

namespace tamzor::cli::testing {
namespace {

class ErrorTest : public ToolFixture {
protected:
  void SetUp() override {
    ToolFixture::SetUp();
    stereoInput("in.wav");
    writeSound(path("surround.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 3, 44100, testSignal(3, 1000, 44100));
    std::ofstream(path("noise.wav")) << "this is not a sound file at all, just some text";
    std::ofstream(path("text.so")) << "not a library";
    ASSERT_EQ(run({"preset", "save", "good.fxp"}).exitCode, 0);
    ASSERT_EQ(run({"preset", "save", "good.fxb"}).exitCode, 0);
    const std::string program = fileBytes(path("good.fxp"));
    writeBytes("other.fxp", withByte(withByte(program, 16, 'X'), 19, 'Y'));  // fxID of another plug-in
    std::string shortChunk = program.substr(0, program.size() - 1);          // 207-byte chunk, sizes consistent
    shortChunk = withByte(withByte(shortChunk, 7, static_cast<char>(program[7] - 1)), 59, static_cast<char>(207));
    writeBytes("short.fxp", shortChunk);
    writeBytes("truncated.fxp", program.substr(0, program.size() - 10));
    writeBytes("text.fxp", "hello");
    const std::string bank = fileBytes(path("good.fxb"));
    std::string longBank = bank + "!";
    longBank = withByte(withByte(longBank, 7, static_cast<char>(bank[7] + 1)), 159, static_cast<char>(bank[159] + 1));
    writeBytes("long.fxb", longBank);
  }

  static std::string withByte(std::string bytes, std::size_t offset, char value) {
    bytes.replace(offset, 1, 1, value);
    return bytes;
  }
  void writeBytes(const std::string& name, const std::string& bytes) const {
    std::ofstream(path(name), std::ios::binary) << bytes;
  }
};

struct ErrorCase {
  std::vector<std::string> arguments;
  int exitCode;
  std::string message;
  std::string environment = "";
};

TEST_F(ErrorTest, EachFailureHasItsMessageExitCodeAndNoOutput) {
  const std::string notAPlugin = TAMZOR_NOT_A_PLUGIN;
  const std::string oldPlugin = TAMZOR_OLD_VERSION_PLUGIN;
  const std::vector<ErrorCase> cases{
      // Usage.
      {{"frobnicate"}, 1, "unknown command 'frobnicate'"},
      {{"render", "in.wav"}, 1, "missing argument for render"},
      {{"render", "in.wav", "out.wav", "extra"}, 1, "unexpected argument 'extra'"},
      {{"render", "in.wav", "out.wav", "--gain", "2"}, 1, "unknown option '--gain' for render"},
      {{"render", "in.wav", "out.mp3"}, 1, "unsupported output format for 'out.mp3'"},
      {{"render", "in.wav", "out.wav", "--bits", "12"}, 1, "--bits: '12' is not one of 16, 24, 32, float"},
      {{"render", "in.wav", "out.flac", "--bits", "float"}, 1, "not available for FLAC"},
      {{"render", "in.wav", "out.wav", "--set", "Gain=0.5"}, 1, "unknown parameter 'Gain' (parameters: Input, Channel"},
      {{"render", "in.wav", "out.wav", "--set", "Drive=loud"}, 1, "--set Drive: 'loud' is not a number"},
      {{"render", "in.wav", "out.wav", "--set", "Drive=1.5"}, 1, "--set Drive: 1.5 is outside 0 to 1"},
      {{"render", "in.wav", "out.wav", "--set", "Drive"}, 1, "--set expects NAME=VALUE"},
      {{"render", "in.wav", "out.wav", "--block", "0"}, 1, "--block: 0 is out of range (1 to 65536)"},
      {{"render", "in.wav", "out.wav", "--block", "big"}, 1, "--block: 'big' is not a whole number"},
      {{"render", "in.wav", "out.wav", "--program", "10"}, 1, "--program: 10 is out of range (0 to 9)"},
      {{"preset", "save", "p.txt"}, 1, "must end in .fxp (program) or .fxb (bank)"},
      {{"preset", "save", "p.fxp", "--bank"}, 1, "--bank writes a bank"},
      {{"preset", "load", "p.fxp"}, 1, "unknown preset command 'load'"},
      // Files.
      {{"render", "missing.wav", "out.wav"}, 2, "cannot read 'missing.wav': No such file or directory"},
      {{"render", "noise.wav", "out.wav"}, 2, "cannot read 'noise.wav': "},
      {{"render", ".", "out.wav"}, 2, "cannot read '.': it is a directory"},
      {{"render", "surround.wav", "out.wav"}, 2, "'surround.wav' has 3 channels; only mono and stereo"},
      {{"render", "in.wav", "no/such/dir/out.wav"}, 2, "cannot write 'no/such/dir/out.wav': No such file"},
      {{"render", "in.wav", "out.wav", "--preset", "missing.fxp"}, 2, "cannot read 'missing.fxp'"},
      {{"render", "in.wav", "out.wav", "--preset", "text.fxp"}, 2, "'text.fxp' is not a VST preset file"},
      {{"render", "in.wav", "out.wav", "--preset", "truncated.fxp"}, 2, "'truncated.fxp' has a wrong size"},
      {{"preset", "show", "missing.fxb"}, 2, "cannot read 'missing.fxb'"},
      {{"preset", "save", "no/such/dir/p.fxp"}, 2, "cannot write 'no/such/dir/p.fxp'"},
      // Plug-in.
      {{"render", "in.wav", "out.wav", "--preset", "other.fxp"}, 3,
       "preset 'other.fxp' is for another plug-in (ID XTMY, this plug-in is QTMZ)"},
      {{"render", "in.wav", "out.wav", "--preset", "short.fxp"}, 3,
       "the plug-in refused the 207-byte program chunk of 'short.fxp'"},
      {{"render", "in.wav", "out.wav", "--preset", "long.fxb"}, 3,
       "the plug-in refused the 2081-byte bank chunk of 'long.fxb'"},
      {{"preset", "show", "other.fxp"}, 3, "is for another plug-in"},
      {{"render", "in.wav", "out.wav", "--plugin", "missing.so"}, 3,
       "cannot load plug-in 'missing.so': No such file or directory"},
      {{"render", "in.wav", "out.wav", "--plugin", "text.so"}, 3, "cannot load plug-in 'text.so': dlopen failed"},
      {{"render", "in.wav", "out.wav", "--plugin", notAPlugin}, 3, "not a VST 2.4 plug-in: no VSTPluginMain or main"},
      {{"render", "in.wav", "out.wav", "--plugin", oldPlugin}, 3, "is not a VST 2.4 plug-in (it reports VST version 0)"},
      {{"info"}, 3, "cannot load plug-in '/no/such.so'", "TAMZOR_PLUGIN=/no/such.so"},
      {{"preset", "save", "p.fxp", "--plugin", notAPlugin}, 3, "not a VST 2.4 plug-in"},
      {{"demo", "--out", "demo", "--plugin", "text.so"}, 3, "cannot load plug-in 'text.so'"},
  };
  const std::vector<std::string> before = entries();
  for (const ErrorCase& c : cases) {
    std::string description = c.environment;
    for (const std::string& argument : c.arguments) description += " " + argument;
    const ToolRun run = this->run(c.arguments, c.environment);
    EXPECT_EQ(run.exitCode, c.exitCode) << description << "\n" << run.err;
    EXPECT_EQ(run.err.rfind("tamzor: error: ", 0), 0u) << description << "\n" << run.err;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << description << "\n" << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << description << "\n" << run.err;
    EXPECT_EQ(run.out, "") << description;
    EXPECT_EQ(entries(), before) << description << ": no output or temporary file is left";
  }
}

TEST_F(ErrorTest, AFailedRenderKeepsAnExistingOutputFileUntouched) {
  std::ofstream(path("out.wav")) << "previous take";
  const ToolRun run = this->run({"render", "in.wav", "out.wav", "--preset", "other.fxp"});
  EXPECT_EQ(run.exitCode, 3);
  EXPECT_EQ(fileBytes(path("out.wav")), "previous take");
}

TEST_F(ErrorTest, NoArgumentsShowUsageAndFail) {
  const ToolRun run = this->run({});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("usage: tamzor <command>"), std::string::npos);
}

TEST_F(ErrorTest, HelpIsThereForEveryCommand) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
      {{"--help"}, "usage: tamzor <command>"},
      {{"help"}, "exit codes:"},
      {{"render", "--help"}, "usage: tamzor render IN OUT"},
      {{"help", "render"}, "usage: tamzor render IN OUT"},
      {{"info", "-h"}, "usage: tamzor info"},
      {{"preset", "--help"}, "usage: tamzor preset save FILE"},
      {{"preset", "save", "--help"}, "usage: tamzor preset save FILE [options]"},
      {{"preset", "show", "--help"}, "usage: tamzor preset show FILE"},
      {{"help", "preset", "show"}, "usage: tamzor preset show FILE"},
      {{"demo", "--help"}, "usage: tamzor demo"},
      {{"--version"}, "tamzor "},
  };
  for (const auto& [arguments, text] : cases) {
    const ToolRun run = this->run(arguments);
    EXPECT_EQ(run.exitCode, 0) << arguments[0];
    EXPECT_NE(run.out.find(text), std::string::npos) << arguments[0] << "\n" << run.out;
    EXPECT_EQ(run.err, "");
  }
}

}  // namespace
}  // namespace tamzor::cli::testing
