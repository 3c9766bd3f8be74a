#include "CControl.h"

#include "CControlListener.h"
#include "CFrame.h"

CControl::CControl(const CRect& area, CControlListener* listener, long tag)
    : CView(area), controlListener(listener), controlTag(tag) {}

void CControl::beginEdit() {
  if (CFrame* owningFrame = getFrame()) {
    owningFrame->setFocusView(this);
    owningFrame->beginEdit(controlTag);
  }
}

void CControl::endEdit() {
  if (CFrame* owningFrame = getFrame()) owningFrame->endEdit(controlTag);
}

void CControl::mouseDown(CPoint where, long buttons) {
  if (!(buttons & kLButton)) return;
  if ((buttons & kModifierButtons) && controlListener != nullptr &&
      controlListener->controlModifierClicked(nullptr, this, buttons) != 0)
    return;
  leftPress(where, buttons);
}

void CControl::bounceValue() {
  if (value > maxValue) value = maxValue;
  if (value < minValue) value = minValue;
}

void CControl::reportValue() {
  if (controlListener != nullptr) controlListener->valueChanged(nullptr, this);
}
