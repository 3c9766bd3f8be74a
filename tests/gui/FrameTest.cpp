// The frame: drawing order and blending, redraw of a control's area, hit
// testing, keyboard focus and tab, switch clicks and window events.
#include <gtest/gtest.h>

#include <cairo.h>

#include "CAnimKnob.h"
#include "CBitmap.h"
#include "COnOffButton.h"
#include "FrameFixture.h"
#include "TestImages.h"

using guitest::Journal;
using testimages::pixelAt;

namespace {

// An image of one colour (premultiplied ARGB32).
CBitmap* solidImage(int width, int height, double r, double g, double b, double a) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_t* cr = cairo_create(surface);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_rgba(cr, r, g, b, a);
  cairo_paint(cr);
  cairo_destroy(cr);
  return new CBitmap(surface);
}

// Two stacked halves: upper red, lower green, both opaque.
CBitmap* twoStateImage(int width, int height) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, 2 * height);
  cairo_t* cr = cairo_create(surface);
  cairo_set_source_rgb(cr, 1, 0, 0);
  cairo_rectangle(cr, 0, 0, width, height);
  cairo_fill(cr);
  cairo_set_source_rgb(cr, 0, 1, 0);
  cairo_rectangle(cr, 0, height, width, height);
  cairo_fill(cr);
  cairo_destroy(cr);
  return new CBitmap(surface);
}

// A film strip of 63 sub-images of 10 x 10 whose red channel is the index.
CBitmap* filmStrip() {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 10, 630);
  cairo_t* cr = cairo_create(surface);
  for (int i = 0; i < 63; ++i) {
    cairo_set_source_rgb(cr, i / 255.0, 0, 0);
    cairo_rectangle(cr, 0, 10 * i, 10, 10);
    cairo_fill(cr);
  }
  cairo_destroy(cr);
  return new CBitmap(surface);
}

class FrameTest : public ::testing::Test {
 protected:
  FrameTest() {
    auto* background = solidImage(100, 60, 0, 0, 1, 1);  // opaque blue
    frame = std::make_unique<CFrame>(CRect{0, 0, 100, 60}, nullptr, &journal);
    frame->setBackground(background);
    background->forget();
    window = guitest::lastOffscreenWindow;
  }

  guitest::OffscreenWindows windows;
  Journal journal;
  std::unique_ptr<CFrame> frame;
  gui::OffscreenWindow* window = nullptr;
};

TEST_F(FrameTest, DrawsBackgroundOpaqueAndBlendsControlsInOrder) {
  auto* halfWhite = solidImage(20, 40, 1, 1, 1, 0.5);
  auto* red = twoStateImage(20, 20);
  auto* lower = new COnOffButton(CRect::fromOriginAndSize(10, 10, 20, 20), &journal, 1, red);
  auto* upper = new COnOffButton(CRect::fromOriginAndSize(20, 10, 20, 20), &journal, 2, halfWhite);
  red->forget();
  halfWhite->forget();
  frame->addView(lower);
  frame->addView(upper);
  frame->idle();

  EXPECT_EQ(pixelAt(frame->picture(), 5, 5), 0xff0000ffu);    // background
  EXPECT_EQ(pixelAt(frame->picture(), 15, 15), 0xffff0000u);  // switch at 0: upper (red) image
  // Half-transparent white over red, and over the blue background.
  EXPECT_EQ(pixelAt(frame->picture(), 25, 15), 0xffff8080u);
  EXPECT_EQ(pixelAt(frame->picture(), 35, 15), 0xff8080ffu);
  // Right and bottom edges are not drawn.
  EXPECT_EQ(pixelAt(frame->picture(), 40, 15), 0xff0000ffu);
  EXPECT_EQ(pixelAt(frame->picture(), 15, 30), 0xff0000ffu);

  lower->setValue(0.3f);  // any value but 0 shows the lower image
  frame->idle();
  EXPECT_EQ(pixelAt(frame->picture(), 15, 15), 0xff00ff00u);
  EXPECT_EQ(pixelAt(frame->picture(), 25, 15), 0xff80ff80u);  // the later control stays on top
}

TEST_F(FrameTest, KnobShowsTheSubImageOfItsValue) {
  auto* strip = filmStrip();
  auto* knob = new CAnimKnob(CRect::fromOriginAndSize(50, 20, 10, 10), &journal, 0, 63, 10, strip);
  strip->forget();
  frame->addView(knob);
  const struct {
    float value;
    std::uint32_t red;
  } cases[] = {{0.0f, 0}, {0.5f, 31}, {1.0f, 62}, {-1.0f, 0}, {0.25f, 15}};
  for (const auto& c : cases) {
    knob->setValue(c.value);
    knob->setDirty();
    frame->idle();
    EXPECT_EQ(pixelAt(frame->picture(), 55, 25), 0xff000000u | (c.red << 16)) << c.value;
  }
}

