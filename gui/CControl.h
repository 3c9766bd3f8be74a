// A view with a value, a tag and a listener that hears of value changes made
// by the user. Gestures are bracketed by beginEdit and endEdit through the
// frame. The value is not clamped when set from outside.
#pragma once

#include "CView.h"

class CControlListener;

class CControl : public CView {
 public:
  CControl(const CRect& size, CControlListener* listener, long tag);

  long getTag() const { return controlTag; }
  CControlListener* getListener() const { return controlListener; }

  float getValue() const { return value; }
  void setValue(float newValue) { value = newValue; }
  float getOldValue() const { return oldValue; }
  float getDefaultValue() const { return defaultValue; }
  void setDefaultValue(float newValue) { defaultValue = newValue; }
  float getMin() const { return minValue; }
  float getMax() const { return maxValue; }
  float getWheelIncrement() const { return wheelIncrement; }

  bool isDirty() const override { return dirty || value != oldValue; }
  void setDirty(bool mark = true) override { dirty = mark; }

  // Makes this control the keyboard focus and tells the frame's owner.
  void beginEdit();
  void endEdit();

  // Routes a press: only the left button acts, and a press with a modifier
  // is first offered to the listener.
  void mouseDown(CPoint where, long buttons) final;

 protected:
  // A left press that nobody else took.
  virtual void leftPress(CPoint where, long buttons) = 0;
  // Clamps the value to the range.
  void bounceValue();
  // Records that the control has been drawn with its current value.
  void markDrawn() {
    oldValue = value;
    dirty = false;
  }
  void reportValue();
  bool isMarked() const { return dirty; }

 private:
  CControlListener* controlListener;
  long controlTag;
  float value = 0.0f;
  float oldValue = -1.0f;  // never equal to a value set before the first draw
  float defaultValue = 0.5f;
  float minValue = 0.0f;
  float maxValue = 1.0f;
  float wheelIncrement = 0.1f;
  bool dirty = false;
};
