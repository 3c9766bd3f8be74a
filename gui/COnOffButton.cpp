#include "COnOffButton.h"

#include "CBitmap.h"
#include "CDrawContext.h"
#include "CFrame.h"

COnOffButton::COnOffButton(const CRect& area, CControlListener* listener, long tag, CBitmap* image_, long style_)
    : CControl(area, listener, tag), image(image_), style(style_) {
  if (image != nullptr) image->remember();
}

COnOffButton::~COnOffButton() {
  if (image != nullptr) image->forget();
}

void COnOffButton::draw(CDrawContext& context) {
  if (image != nullptr) {
    const CRect& area = getViewSize();
    context.blend(*image, area, imageIndex(getValue()) * area.height());
  }
  markDrawn();
}

void COnOffButton::leftPress(CPoint, long) {
  // A value between 0 and 1 truncates to 0 and so switches on.
  setValue(static_cast<long>(getValue()) != 0 ? 0.0f : 1.0f);
  // Show the new state before anyone hears of it.
  if (CFrame* owningFrame = getFrame()) owningFrame->doIdleStuff();
  beginEdit();
  reportValue();
  endEdit();
}
