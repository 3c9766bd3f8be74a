// A plug-in with a valid effect record that answers 0 to effGetVstVersion,
// as plug-ins written before VST 2 do.
#include "plugin/VstInterface.h"

namespace {

VstIntPtr VSTCALLBACK dispatch(AEffect*, VstInt32, VstInt32, VstIntPtr, void*, float) { return 0; }
void VSTCALLBACK process(AEffect*, float**, float**, VstInt32) {}
void VSTCALLBACK setParameter(AEffect*, VstInt32, float) {}
float VSTCALLBACK getParameter(AEffect*, VstInt32) { return 0.0f; }

AEffect record() {
  AEffect effect{};
  effect.magic = kEffectMagic;
  effect.dispatcher = dispatch;
  effect.process = process;
  effect.setParameter = setParameter;
  effect.getParameter = getParameter;
  effect.numInputs = 2;
  effect.numOutputs = 2;
  effect.flags = effFlagsCanReplacing;
  effect.uniqueID = fourCharCode('O', 'l', 'd', '1');
  effect.processReplacing = process;
  return effect;
}

AEffect effect = record();

}  // namespace

extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(audioMasterCallback) { return &effect; }
