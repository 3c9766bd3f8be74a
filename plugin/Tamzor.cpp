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
  // Amp model: half-band filters and triode stages start zeroed here.
  writeDefaultPrograms();
  setProgram(0);  // applies every parameter, LowQ/HighQ configures the rate
  canProcessReplacing(true);
  programsAreChunks(true);
  setNumInputs(2);
  setNumOutputs(2);
  setUniqueID(tamzor::kUniqueId);
  if (AEffEditor* created = createEditor(this); created != nullptr && editor == nullptr) setEditor(created);
  resume();
  // Amp model: the triode stages are designed here, at the configured rate.
}

AudioEffect* createEffectInstance(audioMasterCallback audioMaster) {
  try {
    return new Tamzor(audioMaster);
  } catch (...) {
    return nullptr;
  }
}

void Tamzor::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) {
  // Amp model: apply a pending rate configuration, latch the block controls
  // and run the model here. Until then the inputs pass through unchanged.
  for (int channel = 0; channel < 2; ++channel) {
    if (outputs[channel] != inputs[channel])
      std::memmove(outputs[channel], inputs[channel], static_cast<std::size_t>(sampleFrames) * sizeof(float));
  }
}

bool Tamzor::isUsableSampleRate(float rate) {
  const double wide = rate;
  return std::isfinite(wide) && wide > 0.0 && wide <= kMaximumSampleRate;
}

void Tamzor::setSampleRate(float rate) {
  if (!isUsableSampleRate(rate)) return;
  AudioEffectX::setSampleRate(rate);
  // Amp model: post (rate, highQuality) for the audio thread to apply.
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
