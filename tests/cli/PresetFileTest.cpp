// The .fxp/.fxb container: exact bytes written, and every malformed file
// refused with a message naming what is wrong.
#include <gtest/gtest.h>

#include "PresetFile.h"

namespace tamzor::cli {
namespace {

std::int32_t bigEndianAt(const std::vector<unsigned char>& bytes, std::size_t offset) {
  return static_cast<std::int32_t>((static_cast<std::uint32_t>(bytes[offset]) << 24) |
                                   (static_cast<std::uint32_t>(bytes[offset + 1]) << 16) |
                                   (static_cast<std::uint32_t>(bytes[offset + 2]) << 8) | bytes[offset + 3]);
}

std::string textAt(const std::vector<unsigned char>& bytes, std::size_t offset) {
  return std::string(bytes.begin() + static_cast<long>(offset), bytes.begin() + static_cast<long>(offset) + 4);
}

constexpr std::int32_t qtmz = ('Q' << 24) | ('T' << 16) | ('M' << 8) | 'Z';

PresetFile programPreset() {
  PresetFile preset;
  preset.kind = PresetKind::program;
  preset.pluginId = qtmz;
  preset.pluginVersion = 1;
  preset.count = 13;
  preset.programName = "Lead";
  for (int i = 0; i < 208; ++i) preset.chunk.push_back(static_cast<unsigned char>(i));
  return preset;
}

TEST(PresetFile, ProgramFileHasTheStandardBigEndianHeader) {
  const std::vector<unsigned char> bytes = encodePreset(programPreset());
  ASSERT_EQ(bytes.size(), 60u + 208u);
  EXPECT_EQ(textAt(bytes, 0), "CcnK");
  EXPECT_EQ(bigEndianAt(bytes, 4), 60 + 208 - 8);
  EXPECT_EQ(textAt(bytes, 8), "FPCh");
  EXPECT_EQ(bigEndianAt(bytes, 12), 1);
  EXPECT_EQ(textAt(bytes, 16), "QTMZ");
  EXPECT_EQ(bigEndianAt(bytes, 20), 1);
  EXPECT_EQ(bigEndianAt(bytes, 24), 13);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[28])), "Lead");
  for (std::size_t i = 28 + 4; i < 56; ++i) EXPECT_EQ(bytes[i], 0) << i;
  EXPECT_EQ(bigEndianAt(bytes, 56), 208);
  EXPECT_EQ(bytes[60], 0);
  EXPECT_EQ(bytes[60 + 207], 207);
}

TEST(PresetFile, BankFileHasZeroFutureAndChunkAt160) {
  PresetFile preset = programPreset();
  preset.kind = PresetKind::bank;
  preset.count = 10;
  preset.chunk.assign(2080, 0xAB);
  const std::vector<unsigned char> bytes = encodePreset(preset);
  ASSERT_EQ(bytes.size(), 160u + 2080u);
  EXPECT_EQ(textAt(bytes, 8), "FBCh");
  EXPECT_EQ(bigEndianAt(bytes, 4), 160 + 2080 - 8);
  EXPECT_EQ(bigEndianAt(bytes, 24), 10);
  for (std::size_t i = 28; i < 156; ++i) EXPECT_EQ(bytes[i], 0) << i;
  EXPECT_EQ(bigEndianAt(bytes, 156), 2080);
  EXPECT_EQ(bytes[160], 0xAB);
}

TEST(PresetFile, DecodesWhatItEncodes) {
  for (PresetKind kind : {PresetKind::program, PresetKind::bank}) {
    PresetFile preset = programPreset();
    preset.kind = kind;
    if (kind == PresetKind::bank) preset.programName.clear();
    Outcome<PresetFile> decoded = decodePreset(encodePreset(preset), "x");
    ASSERT_TRUE(decoded.ok()) << decoded.failure().message;
    EXPECT_EQ(decoded->kind, kind);
    EXPECT_EQ(decoded->pluginId, qtmz);
    EXPECT_EQ(decoded->pluginVersion, 1);
    EXPECT_EQ(decoded->count, 13);
    EXPECT_EQ(decoded->programName, preset.programName);
    EXPECT_EQ(decoded->chunk, preset.chunk);
  }
}

TEST(PresetFile, LongProgramNameKeepsATerminator) {
  PresetFile preset = programPreset();
  preset.programName = std::string(40, 'x');
  const std::vector<unsigned char> bytes = encodePreset(preset);
  EXPECT_EQ(bytes[28 + 27], 0);
  EXPECT_EQ(decodePreset(bytes, "x")->programName, std::string(27, 'x'));
}

TEST(PresetFile, MalformedFilesAreRefusedWithTheReason) {
  const std::vector<unsigned char> good = encodePreset(programPreset());
  struct Case {
    const char* what;
    std::vector<unsigned char> bytes;
    const char* message;
  };
  std::vector<Case> cases;
  cases.push_back({"empty", {}, "not a VST preset file"});
  {
    auto bytes = good;
    bytes[0] = 'X';
    cases.push_back({"bad container magic", bytes, "not a VST preset file"});
  }
  {
    auto bytes = good;
    bytes[9] = 'x', bytes[10] = 'C', bytes[11] = 'k';  // FxCk
    cases.push_back({"parameter list preset", bytes, "only chunk presets"});
  }
  {
    auto bytes = good;
    bytes[8] = 'Z';
    cases.push_back({"unknown preset type", bytes, "unknown preset type"});
  }
  cases.push_back({"truncated header", std::vector<unsigned char>(good.begin(), good.begin() + 40), "truncated"});
  cases.push_back({"truncated chunk", std::vector<unsigned char>(good.begin(), good.end() - 1), "wrong size"});
  {
    auto bytes = good;
    bytes.push_back(0);
    cases.push_back({"trailing byte", bytes, "wrong size"});
  }
  {
    auto bytes = good;
    bytes[59] = static_cast<unsigned char>(bytes[59] - 1);  // chunk size 207 of 208 bytes
    cases.push_back({"chunk size field", bytes, "chunk size field"});
  }
  {
    auto bytes = good;
    bytes[15] = 3;
    cases.push_back({"format version", bytes, "format version 3"});
  }
  for (const Case& c : cases) {
    Outcome<PresetFile> decoded = decodePreset(c.bytes, "p.fxp");
    ASSERT_FALSE(decoded.ok()) << c.what;
    EXPECT_EQ(decoded.failure().code, ExitCode::file) << c.what;
    EXPECT_NE(decoded.failure().message.find(c.message), std::string::npos)
        << c.what << ": " << decoded.failure().message;
    EXPECT_NE(decoded.failure().message.find("'p.fxp'"), std::string::npos) << c.what;
  }
}

TEST(PresetFile, FourCharTextShowsUnprintableIdsInHex) {
  EXPECT_EQ(fourCharText(qtmz), "QTMZ");
  EXPECT_EQ(fourCharText(0x00000102), "0x00000102");
}

}  // namespace
}  // namespace tamzor::cli
