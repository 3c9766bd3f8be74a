// The parameter model: storing values into the live values and the current
// program, the per-channel memory and its recall, derived values, and the
// names, labels and display texts.
#include <cmath>
#include <cstring>

#include "plugin/AEffEditor.h"
#include "plugin/RelaxedAccess.h"
#include "plugin/Tamzor.h"

using tamzor::relaxedLoad;
using tamzor::relaxedStore;

namespace {

// One parameter that each preamp channel remembers, with its fields in the
// live values, the working memory and the program record's memory.
struct PerChannelParameter {
  VstInt32 index;
  float ParameterValues::*value;
  double ChannelMemory::*memory;
  double StoredChannelMemory::*stored;
};

// In recall order.
constexpr PerChannelParameter kPerChannel[] = {
    {kInput, &ParameterValues::input, &ChannelMemory::input, &StoredChannelMemory::input},
    {kDrive, &ParameterValues::drive, &ChannelMemory::drive, &StoredChannelMemory::drive},
    {kLow, &ParameterValues::low, &ChannelMemory::low, &StoredChannelMemory::low},
    {kMid, &ParameterValues::mid, &ChannelMemory::mid, &StoredChannelMemory::mid},
    {kHigh, &ParameterValues::high, &ChannelMemory::high, &StoredChannelMemory::high},
    {kContour, &ParameterValues::contour, &ChannelMemory::contour, &StoredChannelMemory::contour},
    {kVolume, &ParameterValues::volume, &ChannelMemory::volume, &StoredChannelMemory::volume},
    {kPowerAmp, &ParameterValues::powerAmp, &ChannelMemory::powerAmp, &StoredChannelMemory::powerAmp},
};

const PerChannelParameter* perChannelParameter(VstInt32 index) {
  for (const PerChannelParameter& parameter : kPerChannel)
    if (parameter.index == index) return &parameter;
  return nullptr;
}

constexpr const char* kParameterNames[kNumParameters] = {
    "Input", "Channel", "Drive", "Mix PLS", "Low", "Mid", "High",
    "Contour", "Power Amp", "Volume", "Mono/Stereo", "LowQ/HighQ", "MCJ Boost",
};

constexpr float ParameterValues::*kParameterFields[kNumParameters] = {
    &ParameterValues::input,      &ParameterValues::channel,  &ParameterValues::drive,
    &ParameterValues::mixPls,     &ParameterValues::low,      &ParameterValues::mid,
    &ParameterValues::high,       &ParameterValues::contour,  &ParameterValues::powerAmp,
    &ParameterValues::volume,     &ParameterValues::monoStereo, &ParameterValues::lowHighQ,
    &ParameterValues::mcjBoost,
};

VstInt32 switchState(float value) { return value >= 0.5f ? 1 : 0; }

}  // namespace

float ParameterValues::*parameterField(VstInt32 index) {
  return index >= 0 && index < kNumParameters ? kParameterFields[index] : nullptr;
}

double Tamzor::driveCurveOf(float drive) {
  const double d = drive;
  return (d * 0.9841) * d - d * 0.0732 + 0.089125;
}

ProgramRecord& Tamzor::currentProgram() { return programs[static_cast<std::size_t>(getProgram())]; }

void Tamzor::storeValue(ProgramRecord& program, float ParameterValues::*field, float value) {
  relaxedStore(program.values.*field, value);
  relaxedStore(values.*field, value);
}

void Tamzor::storePerChannel(ProgramRecord& program, VstInt32 index, float value) {
  const PerChannelParameter& parameter = *perChannelParameter(index);
  storeValue(program, parameter.value, value);
  if (index == kDrive) relaxedStore(driveCurve, driveCurveOf(value));
  const double wide = value;
  if (relaxedLoad(channelSelect) == 0) {
    relaxedStore(program.pls.*parameter.stored, wide);
    relaxedStore(plsMemory.*parameter.memory, wide);
  } else {
    relaxedStore(program.mcj.*parameter.stored, wide);
    relaxedStore(mcjMemory.*parameter.memory, wide);
  }
}

void Tamzor::selectChannel(ProgramRecord& program, float value) {
  storeValue(program, &ParameterValues::channel, value);
  const VstInt32 selected = value < 0.5f ? 0 : 1;
  relaxedStore(channelSelect, selected);
  const ChannelMemory& memory = selected == 0 ? plsMemory : mcjMemory;
  float recalled[std::size(kPerChannel)];
  for (std::size_t i = 0; i < std::size(kPerChannel); ++i)
    recalled[i] = static_cast<float>(relaxedLoad(memory.*kPerChannel[i].memory));
  for (std::size_t i = 0; i < std::size(kPerChannel); ++i) setParameter(kPerChannel[i].index, recalled[i]);
}

void Tamzor::setParameter(VstInt32 index, float value) {
  if (!std::isfinite(value)) return;
  ProgramRecord& program = currentProgram();
  if (perChannelParameter(index) != nullptr) {
    storePerChannel(program, index, value);
  } else {
    switch (index) {
      case kChannel:
        selectChannel(program, value);
        break;
      case kMixPls:
        storeValue(program, &ParameterValues::mixPls, value);
        break;
      case kMonoStereo:
        storeValue(program, &ParameterValues::monoStereo, value);
        relaxedStore(stereoMode, switchState(value));
        break;
      case kLowHighQ:
        storeValue(program, &ParameterValues::lowHighQ, value);
        relaxedStore(highQuality, switchState(value));
        setSampleRate(getSampleRate());
        break;
      case kMcjBoost:
        storeValue(program, &ParameterValues::mcjBoost, value);
        relaxedStore(boostOn, switchState(value));
        break;
      default:
        break;
    }
  }
  if (editor != nullptr) editor->setParameter(index, value);
}

float Tamzor::getParameter(VstInt32 index) {
  float ParameterValues::*field = parameterField(index);
  return field != nullptr ? relaxedLoad(values.*field) : 0.0f;
}

void Tamzor::getParameterName(VstInt32 index, char* text) {
  if (text == nullptr || parameterField(index) == nullptr) return;
  const char* name = kParameterNames[index];
  std::memcpy(text, name, std::strlen(name) + 1);
}

void Tamzor::getParameterLabel(VstInt32 index, char* label) {
  if (label == nullptr || index != kVolume) return;
  std::memcpy(label, "dB", 3);
}

void Tamzor::getParameterDisplay(VstInt32 index, char* text) {
  float ParameterValues::*field = parameterField(index);
  if (text == nullptr || field == nullptr) return;
  const float value = relaxedLoad(values.*field);
  if (index == kVolume) {
    dB2string(value, text, kVstMaxParamStrLen);
  } else {
    float2string(value, text, kVstMaxParamStrLen);
  }
}
