// A frame's window on X11: a child of the host's window, created on a display
// connection of its own and used only from the thread that drives the editor.
#pragma once

#include <memory>

#include "Platform.h"

typedef struct _XDisplay Display;
typedef struct _cairo cairo_t;

namespace gui {

class X11Window final : public PlatformWindow {
 public:
  // Opens a connection to the default display and creates a mapped child of
  // `parent` at (0, 0) with the given size; nullptr when no display can be
  // opened. A parent that does not exist gives a window that shows nothing.
  static std::unique_ptr<X11Window> create(unsigned long parent, int width, int height);
  ~X11Window() override;

  X11Window(const X11Window&) = delete;
  X11Window& operator=(const X11Window&) = delete;

  void present(cairo_surface_t* picture, const CRect& area) override;
  void pumpEvents(WindowEvents& events) override;
  bool dispatchPendingPaint(WindowEvents& events) override;
  bool cursorPosition(CPoint& where, long& buttons) override;
  unsigned long nativeHandle() const override { return window; }

 private:
  X11Window(Display* display, unsigned long window, int width, int height);
  bool usable();
  void dispatch(void* event, WindowEvents& events);

  Display* display;
  unsigned long window;
  int width;
  int height;
  cairo_surface_t* target = nullptr;
  bool windowGone = false;
};

}  // namespace gui
