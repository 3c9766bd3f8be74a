// VST 2.4 plug-in interface declarations: the effect record shared with the
// host, the opcode numbers in both directions, the flags, the callback types
// and the small records the effect and its editor exchange with the host.
//
// Written for this project from the published names and numbers of the
// interface. Results of callbacks and dispatchers are pointer-width integers.
// Records that this effect never looks inside (events, speaker arrangements,
// offline tasks ...) are declared as incomplete types.
#pragma once

#include <cstddef>
#include <cstdint>

// Calling convention of every entry crossing the host boundary. Empty on Linux.
#define VSTCALLBACK

using VstInt16 = std::int16_t;
using VstInt32 = std::int32_t;
using VstInt64 = std::int64_t;
using VstIntPtr = std::intptr_t;

// A four-character code as the interface forms it: the first character in the
// most significant byte.
constexpr VstInt32 fourCharCode(char a, char b, char c, char d) {
  return static_cast<VstInt32>((static_cast<std::uint32_t>(static_cast<unsigned char>(a)) << 24) |
                               (static_cast<std::uint32_t>(static_cast<unsigned char>(b)) << 16) |
                               (static_cast<std::uint32_t>(static_cast<unsigned char>(c)) << 8) |
                               static_cast<std::uint32_t>(static_cast<unsigned char>(d)));
}

constexpr VstInt32 kEffectMagic = fourCharCode('V', 's', 't', 'P');
constexpr VstInt32 kVstVersion = 2400;

struct AEffect;

using audioMasterCallback = VstIntPtr(VSTCALLBACK*)(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                                    VstIntPtr value, void* ptr, float opt);
using AEffectDispatcherProc = VstIntPtr(VSTCALLBACK*)(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                                      VstIntPtr value, void* ptr, float opt);
using AEffectProcessProc = void(VSTCALLBACK*)(AEffect* effect, float** inputs, float** outputs,
                                              VstInt32 sampleFrames);
using AEffectProcessDoubleProc = void(VSTCALLBACK*)(AEffect* effect, double** inputs, double** outputs,
                                                    VstInt32 sampleFrames);
using AEffectSetParameterProc = void(VSTCALLBACK*)(AEffect* effect, VstInt32 index, float parameter);
using AEffectGetParameterProc = float(VSTCALLBACK*)(AEffect* effect, VstInt32 index);

// The effect record the host sees. Field order and widths are the ABI.
struct AEffect {
  VstInt32 magic;                       // kEffectMagic
  AEffectDispatcherProc dispatcher;     // host to plug-in opcodes
  AEffectProcessProc process;           // deprecated accumulating process
  AEffectSetParameterProc setParameter;
  AEffectGetParameterProc getParameter;
  VstInt32 numPrograms;
  VstInt32 numParams;
  VstInt32 numInputs;
  VstInt32 numOutputs;
  VstInt32 flags;                       // VstAEffectFlags
  VstIntPtr resvd1;                     // reserved for the host, zero
  VstIntPtr resvd2;                     // reserved for the host, zero
  VstInt32 initialDelay;                // latency in samples
  VstInt32 realQualities;               // deprecated
  VstInt32 offQualities;                // deprecated
  float ioRatio;                        // deprecated
  void* object;                         // the effect object behind the record
  void* user;                           // free for the host
  VstInt32 uniqueID;
  VstInt32 version;                     // the effect's own version
  AEffectProcessProc processReplacing;
  AEffectProcessDoubleProc processDoubleReplacing;
  char future[56];                      // reserved, zero
};

enum VstAEffectFlags : VstInt32 {
  effFlagsHasEditor = 1 << 0,
  effFlagsHasClip = 1 << 1,             // deprecated
  effFlagsHasVu = 1 << 2,               // deprecated
  effFlagsCanMono = 1 << 3,             // deprecated
  effFlagsCanReplacing = 1 << 4,
  effFlagsProgramChunks = 1 << 5,
  effFlagsIsSynth = 1 << 8,
  effFlagsNoSoundInStop = 1 << 9,
  effFlagsExtIsAsync = 1 << 10,         // deprecated
  effFlagsExtHasBuffer = 1 << 11,       // deprecated
  effFlagsCanDoubleReplacing = 1 << 12,
};

