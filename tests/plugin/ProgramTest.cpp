// Programs through the ABI: the byte layout of program and bank chunks,
// loading them and refusing wrong ones, program switching and names.
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "LoadedPlugin.h"

namespace tamzor::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

float singleAt(const Bytes& bytes, std::size_t offset) {
  float value;
  std::memcpy(&value, bytes.data() + offset, sizeof value);
  return value;
}

double doubleAt(const Bytes& bytes, std::size_t offset) {
  double value;
  std::memcpy(&value, bytes.data() + offset, sizeof value);
  return value;
}

template <typename T>
void put(Bytes& bytes, std::size_t offset, T value) {
  std::memcpy(bytes.data() + offset, &value, sizeof value);
}

Bytes slice(const Bytes& bytes, std::size_t offset, std::size_t count) {
  return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
               bytes.begin() + static_cast<std::ptrdiff_t>(offset + count));
}

using ProgramTest = LoadedPlugin;

TEST_F(ProgramTest, BankOfANewEffect) {
  const Bytes bank = plugin->chunk(false);
  ASSERT_EQ(bank.size(), 2080u);
  for (std::size_t p = 0; p < 10; ++p) {
    const std::size_t at = 208 * p;
    EXPECT_EQ(slice(bank, at, 5), (Bytes{'I', 'n', 'i', 't', 0}));
    EXPECT_EQ(slice(bank, at + 24, 4), (Bytes{0x00, 0x00, 0x00, 0x3F})) << "Input 0.5";
    EXPECT_EQ(slice(bank, at + 28, 4), (Bytes{0, 0, 0, 0})) << "Channel 0.0";
    EXPECT_EQ(slice(bank, at + 80, 8), (Bytes{0, 0, 0, 0, 0, 0, 0xE0, 0x3F})) << "PLS Input 0.5";
    // Singles in storage order: Input .. Contour, Volume, Mono/Stereo, LowQ/HighQ, Power Amp, MCJ Boost.
    const float singles[13] = {0.5f, 0, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0, 0, 0.5f, 0};
    for (std::size_t i = 0; i < 13; ++i) EXPECT_EQ(singleAt(bank, at + 24 + 4 * i), singles[i]) << i;
    for (std::size_t i = 0; i < 16; ++i) EXPECT_EQ(doubleAt(bank, at + 80 + 8 * i), 0.5) << i;
  }
}

TEST_F(ProgramTest, ParametersLandAtTheirOffsets) {
  // Index -> offset of its single; Volume and Power Amp are out of index order.
  const std::size_t offsets[13] = {24, 28, 32, 36, 40, 44, 48, 52, 68, 56, 60, 64, 72};
  for (VstInt32 index = 0; index < 13; ++index) {
    if (index == 1) continue;  // Channel would switch memories
    const float value = 0.01f * static_cast<float>(index + 1);
    plugin->setParameter(index, value);
    EXPECT_EQ(singleAt(plugin->chunk(true), offsets[index]), value) << index;
  }
  // PLS memory order: Input, Drive, Contour, Low, Mid, High, Volume, Power Amp.
  const Bytes program = plugin->chunk(true);
  const VstInt32 memoryOrder[8] = {0, 2, 7, 4, 5, 6, 9, 8};
  for (std::size_t i = 0; i < 8; ++i) {
    const float value = 0.01f * static_cast<float>(memoryOrder[i] + 1);
    EXPECT_EQ(doubleAt(program, 80 + 8 * i), static_cast<double>(value)) << i;
    EXPECT_EQ(doubleAt(program, 144 + 8 * i), 0.5) << "MCJ memory untouched";
  }
}

TEST_F(ProgramTest, ProgramChunkIsTheCurrentRecordOfTheBank) {
  plugin->setProgram(3);
  plugin->setParameter(6, 0.25f);
  const Bytes program = plugin->chunk(true);
  ASSERT_EQ(program.size(), 208u);
  EXPECT_EQ(program, slice(plugin->chunk(false), 624, 208));
  EXPECT_EQ(singleAt(program, 48), 0.25f);
}

TEST_F(ProgramTest, ChunkReferencesTheLiveBank) {
  void* data = nullptr;
  ASSERT_EQ(dispatch(effGetChunk, 0, 0, &data), 2080);
  plugin->setParameter(3, 0.125f);
  EXPECT_EQ(singleAt(Bytes(static_cast<std::uint8_t*>(data), static_cast<std::uint8_t*>(data) + 2080), 36),
            0.125f);
}

