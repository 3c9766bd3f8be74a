// What a frame needs from the program that made it: gesture brackets, the
// idle work a mouse-tracking control asks for, and the knob mode.
#pragma once

class FrameOwner {
 public:
  virtual void beginEdit(long tag) = 0;
  virtual void endEdit(long tag) = 0;
  virtual void doIdleStuff() = 0;
  virtual int getKnobMode() const = 0;

 protected:
  ~FrameOwner() = default;
};
