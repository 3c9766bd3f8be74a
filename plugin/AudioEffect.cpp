#include "plugin/AudioEffect.h"

#include <atomic>
#include <cstdint>
#include <cmath>
#include <cstring>

#include "plugin/AEffEditor.h"
#include "plugin/BoundedText.h"
#include "plugin/PointerOpcodes.h"
#include "plugin/ValueStrings.h"

namespace {

AudioEffect* effectOf(AEffect* record) {
  return record != nullptr ? static_cast<AudioEffect*>(record->object) : nullptr;
}

// True when the host handed over every channel pointer the record announces.
template <typename Sample>
bool hasChannels(const AEffect* record, Sample* const* inputs, Sample* const* outputs) {
  if (inputs == nullptr || outputs == nullptr) return false;
  for (VstInt32 i = 0; i < record->numInputs; ++i)
    if (inputs[i] == nullptr) return false;
  for (VstInt32 i = 0; i < record->numOutputs; ++i)
    if (outputs[i] == nullptr) return false;
  return true;
}

}  // namespace

AudioEffect::AudioEffect(audioMasterCallback master, VstInt32 programCount, VstInt32 parameterCount)
    : audioMaster(master), numPrograms(programCount), numParams(parameterCount) {
  std::memset(&cEffect, 0, sizeof(cEffect));
  cEffect.magic = kEffectMagic;
  cEffect.dispatcher = dispatchEntry;
  cEffect.process = processEntry;
  cEffect.setParameter = setParameterEntry;
  cEffect.getParameter = getParameterEntry;
  cEffect.numPrograms = programCount;
  cEffect.numParams = parameterCount;
  cEffect.numInputs = 1;
  cEffect.numOutputs = 2;
  cEffect.flags = effFlagsCanReplacing;
  cEffect.ioRatio = 1.0f;
  cEffect.object = this;
  cEffect.uniqueID = fourCharCode('N', 'o', 'E', 'f');
  cEffect.version = 1;
  cEffect.processReplacing = processReplacingEntry;
  cEffect.processDoubleReplacing = processDoubleReplacingEntry;
}

AudioEffect::~AudioEffect() { delete editor; }

void AudioEffect::setEditor(AEffEditor* newEditor) {
  editor = newEditor;
  if (editor != nullptr) {
    cEffect.flags |= effFlagsHasEditor;
  } else {
    cEffect.flags &= ~effFlagsHasEditor;
  }
}

VstIntPtr AudioEffect::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  if (tamzor::lacksRequiredPointer(opcode, value, ptr)) return 0;
  switch (opcode) {
    case effOpen:
      open();
      return 0;
    case effClose:
      close();
      return 0;
    case effSetProgram:
      if (value >= 0 && value < numPrograms) setProgram(static_cast<VstInt32>(value));
      return 0;
    case effGetProgram:
      return getProgram();
    case effSetProgramName:
      setProgramName(static_cast<char*>(ptr));
      return 0;
    case effGetProgramName:
      getProgramName(static_cast<char*>(ptr));
      return 0;
    case effGetParamLabel:
      getParameterLabel(index, static_cast<char*>(ptr));
      return 0;
    case effGetParamDisplay:
      getParameterDisplay(index, static_cast<char*>(ptr));
      return 0;
    case effGetParamName:
      getParameterName(index, static_cast<char*>(ptr));
      return 0;
    case effSetSampleRate:
      setSampleRate(opt);
      return 0;
    case effSetBlockSize:
      setBlockSize(static_cast<VstInt32>(value));
      return 0;
    case effMainsChanged:
      if (value == 0) {
        suspend();
      } else {
        resume();
      }
      return 0;
    case effEditGetRect:
      return editor != nullptr && editor->getRect(static_cast<ERect**>(ptr)) ? 1 : 0;
    case effEditOpen:
      return editor != nullptr && editor->open(ptr) ? 1 : 0;
    case effEditClose:
      if (editor != nullptr) editor->close();
      return 0;
    case effEditIdle:
      if (editor != nullptr) editor->idle();
      return 0;
    case effIdentify:
      return fourCharCode('N', 'v', 'E', 'f');
    case effGetChunk:
      return getChunk(static_cast<void**>(ptr), index != 0);
    case effSetChunk:
      // A size that does not fit 32 bits is no size a chunk can have.
      if (value < 0 || value > INT32_MAX) return 0;
      return setChunk(ptr, static_cast<VstInt32>(value), index != 0);
    default:
      return 0;
  }
}

void AudioEffect::setSampleRate(float rate) { std::atomic_ref<float>(sampleRate).store(rate, std::memory_order_relaxed); }

void AudioEffect::setBlockSize(VstInt32 size) { blockSize = size; }

float AudioEffect::getSampleRate() { return std::atomic_ref<float>(sampleRate).load(std::memory_order_relaxed); }

VstInt32 AudioEffect::getBlockSize() { return blockSize; }

void AudioEffect::setParameterAutomated(VstInt32 index, float value) {
  if (!std::isfinite(value)) return;
  setParameter(index, value);
  callHost(audioMasterAutomate, index, 0, nullptr, value);
}

