// Extended effect base: routes the extended dispatcher opcodes (25 to 79) to
// virtual operations with their default answers and wraps the extended host
// requests. It has no fields of its own.
#pragma once

#include "plugin/AudioEffect.h"

class AudioEffectX : public AudioEffect {
public:
  AudioEffectX(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams);

  // Opcodes 25 to 79; everything else goes to AudioEffect::dispatcher.
  VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) override;

  // Asks for MIDI events when the effect is a synth or says it receives them.
  void resume() override;

  virtual bool canParameterBeAutomated(VstInt32 /*index*/) { return true; }
  virtual bool string2parameter(VstInt32 /*index*/, char* /*text*/) { return false; }
  virtual bool getParameterProperties(VstInt32 /*index*/, VstParameterProperties* /*properties*/) { return false; }

  // Host requests bracketing an edit gesture; true when the host answered.
  virtual bool beginEdit(VstInt32 index);
  virtual bool endEdit(VstInt32 index);

  virtual bool getProgramNameIndexed(VstInt32 /*category*/, VstInt32 /*index*/, char* /*text*/) { return false; }
  virtual bool beginSetProgram() { return false; }
  virtual bool endSetProgram() { return false; }
  virtual VstInt32 beginLoadBank(VstPatchChunkInfo* /*info*/) { return 0; }
  virtual VstInt32 beginLoadProgram(VstPatchChunkInfo* /*info*/) { return 0; }

  virtual bool getInputProperties(VstInt32 /*index*/, VstPinProperties* /*properties*/) { return false; }
  virtual bool getOutputProperties(VstInt32 /*index*/, VstPinProperties* /*properties*/) { return false; }
  virtual bool setSpeakerArrangement(VstSpeakerArrangement* /*pluginInput*/,
                                     VstSpeakerArrangement* /*pluginOutput*/) {
    return false;
  }
  virtual bool getSpeakerArrangement(VstSpeakerArrangement** pluginInput, VstSpeakerArrangement** pluginOutput);
  virtual bool setBypass(bool /*onOff*/) { return false; }
  virtual bool setPanLaw(VstInt32 /*type*/, float /*value*/) { return false; }
  virtual bool setProcessPrecision(VstInt32 /*precision*/) { return false; }
  virtual VstInt32 getNumMidiInputChannels() { return 0; }
  virtual VstInt32 getNumMidiOutputChannels() { return 0; }

  virtual VstInt32 processEvents(VstEvents* /*events*/) { return 0; }
  virtual VstInt32 startProcess() { return 0; }
  virtual VstInt32 stopProcess() { return 0; }
  virtual bool processVariableIo(VstVariableIo* /*io*/) { return false; }
  virtual VstInt32 setTotalSampleToProcess(VstInt32 value) { return value; }

  // Host request audioMasterCanDo; true when the host answered nonzero.
  virtual bool canHostDo(char* text);

  virtual VstInt32 getGetTailSize() { return 0; }
  virtual bool getEffectName(char* /*name*/) { return false; }
  virtual bool getVendorString(char* /*text*/) { return false; }
  virtual bool getProductString(char* /*text*/) { return false; }
  virtual VstInt32 getVendorVersion() { return 0; }
  virtual VstIntPtr vendorSpecific(VstInt32 /*index*/, VstIntPtr /*value*/, void* /*ptr*/, float /*opt*/) {
    return 0;
  }
  virtual VstInt32 canDo(char* /*text*/) { return 0; }
  virtual VstInt32 getVstVersion() { return kVstVersion; }
  virtual VstPlugCategory getPlugCategory();

  virtual VstInt32 getMidiProgramName(VstInt32 /*channel*/, MidiProgramName* /*name*/) { return 0; }
  virtual VstInt32 getCurrentMidiProgram(VstInt32 /*channel*/, MidiProgramName* /*current*/) { return -1; }
  virtual VstInt32 getMidiProgramCategory(VstInt32 /*channel*/, MidiProgramCategory* /*category*/) { return 0; }
  virtual bool hasMidiProgramsChanged(VstInt32 /*channel*/) { return false; }
  virtual bool getMidiKeyName(VstInt32 /*channel*/, MidiKeyName* /*keyName*/) { return false; }

  // Host request audioMasterSizeWindow; true when the host answered nonzero.
  virtual bool sizeWindow(VstInt32 width, VstInt32 height);

  virtual VstInt32 getNextShellPlugin(char* /*name*/) { return 0; }

  virtual bool offlineNotify(VstAudioFile* /*ptr*/, VstInt32 /*numAudioFiles*/, bool /*start*/) { return false; }
  virtual bool offlinePrepare(VstOfflineTask* /*offline*/, VstInt32 /*count*/) { return false; }
  virtual bool offlineRun(VstOfflineTask* /*offline*/, VstInt32 /*count*/) { return false; }

  // Host request audioMasterWantMidi; the answer is ignored.
  virtual void wantEvents(VstInt32 filter = 1);
};
