// A headless frame with a recording owner and listener, for control tests.
#pragma once

#include <string>
#include <vector>

#include "CControl.h"
#include "CControlListener.h"
#include "CFrame.h"
#include "FrameOwner.h"
#include "OffscreenWindow.h"

namespace guitest {

// Everything the frame and the controls report, in order, e.g.
// "begin 3", "changed 3 0.7", "end 3", "idle", "modifier 3".
struct Journal : FrameOwner, CControlListener {
  std::vector<std::string> entries;
  int knobMode = 0;
  int knobModeReads = 0;
  long modifierAnswer = 0;
  std::vector<float> reportedValues;

  void beginEdit(long tag) override { entries.push_back("begin " + std::to_string(tag)); }
  void endEdit(long tag) override { entries.push_back("end " + std::to_string(tag)); }
  void doIdleStuff() override { entries.push_back("idle"); }
  int getKnobMode() const override {
    ++const_cast<Journal*>(this)->knobModeReads;
    return knobMode;
  }
  void valueChanged(CDrawContext*, CControl* control) override {
    entries.push_back("changed " + std::to_string(control->getTag()));
    reportedValues.push_back(control->getValue());
  }
  long controlModifierClicked(CDrawContext*, CControl* control, long) override {
    entries.push_back("modifier " + std::to_string(control->getTag()));
    return modifierAnswer;
  }
  // The entries other than "idle".
  std::vector<std::string> gestures() const {
    std::vector<std::string> out;
    for (const auto& e : entries)
      if (e != "idle") out.push_back(e);
    return out;
  }
  void clear() {
    entries.clear();
    reportedValues.clear();
  }
};

// Frames in tests get offscreen windows that the test can reach.
inline gui::OffscreenWindow* lastOffscreenWindow = nullptr;

inline std::unique_ptr<gui::PlatformWindow> makeOffscreenWindow(void*, int, int) {
  auto window = std::make_unique<gui::OffscreenWindow>();
  lastOffscreenWindow = window.get();
  return window;
}

struct OffscreenWindows {
  OffscreenWindows() { gui::overrideWindowFactory(makeOffscreenWindow); }
  ~OffscreenWindows() { gui::overrideWindowFactory(nullptr); }
};

}  // namespace guitest
