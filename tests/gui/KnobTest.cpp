// The film-strip knob: image choice, the redraw rule, drag, default click,
// wheel and keys.
#include <gtest/gtest.h>

#include <cmath>

#include "CAnimKnob.h"
#include "CBitmap.h"
#include "CDrawContext.h"
#include "FrameFixture.h"

using guitest::Journal;

namespace {

class KnobTest : public ::testing::Test {
 protected:
  KnobTest() : frame(CRect{0, 0, 300, 300}, nullptr, &journal) {
    knob = new CAnimKnob(CRect::fromOriginAndSize(100, 100, 45, 45), &journal, 3, 63, 45, nullptr);
    frame.addView(knob);
  }

  // Draws the knob as the frame's idle would.
  void draw() {
    CDrawContext context(frame.picture());
    knob->draw(context);
  }

  void drag(CPoint from, std::initializer_list<std::pair<CPoint, long>> moves, long pressButtons = kLButton) {
    frame.onMouseDown(from, pressButtons);
    for (const auto& [where, buttons] : moves) frame.onMouseMoved(where, buttons);
    frame.onMouseUp(moves.size() ? std::data(moves)[moves.size() - 1].first : from, 0);
  }

  Journal journal;
  CFrame frame;
  CAnimKnob* knob;
};

TEST_F(KnobTest, SubImageIndexFollowsTheTruncatedTravel) {
  const struct {
    float value;
    int index;
  } cases[] = {{0.0f, 0}, {-0.3f, 0}, {0.5f, 31}, {1.0f, 62}, {0.99999f, 61}, {1.7f, 62},
               {45.0f / 2790.0f + 1e-6f, 1}, {44.9f / 2790.0f, 0}};
  for (const auto& c : cases) EXPECT_EQ(knob->subImageIndex(c.value), c.index) << c.value;
}

TEST_F(KnobTest, PointerPointSweepsFromLowerLeftToLowerRight) {
  EXPECT_EQ(knob->pointerPoint(0.0f), (CPoint{7, 38}));
  EXPECT_EQ(knob->pointerPoint(0.5f), (CPoint{23, 0}));
  EXPECT_EQ(knob->pointerPoint(1.0f), (CPoint{38, 38}));
}

TEST_F(KnobTest, ChangesTooSmallToMoveThePointerDoNotCount) {
  knob->setValue(0.5f);
  draw();
  EXPECT_FALSE(knob->isDirty());
  knob->setValue(0.501f);
  EXPECT_FALSE(knob->isDirty());
  EXPECT_EQ(knob->getValue(), 0.501f);  // kept all the same
  knob->setValue(0.53f);
  EXPECT_TRUE(knob->isDirty());
  draw();
  EXPECT_FALSE(knob->isDirty());
  knob->setDirty();
  EXPECT_TRUE(knob->isDirty());
}

TEST_F(KnobTest, DragMapsPointerMovementLinearly) {
  const struct {
    const char* name;
    CPoint to;
    long buttons;
    float expected;
  } cases[] = {
      {"100 up", {120, 20}, kLButton, 0.7f},
      {"100 up with Shift", {120, 20}, kLButton | kShift, static_cast<float>(0.2 + 100.0 / 300.0)},
      {"right 50, down 50", {170, 170}, kLButton, 0.2f},
      {"100 right", {220, 120}, kLButton, 0.7f},
      {"far down clamps", {120, 900}, kLButton, 0.0f},
      {"far up clamps", {120, -900}, kLButton, 1.0f},
  };
  for (const auto& c : cases) {
    knob->setValue(0.2f);
    draw();
    journal.clear();
    drag({120, 120}, {{c.to, c.buttons}}, c.buttons);
    EXPECT_FLOAT_EQ(knob->getValue(), c.expected) << c.name;
  }
}

TEST_F(KnobTest, DragIsBracketedAndReportsEachVisibleMove) {
  knob->setValue(0.2f);
  draw();
  frame.onMouseDown({120, 120}, kLButton);
  EXPECT_EQ(frame.getFocusView(), knob);
  EXPECT_EQ(journal.knobModeReads, 1);
  frame.onMouseMoved({120, 70}, kLButton);
  frame.onMouseMoved({120, 70}, kLButton);  // no movement: idle only
  frame.onMouseUp({120, 70}, 0);
  EXPECT_EQ(journal.entries, (std::vector<std::string>{"begin 3", "changed 3", "idle", "idle", "end 3"}));
  EXPECT_FLOAT_EQ(journal.reportedValues.at(0), 0.45f);
}

TEST_F(KnobTest, ShiftDuringADragReanchorsWithoutAJump) {
  knob->setValue(0.2f);
  draw();
  frame.onMouseDown({120, 120}, kLButton);
  frame.onMouseMoved({120, 80}, kLButton);  // 40 up: 0.2 + 40/200
  EXPECT_FLOAT_EQ(knob->getValue(), 0.4f);
  frame.onMouseMoved({120, 79}, kLButton | kShift);  // the value at the switch: 0.2 + 41/200
  EXPECT_FLOAT_EQ(knob->getValue(), 0.405f);
  frame.onMouseMoved({120, 49}, kLButton | kShift);  // 30 more, scaled by 1/300
  EXPECT_FLOAT_EQ(knob->getValue(), static_cast<float>(0.405 + 30.0 / 300.0));
  frame.onMouseMoved({120, 29}, kLButton);  // Shift released: this move still at 1/300
  EXPECT_FLOAT_EQ(knob->getValue(), static_cast<float>(0.505 + 20.0 / 300.0));
  frame.onMouseMoved({120, 9}, kLButton);  // further movement at 1/200
  EXPECT_FLOAT_EQ(knob->getValue(), static_cast<float>(0.505 + 20.0 / 300.0 + 20.0 / 200.0));
  frame.onMouseUp({120, 9}, 0);
}

TEST_F(KnobTest, KnobModeHasNoInfluenceOnTheDrag) {
  for (int mode : {0, 1, 2}) {
    journal.knobMode = mode;
    knob->setValue(0.2f);
    draw();
    drag({120, 120}, {{{120, 20}, kLButton}});
    EXPECT_FLOAT_EQ(knob->getValue(), 0.7f) << mode;
  }
}

TEST_F(KnobTest, CtrlClickSetsTheDefaultAndCtrlShiftDrags) {
  knob->setValue(0.9f);
  draw();
  frame.onMouseDown({120, 120}, kLButton | kControl);
  frame.onMouseUp({120, 120}, kControl);
  EXPECT_EQ(knob->getValue(), 0.5f);
  EXPECT_FALSE(knob->isTracking());
  EXPECT_EQ(journal.entries, (std::vector<std::string>{"modifier 3", "begin 3", "changed 3", "end 3"}));

  draw();
  journal.clear();
  frame.onMouseDown({120, 120}, kLButton | kControl);  // already at the default: nothing to report
  frame.onMouseUp({120, 120}, kControl);
  EXPECT_EQ(journal.entries, (std::vector<std::string>{"modifier 3", "begin 3", "end 3"}));

  journal.clear();
  drag({120, 120}, {{{120, 90}, kLButton | kControl | kShift}}, kLButton | kControl | kShift);
  EXPECT_FLOAT_EQ(knob->getValue(), 0.6f);  // 30 up at 1/300
}

TEST_F(KnobTest, OnlyTheLeftButtonActsAndTheListenerMayTakeModifiedClicks) {
  knob->setValue(0.2f);
  frame.onMouseDown({120, 120}, kRButton);
  frame.onMouseMoved({120, 20}, kRButton);
  EXPECT_FLOAT_EQ(knob->getValue(), 0.2f);
  EXPECT_TRUE(journal.entries.empty());

  journal.modifierAnswer = 1;
  frame.onMouseDown({120, 120}, kLButton | kAlt);
  EXPECT_EQ(journal.entries, (std::vector<std::string>{"modifier 3"}));
  EXPECT_FALSE(knob->isTracking());
}

TEST_F(KnobTest, WheelStepsAndAlwaysCountsAsHandled) {
  knob->setValue(0.95f);
  draw();
  EXPECT_TRUE(frame.onWheel({110, 110}, 1.0f, 0));
  EXPECT_EQ(knob->getValue(), 1.0f);
  EXPECT_EQ(journal.gestures(), (std::vector<std::string>{"begin 3", "changed 3", "end 3"}));
  draw();
  journal.clear();
  EXPECT_TRUE(frame.onWheel({110, 110}, 1.0f, 0));
  EXPECT_EQ(knob->getValue(), 1.0f);
  EXPECT_TRUE(journal.entries.empty());

  EXPECT_TRUE(frame.onWheel({110, 110}, -2.0f, kShift));
  EXPECT_FLOAT_EQ(knob->getValue(), 0.98f);
  EXPECT_FALSE(frame.onWheel({5, 5}, 1.0f, 0));  // nothing there
}

TEST_F(KnobTest, ArrowKeysStepTheFocusedKnob) {
  const struct {
    unsigned char virt;
    unsigned char modifier;
    float expected;
  } cases[] = {{kVirtKeyUp, 0, 0.6f},   {kVirtKeyRight, 0, 0.6f}, {kVirtKeyLeft, 0, 0.4f},
               {kVirtKeyDown, 0, 0.4f}, {kVirtKeyUp, kKeyModifierShift, 0.51f},
               {kVirtKeyDown, kKeyModifierShift, 0.49f}};
  for (const auto& c : cases) {
    knob->setValue(0.5f);
    draw();
    frame.setFocusView(knob);
    EXPECT_EQ(frame.onKeyDown(CKeyCode{0, c.virt, c.modifier}), kKeyHandled);
    EXPECT_FLOAT_EQ(knob->getValue(), c.expected) << int(c.virt) << "/" << int(c.modifier);
  }
  knob->setValue(1.0f);
  draw();
  journal.clear();
  EXPECT_EQ(frame.onKeyDown(CKeyCode{0, kVirtKeyUp, 0}), kKeyHandled);  // at the limit, still handled
  EXPECT_TRUE(journal.entries.empty());
  EXPECT_EQ(frame.onKeyDown(CKeyCode{'a', 0, 0}), kKeyNotHandled);
}

}  // namespace
