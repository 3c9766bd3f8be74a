// Controls and parameters following each other: gestures reported to the
// host, Channel recall, keys, wheel, knob mode and the idle timing.
#include "EditorFixture.h"

#include <atomic>
#include <thread>

#include "Platform.h"

using namespace editortest;

namespace {

TEST_F(EditorTest, KnobDragIsReportedBetweenBeginAndEnd) {
  effect->setParameter(2, 0.2f);
  openEditor();
  HostLog::instance().take();
  const CPoint start = centreOf(2);
  press(start, kLButton);
  move({start.x, start.y - 50}, kLButton);
  move({start.x, start.y - 100}, kLButton);
  release({start.x, start.y - 100});
  editor->idle();
  EXPECT_EQ(gestures(), (std::vector<std::string>{"begin 2", "automate 2 0.45", "automate 2 0.7", "end 2"}));
  EXPECT_FLOAT_EQ(effect->getParameter(2), 0.7f);
  // With Shift held from the press on.
  effect->setParameter(2, 0.2f);
  editor->idle();
  press(start, kLButton | kShift);
  move({start.x, start.y - 100}, kLButton | kShift);
  release({start.x, start.y - 100});
  editor->idle();
  EXPECT_FLOAT_EQ(effect->getParameter(2), static_cast<float>(0.2 + 100.0 / 300.0));
}

TEST_F(EditorTest, CtrlClickSetsTheDefault) {
  effect->setParameter(7, 0.9f);
  openEditor();
  HostLog::instance().take();
  click(centreOf(7), kLButton | kControl);
  EXPECT_EQ(gestures(), (std::vector<std::string>{"begin 7", "automate 7 0.5", "end 7"}));
  EXPECT_EQ(effect->getParameter(7), 0.5f);
}

TEST_F(EditorTest, WheelAtTheCursorStepsTheKnobUnderIt) {
  effect->setParameter(9, 0.95f);
  openEditor();
  HostLog::instance().take();
  window->setCursor(centreOf(9));
  EXPECT_TRUE(editor->onWheel(1.0f));
  EXPECT_EQ(gestures(), (std::vector<std::string>{"begin 9", "automate 9 1", "end 9"}));
  editor->idle();
  EXPECT_TRUE(editor->onWheel(1.0f));  // already at the top once drawn: nothing to tell
  EXPECT_TRUE(gestures().empty());
  window->setCursor(centreOf(9), kShift);
  EXPECT_TRUE(editor->onWheel(-1.0f));
  EXPECT_FLOAT_EQ(effect->getParameter(9), 0.99f);
  window->setCursor(centreOf(1));  // switches ignore the wheel
  EXPECT_FALSE(editor->onWheel(1.0f));
  window->setCursor({5, 5});
  EXPECT_FALSE(editor->onWheel(1.0f));
}

TEST_F(EditorTest, ArrowKeysStepTheKnobLastTouched) {
  openEditor();
  VstKeyCode up{0, kVirtKeyUp, 0};
  VstKeyCode upFine{0, kVirtKeyUp, kKeyModifierShift};
  EXPECT_FALSE(editor->onKeyDown(up));  // no focus yet
  const CPoint start = centreOf(0);
  press(start, kLButton);
  move({start.x, start.y - 20}, kLButton);
  release({start.x, start.y - 20});
  editor->idle();
  EXPECT_FLOAT_EQ(effect->getParameter(0), 0.6f);
  EXPECT_TRUE(editor->onKeyDown(up));
  EXPECT_FLOAT_EQ(effect->getParameter(0), 0.7f);
  EXPECT_TRUE(editor->onKeyDown(upFine));
  EXPECT_FLOAT_EQ(effect->getParameter(0), 0.71f);
  effect->setParameter(0, 1.0f);
  editor->idle();
  HostLog::instance().take();
  EXPECT_TRUE(editor->onKeyDown(up));  // at the top: still answered true
  EXPECT_TRUE(gestures().empty());
  EXPECT_FALSE(editor->onKeyUp(up));

  click(centreOf(12));  // a switch takes the focus and ignores arrows
  for (unsigned char virt : {kVirtKeyUp, kVirtKeyDown, kVirtKeyLeft, kVirtKeyRight}) {
    VstKeyCode key{0, virt, 0};
    EXPECT_FALSE(editor->onKeyDown(key));
  }
}

TEST_F(EditorTest, TabVisitsTheKnobsInTheOrderTheyWereAdded) {
  openEditor();
  VstKeyCode tab{0, kVirtKeyTab, 0};
  std::vector<long> visited;
  while (editor->onKeyDown(tab)) visited.push_back(dynamic_cast<CControl*>(editor->getFrame()->getFocusView())->getTag());
  EXPECT_EQ(visited, (std::vector<long>{0, 2, 3, 7, 4, 5, 6, 8, 9}));
  EXPECT_EQ(editor->getFrame()->getFocusView(), nullptr);
  VstKeyCode letter{'a', 0, 0};
  EXPECT_FALSE(editor->onKeyDown(letter));
}

TEST_F(EditorTest, ChannelClickRecallsTheOtherChannelsKnobsAtTheNextIdle) {
  openEditor();
  const float recalled[13] = {0.11f, 0, 0.22f, 0, 0.33f, 0.44f, 0.55f, 0.66f, 0.77f, 0.88f};
  for (VstInt32 index : ChannelEffect::kRecalled) effect->remember(1, index, recalled[index]);
  effect->takeNotifications();
  HostLog::instance().take();

  press(centreOf(1), kLButton);
  release(centreOf(1));
  // The click shows the switch before the effect hears of it, so nothing else has moved yet.
  editor->idle();
  EXPECT_EQ(effect->takeNotifications(), (std::vector<VstInt32>{0, 2, 4, 5, 6, 7, 9, 8, 1}));
  EXPECT_EQ(gestures(), (std::vector<std::string>{"begin 1", "automate 1 1", "end 1"}));
  for (VstInt32 index : ChannelEffect::kRecalled) EXPECT_EQ(control(index)->getValue(), recalled[index]) << index;
  EXPECT_EQ(pixel(62 + 22, 176 + 22), 0xff060000u);  // Input at 0.11: image floor(306/45) = 6

  // The host switching back: the knobs follow at the next idle, not before.
  effect->setParameter(1, 0.0f);
  EXPECT_EQ(control(0)->getValue(), 0.11f);
  editor->idle();
  EXPECT_EQ(control(0)->getValue(), 0.5f);
  EXPECT_EQ(control(1)->getValue(), 0.0f);
  EXPECT_TRUE(gestures().empty());
  // The Channel switch overlaps the Input knob (columns 100 to 106); redrawn
  // together, the switch is shown whole in its new state, not only where the
  // knob's area covers it.
  EXPECT_EQ(pixel(103, 200), 0xff000000u);
  EXPECT_EQ(pixel(140, 200), 0xff000000u);
}

TEST_F(EditorTest, SwitchBetweenStatesGoesOnThenOff) {
  effect->setParameter(10, 0.7f);
  openEditor();
  HostLog::instance().take();
  click(centreOf(10));
  EXPECT_EQ(effect->getParameter(10), 1.0f);
  click(centreOf(10));
  EXPECT_EQ(effect->getParameter(10), 0.0f);
  EXPECT_EQ(gestures(), (std::vector<std::string>{"begin 10", "automate 10 1", "end 10", "begin 10",
                                                  "automate 10 0", "end 10"}));
}

TEST_F(EditorTest, ChangesForUnknownParametersOrAClosedEditorAreIgnored) {
  editor->setParameter(3, 0.9f);  // closed
  EXPECT_FALSE(editor->onKeyDown(*std::make_unique<VstKeyCode>(VstKeyCode{0, kVirtKeyTab, 0})));
  EXPECT_FALSE(editor->onWheel(1.0f));
  editor->idle();
  openEditor();
  EXPECT_EQ(control(3)->getValue(), 0.5f);
  editor->setParameter(13, 1.0f);
  editor->setParameter(-1, 1.0f);
  editor->idle();
  for (int tag = 0; tag < 13; ++tag) EXPECT_EQ(control(tag)->getValue(), effect->getParameter(tag));
  // A control with a tag beyond the parameters reports nothing.
  COnOffButton stray(CRect{0, 0, 1, 1}, editor, 13, nullptr);
  HostLog::instance().take();
  editor->valueChanged(nullptr, &stray);
  EXPECT_TRUE(gestures().empty());
}

TEST_F(EditorTest, KnobModeRequestAlwaysSetsTwo) {
  for (VstInt32 mode : {0, 1, 7, -3}) {
    EXPECT_TRUE(editor->setKnobMode(mode));
    EXPECT_EQ(knobMode.load(), 2);
  }
  openEditor();
  effect->setParameter(5, 0.2f);
  editor->idle();
  const CPoint start = centreOf(5);
  press(start, kLButton);
  move({start.x + 100, start.y}, kLButton);
  release({start.x + 100, start.y});
  editor->idle();
  EXPECT_FLOAT_EQ(effect->getParameter(5), 0.7f);
  // The base editor stores the mode as given.
  ChannelEffect other;
  auto* plain = new AEffGUIEditor(&other);
  EXPECT_TRUE(plain->setKnobMode(1));
  EXPECT_EQ(knobMode.load(), 1);
  knobMode.store(0);
}

// A settable clock for the idle timing.
std::atomic<std::uint32_t> fakeNow{0};
std::vector<std::uint32_t> sleeps;
std::uint32_t fakeTick() { return fakeNow.load(); }
void fakeSleep(std::uint32_t ms) {
  sleeps.push_back(ms);
  fakeNow += ms;
}

TEST_F(EditorTest, DoIdleStuffRunsAboutEveryFiftyMillisecondsDuringTracking) {
  const std::uint32_t base = gui::tickCount() + 1000;  // after the editor's construction
  fakeNow = base;
  gui::overrideClock(fakeTick, fakeSleep);
  openEditor();
  sleeps.clear();
  effect->hostIdles = 0;
  editor->doIdleStuff();  // long after construction: at once
  EXPECT_EQ(effect->hostIdles, 1);
  EXPECT_TRUE(sleeps.empty());
  // The next full step is due 100 ms later; a pass more than 50 ms before
  // that sleeps 4 ms and does nothing else.
  fakeNow = base + 10;
  editor->doIdleStuff();
  EXPECT_EQ(effect->hostIdles, 1);
  EXPECT_EQ(sleeps, (std::vector<std::uint32_t>{4}));
  fakeNow = base + 46;  // + 4 = 50 ms before the due time: runs
  editor->doIdleStuff();
  EXPECT_EQ(effect->hostIdles, 2);
  EXPECT_EQ(sleeps, (std::vector<std::uint32_t>{4, 4}));
  // A full step redraws from the latest parameter values.
  fakeNow = base + 1000;
  effect->setParameter(4, 1.0f);
  editor->doIdleStuff();
  EXPECT_EQ(control(4)->getValue(), 1.0f);
  gui::overrideClock(nullptr, nullptr);
}

TEST_F(EditorTest, HostIdleCallingBackIntoTheEditorDoesNotReenterTheFrame) {
  openEditor();
  bool pumped = false;
  effect->duringHostIdle = [&] {
    window->queueEvent([&](gui::WindowEvents&) { pumped = true; });
    editor->idle();
  };
  editor->doIdleStuff();
  EXPECT_FALSE(pumped);
  effect->duringHostIdle = nullptr;
  editor->idle();
  EXPECT_TRUE(pumped);
}

TEST_F(EditorTest, ParameterChangesFromAnotherThreadRaceOpenAndClose) {
  std::atomic<bool> running{true};
  std::thread automation([&] {
    float v = 0.0f;
    while (running.load()) {
      for (VstInt32 index = 0; index < 13; ++index) effect->setParameter(index, v);
      v = v > 0.9f ? 0.0f : v + 0.01f;
    }
  });
  for (int cycle = 0; cycle < 50; ++cycle) {
    ASSERT_TRUE(editor->open(nullptr));
    editor->idle();
    editor->idle();
    editor->close();
  }
  running = false;
  automation.join();
  openEditor();
  for (int tag = 0; tag < 13; ++tag) EXPECT_EQ(control(tag)->getValue(), effect->getParameter(tag));
}

}  // namespace
