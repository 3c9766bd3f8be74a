#include "editor/AEffGUIEditor.h"

#include "CFrame.h"
#include "Platform.h"
#include "plugin/AudioEffectX.h"

std::atomic<VstInt32> knobMode{0};

namespace {

// Gesture brackets and the host's idle need the extended effect; while the
// effect is being destroyed it is no longer one, and they are skipped.
AudioEffectX* extendedEffect(AudioEffect* effect) { return dynamic_cast<AudioEffectX*>(effect); }

constexpr std::uint32_t kIdleSleepMilliseconds = 4;
constexpr std::uint32_t kIdleEarlyMilliseconds = 50;
constexpr std::uint32_t kIdleIntervalMilliseconds = 100;

}  // namespace

AEffGUIEditor::AEffGUIEditor(AudioEffect* owner) : AEffEditor(owner) {
  lastTicks = gui::tickCount();
  if (effect != nullptr) effect->setEditor(this);
  // There are no per-thread window-system services (like a drag-and-drop
  // target) to set up on this platform.
}

// Nothing per-thread to end on this platform. An editor that goes away while
// still registered (its construction failed after registering) takes itself
// back, so the effect neither tells nor deletes it again.
AEffGUIEditor::~AEffGUIEditor() {
  if (effect != nullptr && effect->getEditor() == this) effect->setEditor(nullptr);
}

bool AEffGUIEditor::getRect(ERect** out) {
  if (out == nullptr) return false;
  *out = &rect;
  return true;
}

void AEffGUIEditor::idle() {
  if (inIdleStuff || frame == nullptr) return;
  frame->idle();
}

bool AEffGUIEditor::onKeyDown(VstKeyCode& keyCode) {
  if (frame == nullptr) return false;
  const CKeyCode key{keyCode.character, keyCode.virt, keyCode.modifier};
  return frame->onKeyDown(key) == kKeyHandled;
}

// No control handles key releases.
bool AEffGUIEditor::onKeyUp(VstKeyCode&) { return false; }

bool AEffGUIEditor::onWheel(float distance) {
  if (frame == nullptr) return false;
  CPoint where;
  long buttons = 0;
  if (!frame->cursorPosition(where, buttons)) return false;
  return frame->onWheel(where, distance, buttons);
}

bool AEffGUIEditor::setKnobMode(VstInt32 mode) {
  knobMode.store(mode, std::memory_order_relaxed);
  return true;
}

void AEffGUIEditor::setParameter(VstInt32, float) {}

void AEffGUIEditor::beginEdit(VstInt32 index) {
  if (AudioEffectX* host = extendedEffect(effect)) host->beginEdit(index);
}

void AEffGUIEditor::endEdit(VstInt32 index) {
  if (AudioEffectX* host = extendedEffect(effect)) host->endEdit(index);
}

void AEffGUIEditor::doIdleStuff() {
  std::uint32_t now = gui::tickCount();
  if (now < lastTicks) {
    gui::sleepMilliseconds(kIdleSleepMilliseconds);
    now += kIdleSleepMilliseconds;
    if (now < lastTicks - kIdleEarlyMilliseconds) return;
  }
  idle();
  if (frame != nullptr) frame->dispatchPendingPaint();
  lastTicks = now + kIdleIntervalMilliseconds;
  inIdleStuff = true;
  if (effect != nullptr) effect->masterIdle();
  inIdleStuff = false;
}

void AEffGUIEditor::FrameLink::syncControls() {
  if (editor.frame != nullptr) editor.controlUpdates.applyTo(*editor.frame);
}