VstInt32 AudioEffect::getProgram() { return std::atomic_ref<VstInt32>(curProgram).load(std::memory_order_relaxed); }

void AudioEffect::setProgram(VstInt32 program) {
  std::atomic_ref<VstInt32>(curProgram).store(program, std::memory_order_relaxed);
}

void AudioEffect::getProgramName(char* name) {
  if (name != nullptr) *name = '\0';
}

void AudioEffect::getParameterLabel(VstInt32 /*index*/, char* label) {
  if (label != nullptr) *label = '\0';
}

void AudioEffect::getParameterDisplay(VstInt32 /*index*/, char* text) {
  if (text != nullptr) *text = '\0';
}

void AudioEffect::getParameterName(VstInt32 /*index*/, char* text) {
  if (text != nullptr) *text = '\0';
}

void AudioEffect::setUniqueID(VstInt32 id) { cEffect.uniqueID = id; }
void AudioEffect::setNumInputs(VstInt32 inputs) { cEffect.numInputs = inputs; }
void AudioEffect::setNumOutputs(VstInt32 outputs) { cEffect.numOutputs = outputs; }

void AudioEffect::canProcessReplacing(bool state) {
  if (state) {
    cEffect.flags |= effFlagsCanReplacing;
  } else {
    cEffect.flags &= ~effFlagsCanReplacing;
  }
}

void AudioEffect::canDoubleReplacing(bool state) {
  if (state) {
    cEffect.flags |= effFlagsCanDoubleReplacing;
  } else {
    cEffect.flags &= ~effFlagsCanDoubleReplacing;
  }
}

void AudioEffect::programsAreChunks(bool state) {
  if (state) {
    cEffect.flags |= effFlagsProgramChunks;
  } else {
    cEffect.flags &= ~effFlagsProgramChunks;
  }
}

void AudioEffect::setInitialDelay(VstInt32 delay) { cEffect.initialDelay = delay; }

VstIntPtr AudioEffect::callHost(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  return audioMaster != nullptr ? audioMaster(&cEffect, opcode, index, value, ptr, opt) : 0;
}

VstInt32 AudioEffect::getMasterVersion() {
  const VstIntPtr answer = callHost(audioMasterVersion);
  return answer != 0 ? static_cast<VstInt32>(answer) : 1;
}

VstInt32 AudioEffect::getCurrentUniqueId() { return static_cast<VstInt32>(callHost(audioMasterCurrentId)); }

void AudioEffect::masterIdle() { callHost(audioMasterIdle); }

void AudioEffect::dB2string(float value, char* text, VstInt32 maxLen) { tamzor::dB2string(value, text, maxLen); }

void AudioEffect::Hz2string(float samples, char* text, VstInt32 maxLen) {
  tamzor::Hz2string(samples, getSampleRate(), text, maxLen);
}

void AudioEffect::ms2string(float samples, char* text, VstInt32 maxLen) {
  tamzor::ms2string(samples, getSampleRate(), text, maxLen);
}

void AudioEffect::float2string(float value, char* text, VstInt32 maxLen) { tamzor::float2string(value, text, maxLen); }

void AudioEffect::int2string(VstInt32 value, char* text, VstInt32 maxLen) { tamzor::int2string(value, text, maxLen); }

VstIntPtr AudioEffect::dispatchEntry(AEffect* record, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                     float opt) {
  AudioEffect* effect = effectOf(record);
  if (effect == nullptr) return 0;
  const VstIntPtr result = effect->dispatcher(opcode, index, value, ptr, opt);
  if (opcode == effClose) {
    delete effect;
    return 1;
  }
  return result;
}

void AudioEffect::processEntry(AEffect* record, float** inputs, float** outputs, VstInt32 sampleFrames) {
  AudioEffect* effect = effectOf(record);
  if (effect == nullptr || sampleFrames <= 0 ||
      !hasChannels(record, inputs, outputs))
    return;
  effect->process(inputs, outputs, sampleFrames);
}

void AudioEffect::processReplacingEntry(AEffect* record, float** inputs, float** outputs, VstInt32 sampleFrames) {
  AudioEffect* effect = effectOf(record);
  if (effect == nullptr || sampleFrames <= 0 ||
      !hasChannels(record, inputs, outputs))
    return;
  effect->processReplacing(inputs, outputs, sampleFrames);
}

void AudioEffect::processDoubleReplacingEntry(AEffect* record, double** inputs, double** outputs,
                                              VstInt32 sampleFrames) {
  AudioEffect* effect = effectOf(record);
  if (effect == nullptr || sampleFrames <= 0 ||
      !hasChannels(record, inputs, outputs))
    return;
  effect->processDoubleReplacing(inputs, outputs, sampleFrames);
}

void AudioEffect::setParameterEntry(AEffect* record, VstInt32 index, float value) {
  if (AudioEffect* effect = effectOf(record)) effect->setParameter(index, value);
}

float AudioEffect::getParameterEntry(AEffect* record, VstInt32 index) {
  AudioEffect* effect = effectOf(record);
  return effect != nullptr ? effect->getParameter(index) : 0.0f;
}
