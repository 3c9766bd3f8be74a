// Creates the effect's editor. The editor's base registers it with the effect
// (AudioEffect::setEditor). Builds without an editor answer nullptr. May throw
// std::bad_alloc; the effect's creation catches it.
#pragma once

class AEffEditor;
class AudioEffectX;

AEffEditor* createEditor(AudioEffectX* effect);
