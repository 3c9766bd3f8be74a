// Editor factory of a build without an editor.
#include "plugin/EditorFactory.h"

AEffEditor* createEditor(AudioEffectX* /*effect*/) { return nullptr; }
