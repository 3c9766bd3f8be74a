#include "plugin/EditorFactory.h"

#include "editor/RIDuvaro.h"

AEffEditor* createEditor(AudioEffectX* effect) { return new RIDuvaro(effect); }
