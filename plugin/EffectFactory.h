// Creates the plug-in's effect for a host; nullptr when it cannot be had.
// Never throws.
#pragma once

#include "plugin/VstInterface.h"

class AudioEffect;

AudioEffect* createEffectInstance(audioMasterCallback audioMaster);
