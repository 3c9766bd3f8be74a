// An effect stand-in with per-channel recall and a recording host, and a
// fixture that opens the real editor over it without a screen.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "CAnimKnob.h"
#include "CFrame.h"
#include "COnOffButton.h"
#include "FrameFixture.h"
#include "TestImages.h"
#include "editor/RIDuvaro.h"
#include "plugin/AudioEffectX.h"

namespace editortest {

struct HostCall {
  VstInt32 opcode;
  VstInt32 index;
  float opt;
};

// Requests sent to the host, in order.
class HostLog {
 public:
  static HostLog& instance() {
    static HostLog log;
    return log;
  }
  void add(const HostCall& call) {
    std::lock_guard lock(mutex);
    calls.push_back(call);
  }
  std::vector<HostCall> take() {
    std::lock_guard lock(mutex);
    return std::exchange(calls, {});
  }

 private:
  std::mutex mutex;
  std::vector<HostCall> calls;
};

inline VstIntPtr VSTCALLBACK recordingHost(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr, void*, float opt) {
  if (opcode == audioMasterVersion) return kVstVersion;
  HostLog::instance().add(HostCall{opcode, index, opt});
  return 0;
}

// Parameters 0..12 with Channel (1) recalling the eight per-channel knobs, in
// the order Input, Drive, Low, Mid, High, Contour, Volume, Power Amp, and
// telling the editor at the end of every change.
class ChannelEffect final : public AudioEffectX {
 public:
  static constexpr std::array<VstInt32, 8> kRecalled{0, 2, 4, 5, 6, 7, 9, 8};

  ChannelEffect() : AudioEffectX(recordingHost, 1, 13) {
    values.fill(0.5f);
    for (int i : {1, 10, 11, 12}) values[static_cast<std::size_t>(i)] = 0.0f;
    for (auto& channel : memory) channel = values;
  }

  void processReplacing(float**, float**, VstInt32) override {}
  float getParameter(VstInt32 index) override {
    std::lock_guard lock(mutex);
    return index >= 0 && index < 13 ? values[static_cast<std::size_t>(index)] : 0.0f;
  }
  void setParameter(VstInt32 index, float value) override {
    if (index < 0 || index >= 13) return;
    bool recall = false;
    int channel = 0;
    {
      std::lock_guard lock(mutex);
      const int before = values[1] >= 0.5f ? 1 : 0;
      values[static_cast<std::size_t>(index)] = value;
      channel = values[1] >= 0.5f ? 1 : 0;
      if (index == 1) {
        recall = channel != before;
      } else if (isRecalled(index)) {
        memory[static_cast<std::size_t>(channel)][static_cast<std::size_t>(index)] = value;
      }
    }
    if (recall)
      for (VstInt32 r : kRecalled) setParameter(r, memory[static_cast<std::size_t>(channel)][static_cast<std::size_t>(r)]);
    {
      std::lock_guard lock(mutex);
      editorNotifications.push_back(index);
    }
    if (AEffEditor* panel = getEditor()) panel->setParameter(index, value);
  }
  void masterIdle() override {
    ++hostIdles;
    if (duringHostIdle) duringHostIdle();
    AudioEffectX::masterIdle();
  }
  std::function<void()> duringHostIdle;

  // The other channel's remembered value of a knob.
  void remember(int channel, VstInt32 index, float value) {
    memory[static_cast<std::size_t>(channel)][static_cast<std::size_t>(index)] = value;
  }
  std::vector<VstInt32> takeNotifications() {
    std::lock_guard lock(mutex);
    return std::exchange(editorNotifications, {});
  }
  int hostIdles = 0;

 private:
  static bool isRecalled(VstInt32 index) {
    for (VstInt32 r : kRecalled)
      if (r == index) return true;
    return false;
  }
  std::mutex mutex;
  std::array<float, 13> values{};
  std::array<std::array<float, 13>, 2> memory{};
  std::vector<VstInt32> editorNotifications;
};

class EditorTest : public ::testing::Test {
 protected:
  EditorTest() {
    testimages::addPanelImages(images);
    HostLog::instance().take();
    effect = std::make_unique<ChannelEffect>();
    editor = new RIDuvaro(effect.get());  // owned by the effect
  }

  void openEditor() {
    ASSERT_TRUE(editor->open(nullptr));
    window = guitest::lastOffscreenWindow;
    editor->idle();
  }

  CControl* control(long tag) const { return editor->getFrame()->findControl(tag); }
  CPoint centreOf(long tag) const {
    const CRect& r = control(tag)->getViewSize();
    return CPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  // Delivers window events and lets the host's idle pump them.
  void press(CPoint where, long buttons) {
    window->queueEvent([=](gui::WindowEvents& e) { e.mouseDown(where, buttons); });
  }
  void move(CPoint where, long buttons) {
    window->queueEvent([=](gui::WindowEvents& e) { e.mouseMoved(where, buttons); });
  }
  void release(CPoint where) {
    window->queueEvent([=](gui::WindowEvents& e) { e.mouseUp(where, 0); });
  }
  void click(CPoint where, long buttons = kLButton) {
    press(where, buttons);
    release(where);
    editor->idle();
  }
  std::uint32_t pixel(int x, int y) const { return testimages::pixelAt(editor->getFrame()->picture(), x, y); }

  // The host requests apart from idle, as "begin 2", "automate 2 0.7", "end 2".
  static std::vector<std::string> gestures() {
    std::vector<std::string> out;
    for (const HostCall& call : HostLog::instance().take()) {
      if (call.opcode == audioMasterBeginEdit) out.push_back("begin " + std::to_string(call.index));
      if (call.opcode == audioMasterEndEdit) out.push_back("end " + std::to_string(call.index));
      if (call.opcode == audioMasterAutomate) {
        char text[64];
        std::snprintf(text, sizeof text, "automate %d %.4g", call.index, static_cast<double>(call.opt));
        out.emplace_back(text);
      }
    }
    return out;
  }

  guitest::OffscreenWindows windows;
  testimages::ResourceTable images;
  std::unique_ptr<ChannelEffect> effect;
  RIDuvaro* editor = nullptr;
  gui::OffscreenWindow* window = nullptr;
};

}  // namespace editortest
