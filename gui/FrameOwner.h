// What a frame needs from the program that made it: gesture brackets, the
// idle work a mouse-tracking control asks for, and the knob mode.
#pragma once

class FrameOwner {
 public:
  virtual void beginEdit(long tag) = 0;
  virtual void endEdit(long tag) = 0;
  virtual void doIdleStuff() = 0;
  virtual int getKnobMode() const = 0;
  // Called before the frame handles input or redraws, on the frame's thread:
  // the moment to bring control values up to date.
  virtual void syncControls() {}

 protected:
  ~FrameOwner() = default;
};
