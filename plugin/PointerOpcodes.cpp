#include "plugin/PointerOpcodes.h"

namespace tamzor {

bool lacksRequiredPointer(VstInt32 opcode, VstIntPtr value, const void* ptr) {
  switch (opcode) {
    case effSetSpeakerArrangement:
    case effGetSpeakerArrangement:
      return ptr == nullptr || value == 0;
    case effSetProgramName:
    case effGetProgramName:
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName:
    case effEditGetRect:
    case effEditOpen:
    case effGetChunk:
    case effSetChunk:
    case effProcessEvents:
    case effString2Parameter:
    case effGetProgramNameIndexed:
    case effGetInputProperties:
    case effGetOutputProperties:
    case effOfflineNotify:
    case effOfflinePrepare:
    case effOfflineRun:
    case effProcessVarIo:
    case effGetEffectName:
    case effGetVendorString:
    case effGetProductString:
    case effCanDo:
    case effGetParameterProperties:
    case effGetMidiProgramName:
    case effGetCurrentMidiProgram:
    case effGetMidiProgramCategory:
    case effGetMidiKeyName:
    case effShellGetNextPlugin:
    case effBeginLoadBank:
    case effBeginLoadProgram:
      return ptr == nullptr;
    default:
      return false;
  }
}

}  // namespace tamzor
