// Receives the value changes of controls.
#pragma once

class CControl;
class CDrawContext;

class CControlListener {
 public:
  virtual ~CControlListener() = default;
  virtual void valueChanged(CDrawContext* context, CControl* control) = 0;
  // Offered every press made with Shift, Ctrl or Alt held; a non-zero answer
  // means the listener handled it and the control does nothing more.
  virtual long controlModifierClicked(CDrawContext*, CControl*, long) { return 0; }
};
