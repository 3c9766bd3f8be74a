// Root class of the effect's editor. The effect owns its editor through this
// interface and forwards the host's editor opcodes to these operations; the
// GUI editor base and the concrete editor derive from it.
#pragma once

#include "plugin/VstInterface.h"

class AudioEffect;

class AEffEditor {
public:
  explicit AEffEditor(AudioEffect* owner) : effect(owner) {}
  virtual ~AEffEditor() = default;

  AEffEditor(const AEffEditor&) = delete;
  AEffEditor& operator=(const AEffEditor&) = delete;

  virtual AudioEffect* getEffect() { return effect; }
  // Stores the address of the editor rectangle in *rect; the root has none.
  virtual bool getRect(ERect** rect) {
    if (rect != nullptr) *rect = nullptr;
    return false;
  }
  // The host's parent window arrives here.
  virtual bool open(void* parentWindow) {
    systemWindow = parentWindow;
    return false;
  }
  virtual void close() { systemWindow = nullptr; }
  virtual bool isOpen() { return systemWindow != nullptr; }
  virtual void idle() {}
  virtual bool onKeyDown(VstKeyCode& /*keyCode*/) { return false; }
  virtual bool onKeyUp(VstKeyCode& /*keyCode*/) { return false; }
  virtual bool onWheel(float /*distance*/) { return false; }
  virtual bool setKnobMode(VstInt32 /*mode*/) { return false; }
  // Told at the end of every parameter change of the effect (any thread).
  virtual void setParameter(VstInt32 /*index*/, float /*value*/) {}

protected:
  AudioEffect* effect = nullptr;
  void* systemWindow = nullptr;
};
