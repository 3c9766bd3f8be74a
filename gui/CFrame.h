// The top view of a panel: it owns a window inside the host's window, an
// offscreen picture, a background image and the views added to it. It draws
// the background opaque and the views over it in the order added, gives a
// mouse press to the last-added view under the pointer, keeps the keyboard
// focus and redraws views that need it when idle.
#pragma once

#include <memory>
#include <vector>

#include "CGeometry.h"
#include "CInput.h"
#include "Platform.h"

class CBitmap;
class CControl;
class CView;
class FrameOwner;

class CFrame final : private gui::WindowEvents {
 public:
  // Creates the frame's window at once, as a child of `parent` (an X11
  // window id; nullptr for a frame without a screen).
  CFrame(const CRect& size, void* parent, FrameOwner* owner);
  ~CFrame();
  CFrame(const CFrame&) = delete;
  CFrame& operator=(const CFrame&) = delete;

  const CRect& getViewSize() const { return size; }
  FrameOwner* getOwner() const { return owner; }
  gui::PlatformWindow& window() { return *platformWindow; }

  // Takes its own reference to the bitmap and gives back the previous one's.
  void setBackground(CBitmap* background);
  // Takes over the view.
  void addView(CView* view);
  int getNbViews() const { return static_cast<int>(views.size()); }
  CView* getView(int index) const;
  // The control with `tag`, or nullptr.
  CControl* findControl(long tag) const;

  // The view that gets a press at `where`: the last added that contains it.
  CView* viewForPress(CPoint where) const;

  void setFocusView(CView* view) { focus = view; }
  CView* getFocusView() const { return focus; }

  void beginEdit(long tag);
  void endEdit(long tag);
  void doIdleStuff();
  int getKnobMode() const;

  // Handles pending window events, then redraws every view that needs it.
  void idle();
  // Redraws everything.
  void redraw();
  // Handles one pending paint request of the window, if any.
  bool dispatchPendingPaint();

  // Input entry points; the window's events arrive here too.
  void onMouseDown(CPoint where, long buttons);
  void onMouseMoved(CPoint where, long buttons);
  void onMouseUp(CPoint where, long buttons);
  // True when a view under `where` handled the wheel turn.
  bool onWheel(CPoint where, float distance, long buttons);
  // kKeyHandled or kKeyNotHandled.
  int onKeyDown(const CKeyCode& key);
  // The pointer position in frame coordinates and the buttons and modifiers
  // held; false when unknown.
  bool cursorPosition(CPoint& where, long& buttons) { return platformWindow->cursorPosition(where, buttons); }

  // The offscreen picture (premultiplied ARGB32) and saving it as PNG.
  cairo_surface_t* picture() const { return offscreen; }
  bool writePng(const char* path) const;

 private:
  void mouseDown(CPoint where, long buttons) override { onMouseDown(where, buttons); }
  void mouseMoved(CPoint where, long buttons) override { onMouseMoved(where, buttons); }
  void mouseUp(CPoint where, long buttons) override { onMouseUp(where, buttons); }
  void wheel(CPoint where, float distance, long buttons) override { onWheel(where, distance, buttons); }
  void keyDown(const CKeyCode& key) override { onKeyDown(key); }
  void exposed(const CRect& area) override;

  // Background, then every view overlapping `area` in order, then shows it.
  void drawArea(const CRect& area);
  void redrawDirtyViews();
  void syncControls();

  CRect size;
  FrameOwner* owner;
  std::unique_ptr<gui::PlatformWindow> platformWindow;
  cairo_surface_t* offscreen = nullptr;
  CBitmap* background = nullptr;
  std::vector<CView*> views;
  CView* focus = nullptr;
  CView* mouseView = nullptr;  // the view of the left-button gesture in progress
  bool pumping = false;
  bool drawnOnce = false;
};
