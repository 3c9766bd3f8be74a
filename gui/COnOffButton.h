// A two-state switch drawn from two images stacked top to bottom: the upper
// one for value 0, the lower one for any other value. A left click toggles
// it, shows the new state, then reports it.
#pragma once

#include "CControl.h"

class CBitmap;

class COnOffButton : public CControl {
 public:
  // Takes its own reference to `image` (which may be nullptr).
  COnOffButton(const CRect& size, CControlListener* listener, long tag, CBitmap* image, long style = 0);
  ~COnOffButton() override;

  long getStyle() const { return style; }
  // 0 for the upper image, 1 for the lower one.
  static int imageIndex(float value) { return value == 0.0f ? 0 : 1; }

  void draw(CDrawContext& context) override;

 protected:
  void leftPress(CPoint where, long buttons) override;

 private:
  CBitmap* image;
  long style;
};
