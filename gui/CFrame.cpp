#include "CFrame.h"

#include <cairo.h>

#include "CBitmap.h"
#include "CControl.h"
#include "CDrawContext.h"
#include "CView.h"
#include "FrameOwner.h"

CFrame::CFrame(const CRect& size_, void* parent, FrameOwner* owner_)
    : size(size_), owner(owner_), platformWindow(gui::createChildWindow(parent, size_.width(), size_.height())) {
  offscreen = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size.width() > 0 ? size.width() : 1,
                                         size.height() > 0 ? size.height() : 1);
}

CFrame::~CFrame() {
  // A gesture still in progress is ended, so the host sees every begin closed.
  for (CView* view : views) view->abortMouseTracking();
  for (CView* view : views) delete view;
  views.clear();
  if (background != nullptr) background->forget();
  platformWindow.reset();
  cairo_surface_destroy(offscreen);
}

void CFrame::setBackground(CBitmap* newBackground) {
  if (newBackground != nullptr) newBackground->remember();
  if (background != nullptr) background->forget();
  background = newBackground;
}

void CFrame::addView(CView* view) {
  if (view == nullptr) return;
  view->setFrame(this);
  views.push_back(view);
}

CView* CFrame::getView(int index) const {
  if (index < 0 || index >= getNbViews()) return nullptr;
  return views[static_cast<std::size_t>(index)];
}

CControl* CFrame::findControl(long tag) const {
  for (CView* view : views)
    if (auto* control = dynamic_cast<CControl*>(view); control != nullptr && control->getTag() == tag) return control;
  return nullptr;
}

CView* CFrame::viewForPress(CPoint where) const {
  for (auto it = views.rbegin(); it != views.rend(); ++it)
    if ((*it)->getViewSize().containsForPress(where)) return *it;
  return nullptr;
}

void CFrame::beginEdit(long tag) {
  if (owner != nullptr) owner->beginEdit(tag);
}

void CFrame::endEdit(long tag) {
  if (owner != nullptr) owner->endEdit(tag);
}

void CFrame::doIdleStuff() {
  if (owner != nullptr) owner->doIdleStuff();
}

int CFrame::getKnobMode() const { return owner != nullptr ? owner->getKnobMode() : 0; }

void CFrame::syncControls() {
  if (owner != nullptr) owner->syncControls();
}

void CFrame::idle() {
  // A control that tracks the mouse asks for idle work from inside the
  // event pump; that nested idle only redraws.
  if (!pumping) {
    pumping = true;
    platformWindow->pumpEvents(*this);
    pumping = false;
  }
  syncControls();
  if (!drawnOnce) {
    redraw();
    return;
  }
  redrawDirtyViews();
}

void CFrame::redraw() {
  drawnOnce = true;
  drawArea(CRect{0, 0, size.width(), size.height()});
}

bool CFrame::dispatchPendingPaint() { return platformWindow->dispatchPendingPaint(*this); }

void CFrame::exposed(const CRect& area) {
  if (!drawnOnce) {
    redraw();
    return;
  }
  // The picture is up to date apart from dirty views; show the exposed part.
  platformWindow->present(offscreen, area.intersection(CRect{0, 0, size.width(), size.height()}));
}

void CFrame::redrawDirtyViews() {
  // Decide first which views need it: drawing one view's area also draws the
  // part of an overlapping view inside it and so clears that view's mark,
  // although the rest of it still shows the old state.
  std::vector<CView*> dirty;
  for (CView* view : views)
    if (view->isDirty()) dirty.push_back(view);
  for (CView* view : dirty) drawArea(view->getViewSize());
}

void CFrame::drawArea(const CRect& area) {
  const CRect clipped = area.intersection(CRect{0, 0, size.width(), size.height()});
  if (clipped.isEmpty()) return;
  {
    CDrawContext context(offscreen);
    context.clipTo(clipped);
    context.clear(clipped);
    if (background != nullptr) context.copyOpaque(*background, CPoint{0, 0});
    for (CView* view : views)
      if (view->getViewSize().overlapsDrawn(clipped)) view->draw(context);
  }
  cairo_surface_flush(offscreen);
  platformWindow->present(offscreen, clipped);
}

void CFrame::onMouseDown(CPoint where, long buttons) {
  // Another button pressed during a left-button gesture belongs to it.
  if (mouseView != nullptr) return;
  syncControls();
  focus = nullptr;
  CView* view = viewForPress(where);
  if (view == nullptr) return;
  if (buttons & kLButton) mouseView = view;
  view->mouseDown(where, buttons);
}

void CFrame::onMouseMoved(CPoint where, long buttons) {
  if (mouseView != nullptr) mouseView->mouseMoved(where, buttons);
}

void CFrame::onMouseUp(CPoint where, long buttons) {
  // The gesture ends with the left button, whatever else is released first.
  if (buttons & kLButton) return;
  CView* view = mouseView;
  mouseView = nullptr;
  if (view != nullptr) view->mouseUp(where, buttons);
}

bool CFrame::onWheel(CPoint where, float distance, long buttons) {
  syncControls();
  CView* view = viewForPress(where);
  return view != nullptr && view->onWheel(where, distance, buttons);
}

int CFrame::onKeyDown(const CKeyCode& key) {
  syncControls();
  if (focus != nullptr && focus->onKeyDown(key) == kKeyHandled) return kKeyHandled;
  if (key.virt != kVirtKeyTab) return kKeyNotHandled;
  // Tab walks the views that take the focus in the order added; Shift+Tab
  // walks back. Past the end the focus is cleared.
  const bool backwards = (key.modifier & kKeyModifierShift) != 0;
  const int count = getNbViews();
  int index = -1;
  for (int i = 0; i < count; ++i)
    if (views[static_cast<std::size_t>(i)] == focus) index = i;
  if (index < 0) index = backwards ? count : -1;
  for (int i = backwards ? index - 1 : index + 1; i >= 0 && i < count; i += backwards ? -1 : 1) {
    if (views[static_cast<std::size_t>(i)]->wantsFocus()) {
      focus = views[static_cast<std::size_t>(i)];
      return kKeyHandled;
    }
  }
  focus = nullptr;
  return kKeyNotHandled;
}

bool CFrame::writePng(const char* path) const {
  return cairo_surface_write_to_png(offscreen, path) == CAIRO_STATUS_SUCCESS;
}
