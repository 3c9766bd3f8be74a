#include "plugin/AudioEffectX.h"

#include <cmath>

#include "plugin/AEffEditor.h"
#include "plugin/PointerOpcodes.h"

namespace {

// The low byte of opt truncated to an integer; 0 where that is undefined.
unsigned char lowByteOf(float opt) {
  if (!std::isfinite(opt) || std::fabs(opt) >= 2147483648.0f) return 0;
  return static_cast<unsigned char>(static_cast<VstInt32>(opt) & 0xFF);
}

VstKeyCode keyCodeOf(VstInt32 index, VstIntPtr value, float opt) {
  VstKeyCode key{};
  key.character = index;
  key.virt = static_cast<unsigned char>(value & 0xFF);
  key.modifier = lowByteOf(opt);
  return key;
}

VstIntPtr answerOf(bool answer) { return answer ? 1 : 0; }

}  // namespace

AudioEffectX::AudioEffectX(audioMasterCallback master, VstInt32 programCount, VstInt32 parameterCount)
    : AudioEffect(master, programCount, parameterCount) {}

VstIntPtr AudioEffectX::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  if (tamzor::lacksRequiredPointer(opcode, value, ptr)) return 0;
  char* text = static_cast<char*>(ptr);
  switch (opcode) {
    case effProcessEvents:
      return processEvents(static_cast<VstEvents*>(ptr));
    case effCanBeAutomated:
      return answerOf(canParameterBeAutomated(index));
    case effString2Parameter:
      return answerOf(string2parameter(index, text));
    case effGetProgramNameIndexed:
      return answerOf(getProgramNameIndexed(static_cast<VstInt32>(value), index, text));
    case effGetInputProperties:
      return answerOf(getInputProperties(index, static_cast<VstPinProperties*>(ptr)));
    case effGetOutputProperties:
      return answerOf(getOutputProperties(index, static_cast<VstPinProperties*>(ptr)));
    case effGetPlugCategory:
      return getPlugCategory();
    case effOfflineNotify:
      return answerOf(offlineNotify(static_cast<VstAudioFile*>(ptr), static_cast<VstInt32>(value), index != 0));
    case effOfflinePrepare:
      return answerOf(offlinePrepare(static_cast<VstOfflineTask*>(ptr), static_cast<VstInt32>(value)));
    case effOfflineRun:
      return answerOf(offlineRun(static_cast<VstOfflineTask*>(ptr), static_cast<VstInt32>(value)));
    case effProcessVarIo:
      return answerOf(processVariableIo(static_cast<VstVariableIo*>(ptr)));
    case effSetSpeakerArrangement:
      return answerOf(setSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement*>(value),
                                            static_cast<VstSpeakerArrangement*>(ptr)));
    case effSetBypass:
      return answerOf(setBypass(value != 0));
    case effGetEffectName:
      return answerOf(getEffectName(text));
    case effGetVendorString:
      return answerOf(getVendorString(text));
    case effGetProductString:
      return answerOf(getProductString(text));
    case effGetVendorVersion:
      return getVendorVersion();
    case effVendorSpecific:
      return vendorSpecific(index, value, ptr, opt);
    case effCanDo:
      return canDo(text);
    case effGetTailSize:
      return getGetTailSize();
    case effGetParameterProperties:
      return answerOf(getParameterProperties(index, static_cast<VstParameterProperties*>(ptr)));
    case effGetVstVersion:
      return getVstVersion();
    case effEditKeyDown:
      if (editor != nullptr) {
        VstKeyCode key = keyCodeOf(index, value, opt);
        return answerOf(editor->onKeyDown(key));
      }
      return 0;
    case effEditKeyUp:
      if (editor != nullptr) {
        VstKeyCode key = keyCodeOf(index, value, opt);
        return answerOf(editor->onKeyUp(key));
      }
      return 0;
    case effSetEditKnobMode:
      return editor != nullptr ? answerOf(editor->setKnobMode(static_cast<VstInt32>(value))) : 0;
    case effGetMidiProgramName:
      return getMidiProgramName(index, static_cast<MidiProgramName*>(ptr));
    case effGetCurrentMidiProgram:
      return getCurrentMidiProgram(index, static_cast<MidiProgramName*>(ptr));
    case effGetMidiProgramCategory:
      return getMidiProgramCategory(index, static_cast<MidiProgramCategory*>(ptr));
    case effHasMidiProgramsChanged:
      return answerOf(hasMidiProgramsChanged(index));
    case effGetMidiKeyName:
      return answerOf(getMidiKeyName(index, static_cast<MidiKeyName*>(ptr)));
    case effBeginSetProgram:
      return answerOf(beginSetProgram());
    case effEndSetProgram:
      return answerOf(endSetProgram());
    case effGetSpeakerArrangement:
      return answerOf(getSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement**>(value),
                                            static_cast<VstSpeakerArrangement**>(ptr)));
    case effShellGetNextPlugin:
      return getNextShellPlugin(text);
    case effStartProcess:
      return startProcess();
    case effStopProcess:
      return stopProcess();
    case effSetTotalSampleToProcess:
      return setTotalSampleToProcess(static_cast<VstInt32>(value));
    case effSetPanLaw:
      return answerOf(setPanLaw(static_cast<VstInt32>(value), opt));
    case effBeginLoadBank:
      return beginLoadBank(static_cast<VstPatchChunkInfo*>(ptr));
    case effBeginLoadProgram:
      return beginLoadProgram(static_cast<VstPatchChunkInfo*>(ptr));
    case effSetProcessPrecision:
      return answerOf(setProcessPrecision(static_cast<VstInt32>(value)));
    case effGetNumMidiInputChannels:
      return getNumMidiInputChannels();
    case effGetNumMidiOutputChannels:
      return getNumMidiOutputChannels();
    default:
      return AudioEffect::dispatcher(opcode, index, value, ptr, opt);
  }
}

void AudioEffectX::resume() {
  char receiveMidi[] = "receiveVstMidiEvent";
  if ((cEffect.flags & effFlagsIsSynth) != 0 || canDo(receiveMidi) == 1) wantEvents(1);
}

bool AudioEffectX::beginEdit(VstInt32 index) { return callHost(audioMasterBeginEdit, index) != 0; }

bool AudioEffectX::endEdit(VstInt32 index) { return callHost(audioMasterEndEdit, index) != 0; }

bool AudioEffectX::getSpeakerArrangement(VstSpeakerArrangement** pluginInput, VstSpeakerArrangement** pluginOutput) {
  if (pluginInput != nullptr) *pluginInput = nullptr;
  if (pluginOutput != nullptr) *pluginOutput = nullptr;
  return false;
}

bool AudioEffectX::canHostDo(char* text) { return text != nullptr && callHost(audioMasterCanDo, 0, 0, text) != 0; }

VstPlugCategory AudioEffectX::getPlugCategory() {
  return (cEffect.flags & effFlagsIsSynth) != 0 ? kPlugCategSynth : kPlugCategUnknown;
}

bool AudioEffectX::sizeWindow(VstInt32 width, VstInt32 height) {
  return callHost(audioMasterSizeWindow, width, height) != 0;
}

void AudioEffectX::wantEvents(VstInt32 filter) { callHost(audioMasterWantMidi, 0, filter); }
