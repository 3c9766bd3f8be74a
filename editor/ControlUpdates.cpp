#include "editor/ControlUpdates.h"

#include "CControl.h"
#include "CFrame.h"

void ControlUpdates::post(int tag, float value) {
  if (tag < 0 || tag >= kCapacity) return;
  values[static_cast<std::size_t>(tag)].store(value, std::memory_order_relaxed);
  pending.fetch_or(std::uint32_t{1} << tag, std::memory_order_release);
}

void ControlUpdates::discard() { pending.exchange(0, std::memory_order_acquire); }

void ControlUpdates::applyTo(CFrame& frame) {
  std::uint32_t bits = pending.exchange(0, std::memory_order_acquire);
  for (int tag = 0; bits != 0; ++tag, bits >>= 1) {
    if (!(bits & 1u)) continue;
    if (CControl* control = frame.findControl(tag))
      control->setValue(values[static_cast<std::size_t>(tag)].load(std::memory_order_relaxed));
  }
}
