// A minimal plug-in for testing the host layer. It exports only "main", asks
// the host for its version during the entry call (without a record) and once
// more with its record before returning it, and passes effVendorSpecific on
// to the host as audioMasterCanDo with the same arguments.
#include "plugin/VstInterface.h"

namespace {

struct Probe {
  AEffect record;
  audioMasterCallback host;
};

VstIntPtr VSTCALLBACK probeDispatcher(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                      float opt) {
  auto* probe = static_cast<Probe*>(effect->object);
  switch (opcode) {
    case effClose:
      delete probe;
      return 1;
    case effVendorSpecific:
      return probe->host(effect, audioMasterCanDo, index, value, ptr, opt);
    default:
      return 0;
  }
}

}  // namespace

extern "C" __attribute__((visibility("default"))) AEffect* probeEntry(audioMasterCallback host) __asm__("main");

AEffect* probeEntry(audioMasterCallback host) {
  if (host(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
  auto* probe = new Probe{};
  probe->host = host;
  probe->record.magic = kEffectMagic;
  probe->record.dispatcher = probeDispatcher;
  probe->record.object = probe;
  host(&probe->record, audioMasterIdle, 7, 0, nullptr, 0.0f);
  return &probe->record;
}
