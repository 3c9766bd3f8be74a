// The seam between the toolkit and the operating system: a millisecond clock,
// sleeping, and the window in which a frame lives. The frame talks only to
// this interface, so it runs the same on an X11 child window and offscreen.
#pragma once

#include <cstdint>
#include <memory>

#include "CGeometry.h"
#include "CInput.h"

typedef struct _cairo_surface cairo_surface_t;

namespace gui {

// Milliseconds of a monotonic clock, wrapping at 2^32.
std::uint32_t tickCount();
void sleepMilliseconds(std::uint32_t milliseconds);

// Replaces the clock and the sleep (both, or neither with nullptr), so that
// timing-dependent code can be tested deterministically.
using TickCountFunction = std::uint32_t (*)();
using SleepFunction = void (*)(std::uint32_t);
void overrideClock(TickCountFunction tick, SleepFunction sleep);

// What a window reports to the frame inside it.
class WindowEvents {
 public:
  virtual void mouseDown(CPoint where, long buttons) = 0;
  virtual void mouseMoved(CPoint where, long buttons) = 0;
  virtual void mouseUp(CPoint where, long buttons) = 0;
  virtual void wheel(CPoint where, float distance, long buttons) = 0;
  virtual void keyDown(const CKeyCode& key) = 0;
  virtual void exposed(const CRect& area) = 0;

 protected:
  ~WindowEvents() = default;
};

class PlatformWindow {
 public:
  virtual ~PlatformWindow() = default;

  // Shows the given area of the frame's offscreen picture.
  virtual void present(cairo_surface_t* picture, const CRect& area) = 0;
  // Hands every pending input and expose event to `events`.
  virtual void pumpEvents(WindowEvents& events) = 0;
  // Hands at most one pending expose event to `events`; true when there was one.
  virtual bool dispatchPendingPaint(WindowEvents& events) = 0;
  // The pointer position relative to the window and the buttons and
  // modifiers held; false when unknown.
  virtual bool cursorPosition(CPoint& where, long& buttons) = 0;
  // The native window id (0 when there is none).
  virtual unsigned long nativeHandle() const = 0;
};

// Creates the window of a frame as a child of the host's window `parent`
// (an X11 window id). Without a parent, or without a display, the frame gets
// an offscreen window.
std::unique_ptr<PlatformWindow> createChildWindow(void* parent, int width, int height);

// Lets tests decide which window frames get (nullptr restores the default).
using WindowFactory = std::unique_ptr<PlatformWindow> (*)(void* parent, int width, int height);
void overrideWindowFactory(WindowFactory factory);

}  // namespace gui
