// Which dispatcher opcodes carry a pointer the effect reads or writes. Such an
// opcode with a null pointer does nothing and answers 0.
#pragma once

#include "plugin/VstInterface.h"

namespace tamzor {

// True when the opcode may not run with these arguments because a pointer it
// needs (ptr, and for the speaker arrangements also value) is null.
bool lacksRequiredPointer(VstInt32 opcode, VstIntPtr value, const void* ptr);

}  // namespace tamzor
