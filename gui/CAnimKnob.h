// A knob drawn from a film strip of sub-images stacked top to bottom. It is
// dragged linearly (right or up increases), set to its default by a
// Ctrl-click, and stepped by the wheel and the arrow keys.
#pragma once

#include "CControl.h"

class CBitmap;

class CAnimKnob : public CControl {
 public:
  // Takes its own reference to `image` (which may be nullptr).
  CAnimKnob(const CRect& size, CControlListener* listener, long tag, int subImages, int heightOfOneImage,
            CBitmap* image, CPoint offset = CPoint{});
  ~CAnimKnob() override;

  void setInverseBitmap(bool inverse) { inverseBitmap = inverse; }
  void setInsetValue(int inset) { insetValue = inset; }
  int getInsetValue() const { return insetValue; }

  // The sub-image that `value` shows.
  int subImageIndex(float value) const;
  // The point on the knob's circle that `value` points at, in knob pixels.
  CPoint pointerPoint(float value) const;

  void draw(CDrawContext& context) override;
  // A value change counts only when it moves the pointer point.
  bool isDirty() const override;
  bool wantsFocus() const override { return true; }
  void mouseMoved(CPoint where, long buttons) override;
  void mouseUp(CPoint where, long buttons) override;
  bool onWheel(CPoint where, float distance, long buttons) override;
  int onKeyDown(const CKeyCode& key) override;
  void abortMouseTracking() override;

  bool isTracking() const { return tracking; }

  // Pixels of movement for the full range, without and with Shift.
  static constexpr double kDragRange = 200.0;
  static constexpr double kFineDragRange = 300.0;

 protected:
  void leftPress(CPoint where, long buttons) override;

 private:
  void stepBy(float step);
  void drawn();

  CBitmap* image;
  int subImages;
  int heightOfOneImage;
  CPoint offset;
  bool inverseBitmap = false;
  int insetValue = 0;
  CPoint drawnPointer{-1000000, -1000000};

  // Drag state.
  bool tracking = false;
  double startValue = 0.0;
  double range = kDragRange;
  CPoint pressPoint;
  CPoint lastPoint;
  long lastButtons = 0;
};
