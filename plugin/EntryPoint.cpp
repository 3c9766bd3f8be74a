// The library's exported entry point, under its two names VSTPluginMain and
// main. Everything else in the library is hidden (see exports.map).
#include "plugin/AudioEffect.h"
#include "plugin/EffectFactory.h"

extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(audioMasterCallback audioMaster) {
  if (audioMaster == nullptr || audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
  AudioEffect* effect = createEffectInstance(audioMaster);
  return effect != nullptr ? effect->getAeffect() : nullptr;
}

// The same function under the name "main", which older hosts look up.
extern "C" __attribute__((visibility("default"), alias("VSTPluginMain"))) AEffect* vstMainEntry(
    audioMasterCallback audioMaster) __asm__("main");