// Host to plug-in opcodes (dispatcher), base set.
enum AEffectOpcodes : VstInt32 {
  effOpen = 0,
  effClose,
  effSetProgram,
  effGetProgram,
  effSetProgramName,
  effGetProgramName,
  effGetParamLabel,
  effGetParamDisplay,
  effGetParamName,
  effGetVu,                 // deprecated
  effSetSampleRate,
  effSetBlockSize,
  effMainsChanged,
  effEditGetRect,
  effEditOpen,
  effEditClose,
  effEditDraw,              // deprecated
  effEditMouse,             // deprecated
  effEditKey,               // deprecated
  effEditIdle,
  effEditTop,               // deprecated
  effEditSleep,             // deprecated
  effIdentify,              // deprecated
  effGetChunk,
  effSetChunk,
  effNumOpcodes
};

// Host to plug-in opcodes (dispatcher), extended set.
enum AEffectXOpcodes : VstInt32 {
  effProcessEvents = effSetChunk + 1,   // 25
  effCanBeAutomated,
  effString2Parameter,
  effGetNumProgramCategories,           // deprecated
  effGetProgramNameIndexed,
  effCopyProgram,                       // deprecated
  effConnectInput,                      // deprecated
  effConnectOutput,                     // deprecated
  effGetInputProperties,
  effGetOutputProperties,
  effGetPlugCategory,
  effGetCurrentPosition,                // deprecated
  effGetDestinationBuffer,              // deprecated
  effOfflineNotify,
  effOfflinePrepare,
  effOfflineRun,
  effProcessVarIo,
  effSetSpeakerArrangement,
  effSetBlockSizeAndSampleRate,         // deprecated
  effSetBypass,
  effGetEffectName,
  effGetErrorText,                      // deprecated
  effGetVendorString,
  effGetProductString,
  effGetVendorVersion,
  effVendorSpecific,
  effCanDo,
  effGetTailSize,
  effIdle,                              // deprecated
  effGetIcon,                           // deprecated
  effSetViewPosition,                   // deprecated
  effGetParameterProperties,
  effKeysRequired,                      // deprecated
  effGetVstVersion,
  effEditKeyDown,
  effEditKeyUp,
  effSetEditKnobMode,
  effGetMidiProgramName,
  effGetCurrentMidiProgram,
  effGetMidiProgramCategory,
  effHasMidiProgramsChanged,
  effGetMidiKeyName,
  effBeginSetProgram,
  effEndSetProgram,
  effGetSpeakerArrangement,
  effShellGetNextPlugin,
  effStartProcess,
  effStopProcess,
  effSetTotalSampleToProcess,
  effSetPanLaw,
  effBeginLoadBank,
  effBeginLoadProgram,
  effSetProcessPrecision,
  effGetNumMidiInputChannels,
  effGetNumMidiOutputChannels,          // 79
};

// Plug-in to host requests (audioMaster), base set.
enum AudioMasterOpcodes : VstInt32 {
  audioMasterAutomate = 0,
  audioMasterVersion,
  audioMasterCurrentId,
  audioMasterIdle,
  audioMasterPinConnected,              // deprecated
};

