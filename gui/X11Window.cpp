#include "X11Window.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <cairo-xlib.h>
#include <cairo.h>

#include <unistd.h>

#include "X11ErrorTrap.h"

namespace gui {
namespace {

constexpr long kEventMask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                            KeyPressMask | KeyReleaseMask | StructureNotifyMask;

long buttonsFromState(unsigned int state) {
  long buttons = 0;
  if (state & Button1Mask) buttons |= kLButton;
  if (state & Button2Mask) buttons |= kMButton;
  if (state & Button3Mask) buttons |= kRButton;
  if (state & ShiftMask) buttons |= kShift;
  if (state & ControlMask) buttons |= kControl;
  if (state & Mod1Mask) buttons |= kAlt;
  return buttons;
}

long buttonBit(unsigned int button) {
  switch (button) {
    case Button1: return kLButton;
    case Button2: return kMButton;
    case Button3: return kRButton;
    default: return 0;
  }
}

bool translateKey(XKeyEvent& event, CKeyCode& key) {
  char text[8] = {};
  KeySym sym = NoSymbol;
  const int length = XLookupString(&event, text, sizeof text - 1, &sym, nullptr);
  key = CKeyCode{};
  switch (sym) {
    case XK_Tab:
    case XK_ISO_Left_Tab: key.virt = kVirtKeyTab; break;
    case XK_Left: key.virt = kVirtKeyLeft; break;
    case XK_Up: key.virt = kVirtKeyUp; break;
    case XK_Right: key.virt = kVirtKeyRight; break;
    case XK_Down: key.virt = kVirtKeyDown; break;
    default:
      if (length != 1) return false;
      key.character = static_cast<unsigned char>(text[0]);
      break;
  }
  if (event.state & ShiftMask) key.modifier |= kKeyModifierShift;
  if (event.state & Mod1Mask) key.modifier |= kKeyModifierAlternate;
  if (event.state & ControlMask) key.modifier |= kKeyModifierControl;
  return true;
}

}  // namespace

std::unique_ptr<X11Window> X11Window::create(unsigned long parent, int width, int height) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return nullptr;
  trapErrorsOf(display);

  // The child takes the parent's visual; a parent that does not exist shows
  // up as a trapped error and leaves a window that is never drawn.
  XWindowAttributes parentAttributes{};
  Visual* visual = CopyFromParent;
  int depth = CopyFromParent;
  if (XGetWindowAttributes(display, parent, &parentAttributes) != 0) {
    visual = parentAttributes.visual;
    depth = parentAttributes.depth;
  }
  XSetWindowAttributes attributes{};
  attributes.event_mask = kEventMask;
  attributes.background_pixmap = None;
  attributes.border_pixel = 0;
  attributes.colormap = parentAttributes.colormap;
  unsigned long mask = CWEventMask | CWBackPixmap | CWBorderPixel;
  if (parentAttributes.colormap != None) mask |= CWColormap;
  const Window window = XCreateWindow(display, parent, 0, 0, static_cast<unsigned>(width),
                                      static_cast<unsigned>(height), 0, depth, InputOutput, visual, mask, &attributes);
  XMapWindow(display, window);
  XSync(display, False);
  auto created = std::unique_ptr<X11Window>(new X11Window(display, window, width, height));
  if (takeTrappedError(display)) created->windowGone = true;
  if (!created->windowGone) {
    created->target = cairo_xlib_surface_create(display, window, visual != CopyFromParent ? visual : DefaultVisual(display, DefaultScreen(display)), width, height);
  }
  return created;
}

X11Window::X11Window(Display* display_, unsigned long window_, int width_, int height_)
    : display(display_), window(window_), width(width_), height(height_) {}

X11Window::~X11Window() {
  if (connectionLost(display)) {
    // The server went away. Nothing may talk to this connection any more,
    // not even to finish the drawing surface or close the display, which
    // would both try to flush; only the socket is given back.
    close(ConnectionNumber(display));
    releaseErrorsOf(display);
    return;
  }
  if (target != nullptr) {
    cairo_surface_finish(target);
    cairo_surface_destroy(target);
  }
  // The window may already be gone with a parent the host destroyed first;
  // the resulting error is trapped.
  if (!windowGone) XDestroyWindow(display, window);
  XSync(display, False);
  XCloseDisplay(display);
  releaseErrorsOf(display);
}

bool X11Window::usable() { return !windowGone && !connectionLost(display); }

void X11Window::present(cairo_surface_t* picture, const CRect& area) {
  if (!usable() || target == nullptr) return;
  cairo_t* cr = cairo_create(target);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr, picture, 0, 0);
  cairo_rectangle(cr, area.left, area.top, area.width(), area.height());
  cairo_fill(cr);
  cairo_destroy(cr);
  cairo_surface_flush(target);
  XFlush(display);
}

void X11Window::pumpEvents(WindowEvents& events) {
  if (connectionLost(display)) return;
  while (!connectionLost(display) && XPending(display) > 0) {
    XEvent event;
    XNextEvent(display, &event);
    // Of a run of pointer motions only the latest matters.
    if (event.type == MotionNotify) {
      XEvent next;
      while (XPending(display) > 0) {
        XPeekEvent(display, &next);
        if (next.type != MotionNotify || next.xmotion.window != event.xmotion.window) break;
        XNextEvent(display, &event);
      }
    }
    dispatch(&event, events);
  }
  takeTrappedError(display);
}

bool X11Window::dispatchPendingPaint(WindowEvents& events) {
  if (!usable()) return false;
  XEvent event;
  if (!XCheckTypedWindowEvent(display, window, Expose, &event)) return false;
  dispatch(&event, events);
  return true;
}

bool X11Window::cursorPosition(CPoint& where, long& buttons) {
  if (!usable()) return false;
  Window root = 0, child = 0;
  int rootX = 0, rootY = 0, x = 0, y = 0;
  unsigned int mask = 0;
  if (!XQueryPointer(display, window, &root, &child, &rootX, &rootY, &x, &y, &mask)) return false;
  where = CPoint{x, y};
  buttons = buttonsFromState(mask);
  return true;
}

void X11Window::dispatch(void* raw, WindowEvents& events) {
  XEvent& event = *static_cast<XEvent*>(raw);
  if (event.xany.window != window) return;
  switch (event.type) {
    case Expose:
      events.exposed(CRect::fromOriginAndSize(event.xexpose.x, event.xexpose.y, event.xexpose.width,
                                              event.xexpose.height));
      break;
    case ButtonPress: {
      const CPoint where{event.xbutton.x, event.xbutton.y};
      const long held = buttonsFromState(event.xbutton.state);
      if (event.xbutton.button == Button4 || event.xbutton.button == Button5) {
        events.wheel(where, event.xbutton.button == Button4 ? 1.0f : -1.0f, held);
      } else if (const long bit = buttonBit(event.xbutton.button)) {
        events.mouseDown(where, held | bit);
      }
      break;
    }
    case ButtonRelease: {
      const long bit = buttonBit(event.xbutton.button);
      if (bit != 0)
        events.mouseUp(CPoint{event.xbutton.x, event.xbutton.y}, buttonsFromState(event.xbutton.state) & ~bit);
      break;
    }
    case MotionNotify:
      events.mouseMoved(CPoint{event.xmotion.x, event.xmotion.y}, buttonsFromState(event.xmotion.state));
      break;
    case KeyPress: {
      CKeyCode key;
      if (translateKey(event.xkey, key)) events.keyDown(key);
      break;
    }
    case DestroyNotify:
      if (event.xdestroywindow.window == window) windowGone = true;
      break;
    default: break;
  }
}

}  // namespace gui
