// Every dispatcher opcode's answer, the refusals of null pointers, and that
// answering changes no state.
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "LoadedPlugin.h"

namespace tamzor::test {
namespace {

enum class Pointer { None, Buffer, Text, BufferAndValue };

struct OpcodeCase {
  const char* what;
  VstInt32 opcode;
  VstInt32 index;
  VstIntPtr value;
  Pointer pointer;
  const char* text;  // for Pointer::Text
  float opt;
  VstIntPtr expected;
};

std::ostream& operator<<(std::ostream& out, const OpcodeCase& c) { return out << c.what; }

const OpcodeCase kOpcodeCases[] = {
    {"effOpen", effOpen, 0, 0, Pointer::None, nullptr, 0, 0},
    {"effGetProgram (2 is selected)", effGetProgram, 0, 0, Pointer::None, nullptr, 0, 2},
    {"effGetVu", effGetVu, 0, 0, Pointer::None, nullptr, 0, 0},
    {"effSetSampleRate", effSetSampleRate, 0, 0, Pointer::None, nullptr, 48000.0f, 0},
    {"effSetBlockSize", effSetBlockSize, 0, 512, Pointer::None, nullptr, 0, 0},
    {"effMainsChanged off", effMainsChanged, 0, 0, Pointer::None, nullptr, 0, 0},
    {"effMainsChanged on", effMainsChanged, 0, 1, Pointer::None, nullptr, 0, 0},
    {"effEditClose", effEditClose, 0, 0, Pointer::None, nullptr, 0, 0},
    {"effEditDraw", effEditDraw, 0, 0, Pointer::Buffer, nullptr, 0, 0},
    {"effEditMouse", effEditMouse, 10, 10, Pointer::None, nullptr, 0, 0},
    {"effEditKey", effEditKey, 0, 65, Pointer::None, nullptr, 0, 0},
    {"effEditTop", effEditTop, 0, 0, Pointer::None, nullptr, 0, 0},
    {"effEditSleep", effEditSleep, 0, 0, Pointer::None, nullptr, 0, 0},
    {"effIdentify", effIdentify, 0, 0, Pointer::None, nullptr, 0, fourCharCode('N', 'v', 'E', 'f')},
    {"effProcessEvents", effProcessEvents, 0, 0, Pointer::Buffer, nullptr, 0, 0},
    {"effCanBeAutomated 0", effCanBeAutomated, 0, 0, Pointer::None, nullptr, 0, 1},
    {"effCanBeAutomated 12", effCanBeAutomated, 12, 0, Pointer::None, nullptr, 0, 1},
    {"effCanBeAutomated 13", effCanBeAutomated, 13, 0, Pointer::None, nullptr, 0, 1},
    {"effCanBeAutomated -1", effCanBeAutomated, -1, 0, Pointer::None, nullptr, 0, 1},
    {"effString2Parameter", effString2Parameter, 0, 0, Pointer::Text, "0.3", 0, 0},
    {"effGetNumProgramCategories", effGetNumProgramCategories, 0, 0, Pointer::None, nullptr, 0, 0},
    {"effGetProgramNameIndexed 0", effGetProgramNameIndexed, 0, 0, Pointer::Buffer, nullptr, 0, 1},
    {"effGetProgramNameIndexed 9", effGetProgramNameIndexed, 9, 0, Pointer::Buffer, nullptr, 0, 1},
    {"effGetProgramNameIndexed 10", effGetProgramNameIndexed, 10, 0, Pointer::Buffer, nullptr, 0, 0},
    {"effGetProgramNameIndexed -1", effGetProgramNameIndexed, -1, 0, Pointer::Buffer, nullptr, 0, 0},
    {"effCopyProgram", effCopyProgram, 1, 0, Pointer::None, nullptr, 0, 0},
    {"effConnectInput", effConnectInput, 0, 1, Pointer::None, nullptr, 0, 0},
    {"effConnectOutput", effConnectOutput, 0, 1, Pointer::None, nullptr, 0, 0},
    {"effGetInputProperties", effGetInputProperties, 0, 0, Pointer::Buffer, nullptr, 0, 0},
    {"effGetOutputProperties", effGetOutputProperties, 0, 0, Pointer::Buffer, nullptr, 0, 0},
    {"effGetPlugCategory", effGetPlugCategory, 0, 0, Pointer::None, nullptr, 0, kPlugCategUnknown},
    {"effGetCurrentPosition", effGetCurrentPosition, 0, 0, Pointer::None, nullptr, 0, 0},
    {"effGetDestinationBuffer", effGetDestinationBuffer, 0, 0, Pointer::None, nullptr, 0, 0},
    {"effOfflineNotify", effOfflineNotify, 1, 1, Pointer::Buffer, nullptr, 0, 0},
    {"effOfflinePrepare", effOfflinePrepare, 0, 1, Pointer::Buffer, nullptr, 0, 0},
    {"effOfflineRun", effOfflineRun, 0, 1, Pointer::Buffer, nullptr, 0, 0},
    {"effProcessVarIo", effProcessVarIo, 0, 0, Pointer::Buffer, nullptr, 0, 0},
    {"effSetSpeakerArrangement", effSetSpeakerArrangement, 0, 0, Pointer::BufferAndValue, nullptr, 0, 0},
    {"effSetBlockSizeAndSampleRate", effSetBlockSizeAndSampleRate, 0, 256, Pointer::None, nullptr, 96000.0f, 0},
    {"effSetBypass on", effSetBypass, 0, 1, Pointer::None, nullptr, 0, 0},
    {"effGetEffectName", effGetEffectName, 0, 0, Pointer::Buffer, nullptr, 0, 1},
    {"effGetErrorText", effGetErrorText, 0, 0, Pointer::Buffer, nullptr, 0, 0},
    {"effGetVendorString", effGetVendorString, 0, 0, Pointer::Buffer, nullptr, 0, 1},
    {"effGetProductString", effGetProductString, 0, 0, Pointer::Buffer, nullptr, 0, 1},
    {"effGetVendorVersion", effGetVendorVersion, 0, 0, Pointer::None, nullptr, 0, 1000},
    {"effVendorSpecific", effVendorSpecific, 1, 2, Pointer::Buffer, nullptr, 3.0f, 0},
    {"effCanDo receiveVstMidiEvent", effCanDo, 0, 0, Pointer::Text, "receiveVstMidiEvent", 0, 0},
    {"effCanDo sendVstEvents", effCanDo, 0, 0, Pointer::Text, "sendVstEvents", 0, 0},
    {"effCanDo bypass", effCanDo, 0, 0, Pointer::Text, "bypass", 0, 0},
    {"effCanDo empty", effCanDo, 0, 0, Pointer::Text, "", 0, 0},
    {"effGetTailSize", effGetTailSize, 0, 0, Pointer::None, nullptr, 0, 0},
    {"effIdle", effIdle, 0, 0, Pointer::None, nullptr, 0, 0},
    {"effGetIcon", effGetIcon, 0, 0, Pointer::None, nullptr, 0, 0},
    {"effSetViewPosition", effSetViewPosition, 10, 10, Pointer::None, nullptr, 0, 0},
    {"effGetParameterProperties", effGetParameterProperties, 0, 0, Pointer::Buffer, nullptr, 0, 0},
    {"effKeysRequired", effKeysRequired, 0, 0, Pointer::None, nullptr, 0, 0},
    {"effGetVstVersion", effGetVstVersion, 0, 0, Pointer::None, nullptr, 0, 2400},
    {"effGetMidiProgramName", effGetMidiProgramName, 0, 0, Pointer::Buffer, nullptr, 0, 0},
    {"effGetCurrentMidiProgram", effGetCurrentMidiProgram, 0, 0, Pointer::Buffer, nullptr, 0, -1},
    {"effGetMidiProgramCategory", effGetMidiProgramCategory, 0, 0, Pointer::Buffer, nullptr, 0, 0},
    {"effHasMidiProgramsChanged", effHasMidiProgramsChanged, 0, 0, Pointer::None, nullptr, 0, 0},
    {"effGetMidiKeyName", effGetMidiKeyName, 0, 0, Pointer::Buffer, nullptr, 0, 0},
    {"effBeginSetProgram", effBeginSetProgram, 0, 0, Pointer::None, nullptr, 0, 0},
    {"effEndSetProgram", effEndSetProgram, 0, 0, Pointer::None, nullptr, 0, 0},
    {"effGetSpeakerArrangement", effGetSpeakerArrangement, 0, 0, Pointer::BufferAndValue, nullptr, 0, 0},
    {"effShellGetNextPlugin", effShellGetNextPlugin, 0, 0, Pointer::Buffer, nullptr, 0, 0},
    {"effStartProcess", effStartProcess, 0, 0, Pointer::None, nullptr, 0, 0},
    {"effStopProcess", effStopProcess, 0, 0, Pointer::None, nullptr, 0, 0},
    {"effSetTotalSampleToProcess", effSetTotalSampleToProcess, 0, 12345, Pointer::None, nullptr, 0, 12345},
    {"effSetPanLaw", effSetPanLaw, 0, 1, Pointer::None, nullptr, 0.7071f, 0},
    {"effBeginLoadBank", effBeginLoadBank, 0, 0, Pointer::Buffer, nullptr, 0, 0},
    {"effBeginLoadProgram", effBeginLoadProgram, 0, 0, Pointer::Buffer, nullptr, 0, 0},
    {"effSetProcessPrecision", effSetProcessPrecision, 0, 1, Pointer::None, nullptr, 0, 0},
    {"effGetNumMidiInputChannels", effGetNumMidiInputChannels, 0, 0, Pointer::None, nullptr, 0, 0},
    {"effGetNumMidiOutputChannels", effGetNumMidiOutputChannels, 0, 0, Pointer::None, nullptr, 0, 0},
    {"opcode 80", 80, 0, 0, Pointer::Buffer, nullptr, 0, 0},
    {"opcode 1000", 1000, 0, 0, Pointer::Buffer, nullptr, 0, 0},
    {"opcode -1", -1, 0, 0, Pointer::Buffer, nullptr, 0, 0},
    {"opcode INT_MIN", INT_MIN, 0, 0, Pointer::Buffer, nullptr, 0, 0},
#if !TAMZOR_HAS_EDITOR
    {"effEditGetRect without editor", effEditGetRect, 0, 0, Pointer::Buffer, nullptr, 0, 0},
    {"effEditOpen without editor", effEditOpen, 0, 0, Pointer::Buffer, nullptr, 0, 0},
    {"effEditIdle without editor", effEditIdle, 0, 0, Pointer::None, nullptr, 0, 0},
    {"effEditKeyDown without editor", effEditKeyDown, 65, 0, Pointer::None, nullptr, 0, 0},
    {"effEditKeyUp without editor", effEditKeyUp, 65, 0, Pointer::None, nullptr, 0, 0},
    {"effSetEditKnobMode without editor", effSetEditKnobMode, 0, 2, Pointer::None, nullptr, 0, 0},
#endif
};

// Everything the host can observe of the effect's state.
struct Observed {
  std::vector<std::uint8_t> bank;
  VstInt32 program;
  std::vector<float> parameters;
  bool operator==(const Observed&) const = default;
};

class DispatcherTest : public LoadedPlugin {
protected:
  Observed observe() {
    Observed observed{plugin->chunk(false), plugin->currentProgram(), {}};
    for (VstInt32 i = 0; i < 13; ++i) observed.parameters.push_back(plugin->getParameter(i));
    return observed;
  }
};

class OpcodeTableTest : public DispatcherTest, public ::testing::WithParamInterface<OpcodeCase> {};

TEST_P(OpcodeTableTest, AnswersAndChangesNothing) {
  const OpcodeCase& c = GetParam();
  plugin->setParameter(2, 0.8f);
  plugin->setProgram(2);
  const Observed before = observe();

  alignas(16) unsigned char buffer[512] = {};
  void* out[2] = {&buffer[0], &buffer[8]};
  std::string text = c.text != nullptr ? c.text : "";
  void* ptr = nullptr;
  VstIntPtr value = c.value;
  switch (c.pointer) {
    case Pointer::None: break;
    case Pointer::Buffer: ptr = buffer; break;
    case Pointer::Text: ptr = text.data(); break;
    case Pointer::BufferAndValue:
      ptr = &out[0];
      value = reinterpret_cast<VstIntPtr>(&out[1]);
      break;
  }
  EXPECT_EQ(dispatch(c.opcode, c.index, value, ptr, c.opt), c.expected);
  EXPECT_TRUE(observe() == before);
  EXPECT_TRUE(plugin->requests().size() == 1) << "only the version request of the entry point";
}

INSTANTIATE_TEST_SUITE_P(EveryOpcode, OpcodeTableTest, ::testing::ValuesIn(kOpcodeCases));

// Opcodes that read or write through ptr (and the speaker arrangements also
// through value) answer 0 and do nothing when it is null.
const VstInt32 kPointerOpcodes[] = {
    effSetProgramName,        effGetProgramName,      effGetParamLabel,        effGetParamDisplay,
    effGetParamName,          effEditGetRect,         effEditOpen,             effGetChunk,
    effSetChunk,              effProcessEvents,       effString2Parameter,     effGetProgramNameIndexed,
    effGetInputProperties,    effGetOutputProperties, effOfflineNotify,        effOfflinePrepare,
    effOfflineRun,            effProcessVarIo,        effSetSpeakerArrangement, effGetEffectName,
    effGetVendorString,       effGetProductString,    effCanDo,                effGetParameterProperties,
    effGetMidiProgramName,    effGetCurrentMidiProgram, effGetMidiProgramCategory, effGetMidiKeyName,
    effGetSpeakerArrangement, effShellGetNextPlugin,  effBeginLoadBank,        effBeginLoadProgram,
};

class NullPointerTest : public DispatcherTest {};

TEST_F(NullPointerTest, EveryPointerOpcodeRefusesNull) {
  const Observed before = observe();
  for (VstInt32 opcode : kPointerOpcodes) {
    SCOPED_TRACE(opcode);
    EXPECT_EQ(dispatch(opcode, 1, 208, nullptr, 0.0f), 0);
    EXPECT_EQ(dispatch(opcode, 0, 2080, nullptr, 0.0f), 0);
  }
  EXPECT_TRUE(observe() == before);
}

TEST_F(NullPointerTest, SpeakerArrangementsNeedBothReferences) {
  void* arrangement = this;
  EXPECT_EQ(dispatch(effGetSpeakerArrangement, 0, 0, &arrangement), 0);
  EXPECT_EQ(arrangement, this);
  EXPECT_EQ(dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&arrangement), nullptr), 0);
  EXPECT_EQ(arrangement, this);
}

