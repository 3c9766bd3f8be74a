#include "CAnimKnob.h"

#include <cmath>
#include <numbers>

#include "CBitmap.h"
#include "CDrawContext.h"
#include "CFrame.h"

CAnimKnob::CAnimKnob(const CRect& area, CControlListener* listener, long tag, int subImages_,
                     int heightOfOneImage_, CBitmap* image_, CPoint offset_)
    : CControl(area, listener, tag),
      image(image_),
      subImages(subImages_ > 0 ? subImages_ : 1),
      heightOfOneImage(heightOfOneImage_),
      offset(offset_) {
  if (image != nullptr) image->remember();
}

CAnimKnob::~CAnimKnob() {
  if (image != nullptr) image->forget();
}

int CAnimKnob::subImageIndex(float v) const {
  if (heightOfOneImage <= 0) return 0;
  const long travel = static_cast<long>(heightOfOneImage) * (subImages - 1);
  const double scaled = static_cast<double>(v) * static_cast<double>(travel);
  long truncated = 0;
  if (scaled >= static_cast<double>(travel)) {
    truncated = travel;  // 1 and above show the last image
  } else if (scaled > 0.0) {
    truncated = static_cast<long>(scaled);
  }
  const int index = static_cast<int>(truncated / heightOfOneImage);
  return inverseBitmap ? subImages - 1 - index : index;
}

CPoint CAnimKnob::pointerPoint(float v) const {
  const double half = getViewSize().width() / 2.0;
  const double angle = 5.0 * std::numbers::pi / 4.0 - 3.0 * std::numbers::pi / 2.0 * static_cast<double>(v);
  return CPoint{static_cast<int>(std::floor(half + half * std::cos(angle) + 0.5)),
                static_cast<int>(std::floor(half - half * std::sin(angle) + 0.5))};
}

bool CAnimKnob::isDirty() const {
  if (isMarked()) return true;
  return getValue() != getOldValue() && pointerPoint(getValue()) != drawnPointer;
}

void CAnimKnob::drawn() {
  drawnPointer = pointerPoint(getValue());
  markDrawn();
}

void CAnimKnob::draw(CDrawContext& context) {
  if (image != nullptr && heightOfOneImage > 0) {
    const int index = subImageIndex(getValue());
    const CRect& area = getViewSize();
    context.blend(*image, area, offset.y + index * heightOfOneImage);
  }
  drawn();
}

void CAnimKnob::leftPress(CPoint where, long buttons) {
  if (buttons == (kLButton | kControl)) {
    // Back to the default; no drag follows.
    beginEdit();
    setValue(getDefaultValue());
    if (isDirty()) reportValue();
    endEdit();
    return;
  }
  // The frame's knob mode is read when a drag starts, but every drag is linear.
  if (CFrame* owningFrame = getFrame()) (void)owningFrame->getKnobMode();
  startValue = getValue();
  range = (buttons & kShift) ? kFineDragRange : kDragRange;
  pressPoint = where;
  lastPoint = where;
  lastButtons = buttons;
  tracking = true;
  beginEdit();
}

void CAnimKnob::mouseMoved(CPoint where, long buttons) {
  if (!tracking) return;
  if (where != lastPoint) {
    lastPoint = where;
    const double span = static_cast<double>(getMax()) - static_cast<double>(getMin());
    const double distance = static_cast<double>((where.x - pressPoint.x) - (where.y - pressPoint.y));
    if (buttons != lastButtons) {
      // Re-anchor so that a change of Shift does not make the value jump.
      const double newRange = (buttons & kShift) ? kFineDragRange : kDragRange;
      startValue += distance * span * (1.0 / range - 1.0 / newRange);
      range = newRange;
      lastButtons = buttons;
    }
    setValue(static_cast<float>(startValue + distance * span / range));
    bounceValue();
    if (isDirty()) reportValue();
  }
  if (CFrame* owningFrame = getFrame()) owningFrame->doIdleStuff();
}

void CAnimKnob::mouseUp(CPoint, long) {
  if (!tracking) return;
  tracking = false;
  endEdit();
}

void CAnimKnob::abortMouseTracking() { mouseUp(lastPoint, 0); }

void CAnimKnob::stepBy(float step) {
  setValue(getValue() + step);
  bounceValue();
  if (isDirty()) {
    beginEdit();
    reportValue();
    endEdit();
  }
}

bool CAnimKnob::onWheel(CPoint, float distance, long buttons) {
  const float increment = (buttons & kShift) ? getWheelIncrement() * 0.1f : getWheelIncrement();
  stepBy(distance * increment);
  return true;
}

int CAnimKnob::onKeyDown(const CKeyCode& key) {
  const float increment =
      (key.modifier & kKeyModifierShift) ? getWheelIncrement() * 0.1f : getWheelIncrement();
  switch (key.virt) {
    case kVirtKeyUp:
    case kVirtKeyRight: stepBy(increment); return kKeyHandled;
    case kVirtKeyLeft:
    case kVirtKeyDown: stepBy(-increment); return kKeyHandled;
    default: return kKeyNotHandled;
  }
}