TEST_F(FrameTest, IdleRedrawsOnlyTheAreasOfControlsThatNeedIt) {
  auto* a = new COnOffButton(CRect::fromOriginAndSize(0, 0, 10, 10), &journal, 1, nullptr);
  auto* b = new COnOffButton(CRect::fromOriginAndSize(50, 0, 10, 10), &journal, 2, nullptr);
  frame->addView(a);
  frame->addView(b);
  frame->idle();  // first idle draws everything
  ASSERT_EQ(window->presentedAreas(), (std::vector<CRect>{CRect{0, 0, 100, 60}}));
  window->clearPresented();

  frame->idle();
  EXPECT_TRUE(window->presentedAreas().empty());
  b->setValue(1.0f);
  frame->idle();
  EXPECT_EQ(window->presentedAreas(), (std::vector<CRect>{b->getViewSize()}));
  window->clearPresented();
  a->setDirty();
  frame->idle();
  EXPECT_EQ(window->presentedAreas(), (std::vector<CRect>{a->getViewSize()}));
  EXPECT_FALSE(a->isDirty());
}

TEST_F(FrameTest, OverlappingControlsThatChangeTogetherAreEachRedrawnWhole) {
  // Drawing the first control's area also draws the part of the second that
  // lies in it; the rest of the second must still be redrawn.
  auto* firstImage = twoStateImage(20, 20);
  auto* secondImage = twoStateImage(20, 20);
  auto* first = new COnOffButton(CRect::fromOriginAndSize(10, 10, 20, 20), &journal, 1, firstImage);
  auto* second = new COnOffButton(CRect::fromOriginAndSize(20, 10, 20, 20), &journal, 2, secondImage);
  firstImage->forget();
  secondImage->forget();
  frame->addView(first);
  frame->addView(second);
  frame->idle();
  ASSERT_EQ(pixelAt(frame->picture(), 35, 15), 0xffff0000u);

  first->setValue(1.0f);
  second->setValue(1.0f);
  frame->idle();
  EXPECT_EQ(pixelAt(frame->picture(), 15, 15), 0xff00ff00u);
  EXPECT_EQ(pixelAt(frame->picture(), 25, 15), 0xff00ff00u);
  EXPECT_EQ(pixelAt(frame->picture(), 35, 15), 0xff00ff00u);
  EXPECT_FALSE(first->isDirty());
  EXPECT_FALSE(second->isDirty());
}

TEST_F(FrameTest, PressGoesToTheLastAddedControlWithEdgesInside) {
  auto* first = new COnOffButton(CRect{10, 10, 30, 30}, &journal, 1, nullptr);
  auto* second = new COnOffButton(CRect{10, 25, 30, 45}, &journal, 2, nullptr);
  frame->addView(first);
  frame->addView(second);
  const struct {
    CPoint where;
    CView* view;
  } cases[] = {{{10, 10}, first}, {{30, 24}, first}, {{20, 25}, second}, {{20, 30}, second},
               {{20, 45}, second}, {{31, 20}, nullptr}, {{20, 46}, nullptr}};
  for (const auto& c : cases) EXPECT_EQ(frame->viewForPress(c.where), c.view) << c.where.x << "," << c.where.y;
}

TEST_F(FrameTest, SwitchClickTogglesShowsThenReports) {
  auto* button = new COnOffButton(CRect{10, 10, 30, 30}, &journal, 4, nullptr);
  frame->addView(button);
  const struct {
    float before;
    float after;
  } cases[] = {{0.0f, 1.0f}, {1.0f, 0.0f}, {0.7f, 1.0f}, {0.2f, 1.0f}, {1.5f, 0.0f}};
  for (const auto& c : cases) {
    button->setValue(c.before);
    journal.clear();
    frame->onMouseDown({20, 20}, kLButton);
    frame->onMouseUp({20, 20}, 0);
    EXPECT_EQ(button->getValue(), c.after) << c.before;
    EXPECT_EQ(journal.entries, (std::vector<std::string>{"idle", "begin 4", "changed 4", "end 4"}));
  }
  // Switches ignore the wheel and keys, and take the focus only by a click.
  EXPECT_EQ(frame->getFocusView(), button);
  EXPECT_FALSE(frame->onWheel({20, 20}, 1.0f, 0));
  EXPECT_EQ(frame->onKeyDown(CKeyCode{0, kVirtKeyUp, 0}), kKeyNotHandled);
}