// Plug-in to host requests (audioMaster), extended set.
enum AudioMasterOpcodesX : VstInt32 {
  audioMasterWantMidi = audioMasterPinConnected + 2,  // 6, deprecated
  audioMasterGetTime,
  audioMasterProcessEvents,
  audioMasterSetTime,                   // deprecated
  audioMasterTempoAt,                   // deprecated
  audioMasterGetNumAutomatableParameters, // deprecated
  audioMasterGetParameterQuantization,  // deprecated
  audioMasterIOChanged,
  audioMasterNeedIdle,                  // deprecated
  audioMasterSizeWindow,                // 15
  audioMasterGetSampleRate,
  audioMasterGetBlockSize,
  audioMasterGetInputLatency,
  audioMasterGetOutputLatency,
  audioMasterGetPreviousPlug,           // deprecated
  audioMasterGetNextPlug,               // deprecated
  audioMasterWillReplaceOrAccumulate,   // deprecated
  audioMasterGetCurrentProcessLevel,
  audioMasterGetAutomationState,
  audioMasterOfflineStart,
  audioMasterOfflineRead,
  audioMasterOfflineWrite,
  audioMasterOfflineGetCurrentPass,
  audioMasterOfflineGetCurrentMetaPass,
  audioMasterSetOutputSampleRate,       // deprecated
  audioMasterGetOutputSpeakerArrangement, // deprecated
  audioMasterGetVendorString,
  audioMasterGetProductString,
  audioMasterGetVendorVersion,
  audioMasterVendorSpecific,
  audioMasterSetIcon,                   // deprecated
  audioMasterCanDo,                     // 37
  audioMasterGetLanguage,
  audioMasterOpenWindow,                // deprecated
  audioMasterCloseWindow,               // deprecated
  audioMasterGetDirectory,
  audioMasterUpdateDisplay,
  audioMasterBeginEdit,                 // 43
  audioMasterEndEdit,                   // 44
  audioMasterOpenFileSelector,
  audioMasterCloseFileSelector,
  audioMasterEditFile,                  // deprecated
  audioMasterGetChunkFile,              // deprecated
  audioMasterGetInputSpeakerArrangement, // deprecated
};

enum VstPlugCategory : VstInt32 {
  kPlugCategUnknown = 0,
  kPlugCategEffect,
  kPlugCategSynth,
  kPlugCategAnalysis,
  kPlugCategMastering,
  kPlugCategSpacializer,
  kPlugCategRoomFx,
  kPlugSurroundFx,
  kPlugCategRestoration,
  kPlugCategOfflineProcess,
  kPlugCategShell,
  kPlugCategGenerator,
  kPlugCategMaxCount
};

// Text bounds of the interface (characters, without the terminating zero).
enum VstStringConstants : VstInt32 {
  kVstMaxProgNameLen = 24,
  kVstMaxParamStrLen = 8,
  kVstMaxVendorStrLen = 64,
  kVstMaxProductStrLen = 64,
  kVstMaxEffectNameLen = 32,
  kVstMaxNameLen = 64,
  kVstMaxLabelLen = 64,
  kVstMaxShortLabelLen = 8,
  kVstMaxCategLen = 24,
  kVstMaxFileNameLen = 100,
};

// Editor rectangle, in pixels.
struct ERect {
  VstInt16 top;
  VstInt16 left;
  VstInt16 bottom;
  VstInt16 right;
};

// A key event handed to the editor.
struct VstKeyCode {
  VstInt32 character;       // ASCII character
  unsigned char virt;       // virtual key code
  unsigned char modifier;   // modifier key bits
};

// Records exchanged through opcodes this effect only answers with defaults.
struct VstEvents;
struct VstParameterProperties;
struct VstPinProperties;
struct VstSpeakerArrangement;
struct VstVariableIo;
struct VstAudioFile;
struct VstOfflineTask;
struct VstPatchChunkInfo;
struct MidiProgramName;
struct MidiProgramCategory;
struct MidiKeyName;

using VstOfflineOption = VstInt32;

// The exported entry point's signature.
using VstPluginMainProc = AEffect*(VSTCALLBACK*)(audioMasterCallback audioMaster);

#if INTPTR_MAX == INT64_MAX
static_assert(sizeof(AEffect) == 192, "AEffect layout of a 64-bit host");
static_assert(offsetof(AEffect, flags) == 56 && offsetof(AEffect, object) == 96 &&
                  offsetof(AEffect, uniqueID) == 112 && offsetof(AEffect, future) == 136,
              "AEffect field offsets of a 64-bit host");
#endif
static_assert(sizeof(ERect) == 8, "ERect is four 16-bit edges");