TEST_F(DispatcherTest, GetSpeakerArrangementClearsBothReferences) {
  void* input = this;
  void* output = this;
  EXPECT_EQ(dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&input), &output), 0);
  EXPECT_EQ(input, nullptr);
  EXPECT_EQ(output, nullptr);
}

TEST_F(DispatcherTest, SuspendAndResumeKeepAllState) {
  plugin->setParameter(0, 0.3f);
  plugin->setParameter(1, 1.0f);
  plugin->setParameter(4, 0.9f);
  const Observed before = observe();
  dispatch(effMainsChanged, 0, 0);
  dispatch(effMainsChanged, 0, 1);
  EXPECT_TRUE(observe() == before);
}

TEST_F(DispatcherTest, OutOfRangeProgramSelectionIsIgnored) {
  dispatch(effSetProgram, 0, 4);
  for (VstIntPtr program : {VstIntPtr{10}, VstIntPtr{-1}, VstIntPtr{1} << 40}) {
    EXPECT_EQ(dispatch(effSetProgram, 0, program), 0);
    EXPECT_EQ(dispatch(effGetProgram), 4);
  }
}

TEST_F(DispatcherTest, IdentityTexts) {
  EXPECT_EQ(plugin->effectName(), TAMZOR_SSE2 ? "Dravik_Tamzor_Head_v1_1_SSE" : "Dravik_Tamzor_Head_v1_1");
  EXPECT_EQ(plugin->productString(), plugin->effectName());
  EXPECT_EQ(plugin->vendorString(), "Quenn Plugins");
}

}  // namespace
}  // namespace tamzor::test
