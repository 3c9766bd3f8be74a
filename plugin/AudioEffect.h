// Base class of a VST 2.4 effect: owns the effect record the host sees, holds
// the host callback and the editor, routes the base dispatcher opcodes
// (0 to 24) to virtual operations and wraps the base host requests.
#pragma once

#include "plugin/VstInterface.h"

class AEffEditor;

class AudioEffect {
public:
  AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams);
  virtual ~AudioEffect();

  AudioEffect(const AudioEffect&) = delete;
  AudioEffect& operator=(const AudioEffect&) = delete;

  // Opcodes 0 to 24; every other opcode answers 0.
  virtual VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);

  virtual void open() {}
  virtual void close() {}
  virtual void suspend() {}
  virtual void resume() {}

  virtual void setSampleRate(float rate);
  virtual void setBlockSize(VstInt32 size);

  virtual void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) = 0;
  virtual void processDoubleReplacing(double** /*inputs*/, double** /*outputs*/, VstInt32 /*sampleFrames*/) {}

  virtual void setParameter(VstInt32 /*index*/, float /*value*/) {}
  virtual float getParameter(VstInt32 /*index*/) { return 0.0f; }
  // setParameter, then audioMasterAutomate with the same index and value.
  // A value that is not finite is neither applied nor sent.
  virtual void setParameterAutomated(VstInt32 index, float value);

  virtual VstInt32 getProgram();
  virtual void setProgram(VstInt32 program);
  virtual void setProgramName(char* /*name*/) {}
  virtual void getProgramName(char* name);

  virtual void getParameterLabel(VstInt32 index, char* label);
  virtual void getParameterDisplay(VstInt32 index, char* text);
  virtual void getParameterName(VstInt32 index, char* text);

  // Hands out a reference to the chunk in *data and answers its size.
  virtual VstInt32 getChunk(void** /*data*/, bool /*isPreset*/ = false) { return 0; }
  // Answers 1 when the chunk was loaded, 0 when refused.
  virtual VstInt32 setChunk(void* /*data*/, VstInt32 /*byteSize*/, bool /*isPreset*/ = false) { return 0; }

  virtual void setUniqueID(VstInt32 id);
  virtual void setNumInputs(VstInt32 inputs);
  virtual void setNumOutputs(VstInt32 outputs);
  virtual void canProcessReplacing(bool state = true);
  virtual void canDoubleReplacing(bool state = true);
  virtual void programsAreChunks(bool state = true);
  virtual void setInitialDelay(VstInt32 delay);

  virtual AEffEditor* getEditor() { return editor; }
  virtual AEffect* getAeffect() { return &cEffect; }
  virtual float getSampleRate();
  virtual VstInt32 getBlockSize();

  // Host requests. Without a host callback nothing is sent.
  virtual VstInt32 getMasterVersion();     // 1 when the host answers 0
  virtual VstInt32 getCurrentUniqueId();   // 0 without an answer
  virtual void masterIdle();

  virtual void dB2string(float value, char* text, VstInt32 maxLen);
  virtual void Hz2string(float samples, char* text, VstInt32 maxLen);
  virtual void ms2string(float samples, char* text, VstInt32 maxLen);
  virtual void float2string(float value, char* text, VstInt32 maxLen);
  virtual void int2string(VstInt32 value, char* text, VstInt32 maxLen);

  // Deprecated accumulating process: does nothing.
  virtual void process(float** /*inputs*/, float** /*outputs*/, VstInt32 /*sampleFrames*/) {}

  // Attaches the editor, which the effect then owns and deletes, and
  // announces it in the record's flags. Called by the editor's base.
  void setEditor(AEffEditor* newEditor);

protected:
  // Sends a request through the host callback with this effect's record;
  // answers 0 without a callback.
  VstIntPtr callHost(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                     float opt = 0.0f);
  bool hasHost() const { return audioMaster != nullptr; }

  audioMasterCallback audioMaster;
  AEffEditor* editor = nullptr;
  float sampleRate = 44100.0f;
  VstInt32 blockSize = 1024;
  VstInt32 numPrograms;
  VstInt32 numParams;
  VstInt32 curProgram = 0;
  AEffect cEffect;

private:
  // The record entries: each finds the object through the record.
  static VstIntPtr VSTCALLBACK dispatchEntry(AEffect* record, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                             void* ptr, float opt);
  static void VSTCALLBACK processEntry(AEffect* record, float** inputs, float** outputs, VstInt32 sampleFrames);
  static void VSTCALLBACK processReplacingEntry(AEffect* record, float** inputs, float** outputs,
                                                VstInt32 sampleFrames);
  static void VSTCALLBACK processDoubleReplacingEntry(AEffect* record, double** inputs, double** outputs,
                                                      VstInt32 sampleFrames);
  static void VSTCALLBACK setParameterEntry(AEffect* record, VstInt32 index, float value);
  static float VSTCALLBACK getParameterEntry(AEffect* record, VstInt32 index);
};
