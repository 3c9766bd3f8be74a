// What the effect tells the host about itself.
#pragma once

#include "plugin/VstInterface.h"

namespace tamzor {

// Effect name and product string of each build configuration.
constexpr const char* effectNameFor(bool sse2Build) {
  return sse2Build ? "Dravik_Tamzor_Head_v1_1_SSE" : "Dravik_Tamzor_Head_v1_1";
}

#ifndef TAMZOR_SSE2
#error "TAMZOR_SSE2 selects the build configuration (1 or 0)"
#endif
constexpr const char* kEffectName = effectNameFor(TAMZOR_SSE2 != 0);
constexpr const char* kVendorName = "Quenn Plugins";
constexpr VstInt32 kVendorVersion = 1000;
constexpr VstInt32 kUniqueId = fourCharCode('Q', 'T', 'M', 'Z');
constexpr VstInt32 kEffectNameBound = kVstMaxEffectNameLen;
constexpr VstInt32 kProductStringBound = kVstMaxProductStrLen;
constexpr VstInt32 kVendorStringBound = kVstMaxVendorStrLen;

}  // namespace tamzor
