// The effect: a two-channel valve amp head with thirteen parameters, ten
// programs kept as chunks, and per-channel memory of the preamp settings.
#pragma once

#include <array>

#include "dsp/AmpEngine.h"
#include "plugin/AudioEffectX.h"
#include "plugin/ParameterValues.h"
#include "plugin/ProgramRecord.h"

class Tamzor : public AudioEffectX {
public:
  explicit Tamzor(audioMasterCallback audioMaster);
  ~Tamzor() override = default;

  // Audio (Tamzor.cpp).
  void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;
  // Ignores rates the amp model cannot run at (not finite, not above zero,
  // absurdly large); the previous configuration stays.
  void setSampleRate(float rate) override;

  // Identity (Tamzor.cpp).
  bool getEffectName(char* name) override;
  bool getVendorString(char* text) override;
  bool getProductString(char* text) override;
  VstInt32 getVendorVersion() override;

  // Parameters (TamzorParameters.cpp). A value that is not finite is ignored.
  void setParameter(VstInt32 index, float value) override;
  float getParameter(VstInt32 index) override;
  void getParameterName(VstInt32 index, char* text) override;
  void getParameterLabel(VstInt32 index, char* label) override;
  void getParameterDisplay(VstInt32 index, char* text) override;

  // Programs and chunks (TamzorPrograms.cpp).
  void setProgram(VstInt32 program) override;
  void setProgramName(char* name) override;
  void getProgramName(char* name) override;
  bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override;
  VstInt32 getChunk(void** data, bool isPreset) override;
  // Refuses (0, nothing changed) a wrong size or numbers that are not finite.
  VstInt32 setChunk(void* data, VstInt32 byteSize, bool isPreset) override;

  // Values derived from the parameters, as the amp model reads them.
  double getDriveCurve() const;
  VstInt32 getChannelSelect() const;
  VstInt32 getStereoMode() const;
  VstInt32 getHighQuality() const;
  VstInt32 getBoostOn() const;

  static double driveCurveOf(float drive);

private:
  ProgramRecord& currentProgram();
  void writeDefaultPrograms();
  void storeValue(ProgramRecord& program, float ParameterValues::*field, float value);
  void storePerChannel(ProgramRecord& program, VstInt32 index, float value);
  void selectChannel(ProgramRecord& program, float value);
  void loadProgramMemories(const ProgramRecord& program);
  void applyProgram(VstInt32 program);

  std::array<ProgramRecord, kNumPrograms> programs{};
  ParameterValues values{};
  ChannelMemory plsMemory{};
  ChannelMemory mcjMemory{};
  VstInt32 channelSelect = 0;
  VstInt32 stereoMode = 0;
  VstInt32 highQuality = 0;
  VstInt32 boostOn = 0;
  double driveCurve = 0.0;
  // Both sides' amp model state and the oversampling configuration. Rate and
  // quality changes reach it through its mailbox and are applied by the
  // audio thread between blocks.
  tamzor::dsp::AmpEngine ampEngine;

  tamzor::dsp::AmpBlockControls latchBlockControls() const;
};
