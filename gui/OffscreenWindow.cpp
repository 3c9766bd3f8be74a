#include "OffscreenWindow.h"

namespace gui {

void OffscreenWindow::present(cairo_surface_t*, const CRect& area) { presented.push_back(area); }

void OffscreenWindow::pumpEvents(WindowEvents& events) {
  while (dispatchPendingPaint(events)) {
  }
  // Events queued while dispatching wait for the next pump.
  auto batch = std::move(pending);
  pending.clear();
  for (auto& event : batch) event(events);
}

bool OffscreenWindow::dispatchPendingPaint(WindowEvents& events) {
  if (pendingExposes.empty()) return false;
  const CRect area = pendingExposes.front();
  pendingExposes.pop_front();
  events.exposed(area);
  return true;
}

bool OffscreenWindow::cursorPosition(CPoint& where, long& buttons) {
  where = cursor;
  buttons = cursorButtons;
  return true;
}

}  // namespace gui