TEST_F(ProgramTest, ProgramChunkRecallsTheSelectedChannelsMemory) {
  Bytes program = plugin->chunk(true);
  put(program, 28, 1.0f);   // Channel: MCJ
  put(program, 152, 0.9);   // MCJ Drive
  put(program, 32, 0.1f);   // Drive single, not read
  EXPECT_EQ(plugin->setChunk(program, true), 1);
  EXPECT_EQ(plugin->getParameter(2), 0.9f);
  EXPECT_EQ(plugin->getParameter(1), 1.0f);
  EXPECT_EQ(singleAt(plugin->chunk(true), 32), 0.9f);
  EXPECT_EQ(doubleAt(plugin->chunk(true), 152), static_cast<double>(0.9f)) << "written back narrowed";
}

TEST_F(ProgramTest, WrongSizesAreRefused) {
  plugin->setParameter(2, 0.8f);
  const Bytes bank = plugin->chunk(false);
  Bytes changed(4096, 0x3F);
  const VstIntPtr beyond32Bits = (VstIntPtr{1} << 32) + 208;
  for (auto [size, preset] : {std::pair<VstIntPtr, bool>{207, true}, {209, true}, {0, true}, {2080, true},
                              {2079, false}, {2081, false}, {208, false}, {-1, false}, {beyond32Bits, true}}) {
    EXPECT_EQ(dispatch(effSetChunk, preset ? 1 : 0, size, changed.data()), 0) << size;
  }
  EXPECT_EQ(plugin->chunk(false), bank);
  EXPECT_EQ(plugin->getParameter(2), 0.8f);
}

TEST_F(ProgramTest, NumbersThatAreNotFiniteAreRefused) {
  const Bytes bank = plugin->chunk(false);
  const std::size_t offsets[] = {24, 72, 80, 200};
  for (std::size_t offset : offsets) {
    Bytes program = plugin->chunk(true);
    Bytes bad = bank;
    if (offset < 80) {
      put(program, offset, std::numeric_limits<float>::quiet_NaN());
      put(bad, 208 * 7 + offset, std::numeric_limits<float>::infinity());
    } else {
      put(program, offset, -std::numeric_limits<double>::infinity());
      put(bad, 208 * 9 + offset, std::numeric_limits<double>::quiet_NaN());
    }
    EXPECT_EQ(plugin->setChunk(program, true), 0) << offset;
    EXPECT_EQ(plugin->setChunk(bad, false), 0) << offset;
  }
  EXPECT_EQ(plugin->chunk(false), bank);
}

TEST_F(ProgramTest, BankLoadKeepsTheCurrentProgramAndAppliesIt) {
  plugin->setProgram(4);
  Bytes bank = plugin->chunk(false);
  put(bank, 208 * 4 + 36, 0.3f);  // program 4 Mix PLS
  put(bank, 208 * 4 + 64, 1.0f);  // program 4 LowQ/HighQ
  put(bank, 208 * 4 + 88, 0.7);   // program 4 PLS Drive
  std::memcpy(bank.data() + 208 * 6, "Loaded", 7);
  EXPECT_EQ(plugin->setChunk(bank, false), 1);
  EXPECT_EQ(plugin->currentProgram(), 4);
  EXPECT_EQ(plugin->getParameter(3), 0.3f);
  EXPECT_EQ(plugin->getParameter(11), 1.0f);
  EXPECT_EQ(plugin->getParameter(2), 0.7f);
  EXPECT_EQ(plugin->programNameIndexed(6), "Loaded");
}

TEST_F(ProgramTest, UnalignedChunkBytesAreAccepted) {
  Bytes program = plugin->chunk(true);
  put(program, 40, 0.375f);
  put(program, 112, 0.375);  // PLS Mid
  Bytes shifted(1, 0);
  shifted.insert(shifted.end(), program.begin(), program.end());
  EXPECT_EQ(dispatch(effSetChunk, 1, 208, shifted.data() + 1), 1);
  EXPECT_EQ(plugin->getParameter(5), 0.375f);
}

