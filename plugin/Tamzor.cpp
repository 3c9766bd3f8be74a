#include "plugin/Tamzor.h"

#include <cmath>
#include <cstring>
#include <new>

#include "plugin/AEffEditor.h"
#include "plugin/BoundedText.h"
#include "plugin/EditorFactory.h"
#include "plugin/EffectFactory.h"
#include "plugin/RelaxedAccess.h"
#include "plugin/TamzorIdentity.h"

using tamzor::relaxedLoad;

Tamzor::Tamzor(audioMasterCallback master) : AudioEffectX(master, kNumPrograms, kNumParameters) {
  writeDefaultPrograms();
  setProgram(0);  // applies every parameter, LowQ/HighQ configures the rate
  canProcessReplacing(true);
  programsAreChunks(true);
  setNumInputs(2);
  setNumOutputs(2);
  setUniqueID(tamzor::kUniqueId);
  if (AEffEditor* created = createEditor(this); created != nullptr && editor == nullptr) setEditor(created);
  resume();
  // No audio runs yet: take the configuration of program 0 at once and design
  // the triode stages at its oversampled rate.
  ampEngine.applyPendingConfiguration();
  ampEngine.designTriodes();
}

AudioEffect* createEffectInstance(audioMasterCallback audioMaster) {
  try {
    return new Tamzor(audioMaster);
  } catch (...) {
    return nullptr;
  }
}

void Tamzor::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) {
  if (sampleFrames <= 0) return;
  ampEngine.applyPendingConfiguration();
  ampEngine.process(inputs, outputs, sampleFrames, latchBlockControls());
}

// The controls the model reads, taken once per block.
tamzor::dsp::AmpBlockControls Tamzor::latchBlockControls() const {
  tamzor::dsp::AmpBlockControls controls{};
  controls.input = relaxedLoad(values.input);
  controls.low = relaxedLoad(values.low);
  controls.mid = relaxedLoad(values.mid);
  controls.high = relaxedLoad(values.high);
  controls.contour = relaxedLoad(values.contour);
  controls.powerAmp = relaxedLoad(values.powerAmp);
  controls.volume = relaxedLoad(values.volume);
  controls.mixPls = relaxedLoad(values.mixPls);
  controls.driveCurve = relaxedLoad(driveCurve);
  controls.channelSelect = relaxedLoad(channelSelect);
  controls.boostOn = relaxedLoad(boostOn);
  controls.stereoMode = relaxedLoad(stereoMode);
  return controls;
}

void Tamzor::setSampleRate(float rate) {
  if (!tamzor::dsp::AmpEngine::isUsableRate(rate)) return;
  AudioEffectX::setSampleRate(rate);
  ampEngine.postConfiguration(rate, relaxedLoad(highQuality));
}

bool Tamzor::getEffectName(char* name) {
  tamzor::boundedCopyText(name, tamzor::kEffectName, tamzor::kEffectNameBound);
  return true;
}

bool Tamzor::getVendorString(char* text) {
  tamzor::boundedCopyText(text, tamzor::kVendorName, tamzor::kVendorStringBound);
  return true;
}

bool Tamzor::getProductString(char* text) {
  tamzor::boundedCopyText(text, tamzor::kEffectName, tamzor::kProductStringBound);
  return true;
}

VstInt32 Tamzor::getVendorVersion() { return tamzor::kVendorVersion; }

double Tamzor::getDriveCurve() const { return relaxedLoad(driveCurve); }
VstInt32 Tamzor::getChannelSelect() const { return relaxedLoad(channelSelect); }
VstInt32 Tamzor::getStereoMode() const { return relaxedLoad(stereoMode); }
VstInt32 Tamzor::getHighQuality() const { return relaxedLoad(highQuality); }
VstInt32 Tamzor::getBoostOn() const { return relaxedLoad(boostOn); }