TEST_F(FrameTest, TabWalksTheKnobsInOrderAndAPressClearsTheFocus) {
  auto* knobA = new CAnimKnob(CRect{0, 0, 10, 10}, &journal, 0, 63, 10, nullptr);
  auto* button = new COnOffButton(CRect{20, 0, 30, 10}, &journal, 1, nullptr);
  auto* knobB = new CAnimKnob(CRect{40, 0, 50, 10}, &journal, 2, 63, 10, nullptr);
  frame->addView(knobA);
  frame->addView(button);
  frame->addView(knobB);
  const CKeyCode tab{0, kVirtKeyTab, 0};
  const CKeyCode backTab{0, kVirtKeyTab, kKeyModifierShift};
  EXPECT_EQ(frame->onKeyDown(tab), kKeyHandled);
  EXPECT_EQ(frame->getFocusView(), knobA);
  EXPECT_EQ(frame->onKeyDown(tab), kKeyHandled);
  EXPECT_EQ(frame->getFocusView(), knobB);
  EXPECT_EQ(frame->onKeyDown(tab), kKeyNotHandled);
  EXPECT_EQ(frame->getFocusView(), nullptr);
  EXPECT_EQ(frame->onKeyDown(backTab), kKeyHandled);
  EXPECT_EQ(frame->getFocusView(), knobB);
  EXPECT_EQ(frame->onKeyDown(backTab), kKeyHandled);
  EXPECT_EQ(frame->getFocusView(), knobA);
  // From a focused switch, tab goes on to the next knob.
  frame->setFocusView(button);
  EXPECT_EQ(frame->onKeyDown(tab), kKeyHandled);
  EXPECT_EQ(frame->getFocusView(), knobB);
  frame->onMouseDown({90, 50}, kLButton);  // on the background
  EXPECT_EQ(frame->getFocusView(), nullptr);
  EXPECT_EQ(frame->onKeyDown(CKeyCode{'x', 0, 0}), kKeyNotHandled);
}

TEST_F(FrameTest, WindowEventsReachTheControlsThroughTheIdlePump) {
  auto* knob = new CAnimKnob(CRect{10, 10, 55, 55}, &journal, 5, 63, 45, nullptr);
  knob->setValue(0.2f);
  frame->addView(knob);
  frame->idle();
  // A whole drag delivered by the window between two idles.
  window->queueEvent([](gui::WindowEvents& e) { e.mouseDown({30, 30}, kLButton); });
  window->queueEvent([](gui::WindowEvents& e) { e.mouseMoved({30, 10}, kLButton); });
  window->queueEvent([](gui::WindowEvents& e) { e.mouseMoved({30, -70}, kLButton); });
  window->queueEvent([](gui::WindowEvents& e) { e.mouseUp({30, -70}, 0); });
  frame->idle();
  EXPECT_FLOAT_EQ(knob->getValue(), 0.7f);
  EXPECT_EQ(journal.gestures(), (std::vector<std::string>{"begin 5", "changed 5", "changed 5", "end 5"}));
}

TEST_F(FrameTest, OtherButtonsDuringADragBelongToIt) {
  auto* knob = new CAnimKnob(CRect{10, 10, 55, 55}, &journal, 5, 63, 45, nullptr);
  knob->setValue(0.2f);
  frame->addView(knob);
  frame->onMouseDown({30, 30}, kLButton);
  frame->onMouseMoved({30, 10}, kLButton);
  frame->onMouseDown({30, 10}, kLButton | kRButton);  // no new drag from here
  frame->onMouseUp({30, 10}, kLButton);               // right released, left still down
  frame->onMouseMoved({30, -70}, kLButton);
  EXPECT_TRUE(knob->isTracking());
  frame->onMouseUp({30, -70}, 0);
  EXPECT_FALSE(knob->isTracking());
  EXPECT_FLOAT_EQ(knob->getValue(), 0.7f);
  EXPECT_EQ(journal.gestures(), (std::vector<std::string>{"begin 5", "changed 5", "changed 5", "end 5"}));
}

TEST_F(FrameTest, DestroyingTheFrameMidDragEndsTheGesture) {
  auto* knob = new CAnimKnob(CRect{10, 10, 55, 55}, &journal, 6, 63, 45, nullptr);
  frame->addView(knob);
  frame->onMouseDown({30, 30}, kLButton);
  frame.reset();
  EXPECT_EQ(journal.gestures(), (std::vector<std::string>{"begin 6", "end 6"}));
}

}  // namespace