TEST_F(ProgramTest, EachProgramKeepsItsOwnEdits) {
  plugin->setProgram(2);
  plugin->setParameter(2, 0.8f);
  plugin->setProgram(5);
  EXPECT_EQ(plugin->getParameter(2), 0.5f);
  plugin->setProgram(2);
  EXPECT_EQ(plugin->getParameter(2), 0.8f);
}

TEST_F(ProgramTest, SwitchingProgramsRecallsTheChannelOfEach) {
  plugin->setProgram(1);
  plugin->setParameter(1, 1.0f);
  plugin->setParameter(0, 0.9f);  // MCJ Input of program 1
  plugin->setProgram(0);
  EXPECT_EQ(plugin->getParameter(1), 0.0f);
  EXPECT_EQ(plugin->getParameter(0), 0.5f);
  plugin->setProgram(1);
  EXPECT_EQ(plugin->getParameter(1), 1.0f);
  EXPECT_EQ(plugin->getParameter(0), 0.9f);
}

TEST_F(ProgramTest, NamesAreCutAtTwentyFourCharacters) {
  plugin->setProgram(7);
  plugin->setProgramName("abcdefghijklmnopqrstuvwxyz1234");
  EXPECT_EQ(plugin->programName(), "abcdefghijklmnopqrstuvwx");
  EXPECT_EQ(plugin->programNameIndexed(7), "abcdefghijklmnopqrstuvwx");
  const Bytes record = plugin->chunk(true);
  EXPECT_EQ(std::string(record.begin(), record.begin() + 24), "abcdefghijklmnopqrstuvwx");
  EXPECT_EQ(singleAt(record, 24), 0.5f) << "a full name does not spill into the values";

  plugin->setProgramName("Lead");
  const Bytes shorter = plugin->chunk(true);
  EXPECT_EQ(slice(shorter, 0, 24), (Bytes{'L', 'e', 'a', 'd', 0, 0, 0, 0, 0, 0, 0, 0,
                                          0,   0,   0,   0,   0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(plugin->programNameIndexed(0), "Init");
  EXPECT_EQ(plugin->programNameIndexed(9), "Init");
  EXPECT_EQ(plugin->programNameIndexed(10), std::nullopt);
}

TEST_F(ProgramTest, NameCopiesStayWithinTheirBuffers) {
  plugin->setProgramName("abcdefghijklmnopqrstuvwxyz1234");
  char name[25 + 8];
  std::memset(name, '#', sizeof name);
  dispatch(effGetProgramName, 0, 0, name);
  EXPECT_STREQ(name, "abcdefghijklmnopqrstuvwx");
  for (std::size_t i = 25; i < sizeof name; ++i) EXPECT_EQ(name[i], '#');

  std::memset(name, '#', sizeof name);
  EXPECT_EQ(dispatch(effGetProgramNameIndexed, 0, 0, name), 1);
  EXPECT_STREQ(name, "abcdefghijklmnopqrstuvwx");
  for (std::size_t i = 25; i < sizeof name; ++i) EXPECT_EQ(name[i], '#');

  // A short name through effGetProgramName is zero-padded up to the bound.
  plugin->setProgramName("Hi");
  std::memset(name, '#', sizeof name);
  dispatch(effGetProgramName, 0, 0, name);
  for (std::size_t i = 2; i < 25; ++i) EXPECT_EQ(name[i], 0) << i;
  EXPECT_EQ(name[25], '#');
  // Through effGetProgramNameIndexed only the text and one zero are written.
  std::memset(name, '#', sizeof name);
  dispatch(effGetProgramNameIndexed, 0, 0, name);
  EXPECT_STREQ(name, "Hi");
  EXPECT_EQ(name[3], '#');
}

TEST_F(ProgramTest, IdentityTextsStayWithinTheirBounds) {
  struct Case {
    VstInt32 opcode;
    std::size_t bound;
  };
  for (const Case& c : {Case{effGetEffectName, 32}, Case{effGetVendorString, 64}, Case{effGetProductString, 64}}) {
    std::vector<char> buffer(c.bound + 1 + 8, '#');
    EXPECT_EQ(dispatch(c.opcode, 0, 0, buffer.data()), 1);
    const std::size_t length = strnlen(buffer.data(), buffer.size());
    EXPECT_LE(length, c.bound);
    for (std::size_t i = c.bound + 1; i < buffer.size(); ++i) EXPECT_EQ(buffer[i], '#');
  }
}

}  // namespace
}  // namespace tamzor::test
