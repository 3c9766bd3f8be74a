// Editor base with a toolkit frame: the panel rectangle, the idle timing that
// mouse-tracking controls rely on, gesture brackets towards the host, key and
// wheel forwarding, and the process-wide knob mode.
#pragma once

#include <atomic>
#include <cstdint>

#include "FrameOwner.h"
#include "editor/ControlUpdates.h"
#include "plugin/AEffEditor.h"

class CFrame;

// The host's knob-mode setting, shared by every editor in the process and
// read by the frames; 0 when the library is loaded.
extern std::atomic<VstInt32> knobMode;

class AEffGUIEditor : public AEffEditor {
 public:
  explicit AEffGUIEditor(AudioEffect* effect);
  ~AEffGUIEditor() override;

  bool getRect(ERect** rect) override;
  void idle() override;
  bool onKeyDown(VstKeyCode& keyCode) override;
  bool onKeyUp(VstKeyCode& keyCode) override;
  bool onWheel(float distance) override;
  bool setKnobMode(VstInt32 mode) override;
  void setParameter(VstInt32 index, float value) override;

  virtual void beginEdit(VstInt32 index);
  virtual void endEdit(VstInt32 index);
  // Idle work on behalf of a control that tracks the mouse: at most one full
  // idle step (redraw, one pending paint, the host's idle) about every 50 ms.
  virtual void doIdleStuff();

  CFrame* getFrame() const { return frame; }

 protected:
  // What frames made by this editor report back to.
  FrameOwner* frameOwner() { return &frameLink; }

  ERect rect{};
  std::uint32_t lastTicks = 0;
  bool inIdleStuff = false;
  CFrame* frame = nullptr;
  // Control values posted by setParameter for the frame's thread.
  ControlUpdates controlUpdates;

 private:
  class FrameLink final : public FrameOwner {
   public:
    explicit FrameLink(AEffGUIEditor& owner) : editor(owner) {}
    void beginEdit(long tag) override { editor.beginEdit(static_cast<VstInt32>(tag)); }
    void endEdit(long tag) override { editor.endEdit(static_cast<VstInt32>(tag)); }
    void doIdleStuff() override { editor.doIdleStuff(); }
    int getKnobMode() const override { return knobMode.load(std::memory_order_relaxed); }
    void syncControls() override;

   private:
    AEffGUIEditor& editor;
  };
  FrameLink frameLink{*this};
};
