// Something drawn in a frame at a fixed rectangle that may take mouse and
// key input. A frame owns the views added to it.
#pragma once

#include "CGeometry.h"
#include "CInput.h"

class CDrawContext;
class CFrame;

class CView {
 public:
  explicit CView(const CRect& area) : viewSize(area) {}
  virtual ~CView() = default;
  CView(const CView&) = delete;
  CView& operator=(const CView&) = delete;

  const CRect& getViewSize() const { return viewSize; }
  CFrame* getFrame() const { return parentFrame; }
  void setFrame(CFrame* owner) { parentFrame = owner; }

  virtual void draw(CDrawContext& context) = 0;
  virtual bool isDirty() const { return false; }
  virtual void setDirty(bool dirty = true) = 0;
  // Whether tab moves the keyboard focus onto this view.
  virtual bool wantsFocus() const { return false; }

  virtual void mouseDown(CPoint, long) {}
  virtual void mouseMoved(CPoint, long) {}
  virtual void mouseUp(CPoint, long) {}
  // True when the wheel turn was handled.
  virtual bool onWheel(CPoint, float, long) { return false; }
  // kKeyHandled or kKeyNotHandled.
  virtual int onKeyDown(const CKeyCode&) { return kKeyNotHandled; }
  // Ends a mouse gesture that will not see its button release.
  virtual void abortMouseTracking() {}

 private:
  CRect viewSize;
  CFrame* parentFrame = nullptr;
};
