// A window without a screen: it records what the frame presents and replays
// injected input, so frames can be driven headless.
#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "Platform.h"

namespace gui {

class OffscreenWindow final : public PlatformWindow {
 public:
  void present(cairo_surface_t* picture, const CRect& area) override;
  void pumpEvents(WindowEvents& events) override;
  bool dispatchPendingPaint(WindowEvents& events) override;
  bool cursorPosition(CPoint& where, long& buttons) override;
  unsigned long nativeHandle() const override { return 0; }

  // Queues input delivered at the next pump.
  void queueEvent(std::function<void(WindowEvents&)> event) { pending.push_back(std::move(event)); }
  // Queues an expose event delivered by dispatchPendingPaint or the next pump.
  void queueExpose(const CRect& area) { pendingExposes.push_back(area); }
  void setCursor(CPoint where, long buttons = 0) {
    cursor = where;
    cursorButtons = buttons;
  }

  const std::vector<CRect>& presentedAreas() const { return presented; }
  void clearPresented() { presented.clear(); }

 private:
  std::deque<std::function<void(WindowEvents&)>> pending;
  std::deque<CRect> pendingExposes;
  std::vector<CRect> presented;
  CPoint cursor{-1, -1};
  long cursorButtons = 0;
};

}  // namespace gui
