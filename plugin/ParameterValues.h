// The thirteen parameters: their indices, the record of their values in
// storage order, and the per-channel memory of the preamp's two channels.
#pragma once

#include "plugin/VstInterface.h"

enum TamzorParameter : VstInt32 {
  kInput = 0,
  kChannel,
  kDrive,
  kMixPls,
  kLow,
  kMid,
  kHigh,
  kContour,
  kPowerAmp,
  kVolume,
  kMonoStereo,
  kLowHighQ,
  kMcjBoost,
  kNumParameters
};

// The values as 32-bit floats in storage order, which is not index order:
// Volume follows Contour, Power Amp follows LowQ/HighQ.
struct ParameterValues {
  float input;
  float channel;
  float drive;
  float mixPls;
  float low;
  float mid;
  float high;
  float contour;
  float volume;
  float monoStereo;
  float lowHighQ;
  float powerAmp;
  float mcjBoost;
};
static_assert(sizeof(ParameterValues) == 13 * sizeof(float));

// The eight settings each preamp channel remembers, in recall order.
struct ChannelMemory {
  double input;
  double drive;
  double low;
  double mid;
  double high;
  double contour;
  double volume;
  double powerAmp;
};

// The field of ParameterValues holding a parameter; nullptr outside 0 to 12.
float ParameterValues::*parameterField(VstInt32 index);
