// Control values handed over from any thread to the editor's own thread.
// A parameter change may arrive on the host's automation or audio thread
// while the panel is being drawn or torn down there, so it never touches a
// control: it leaves the value here, and the editor's thread moves it into
// the control before it next handles input or draws. Lives as long as the
// editor, so a change racing close() lands in memory that stays valid.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

class CFrame;

class ControlUpdates {
 public:
  static constexpr int kCapacity = 32;

  // Any thread, lock-free. Tags outside 0 .. kCapacity - 1 are ignored.
  void post(int tag, float value);
  // Forgets everything posted so far.
  void discard();
  // The editor's thread: sets each posted control of `frame` to its latest value.
  void applyTo(CFrame& frame);

 private:
  std::array<std::atomic<float>, kCapacity> values{};
  std::atomic<std::uint32_t> pending{0};
};
