#include "Platform.h"

#include <atomic>
#include <chrono>
#include <thread>

#include "OffscreenWindow.h"
#include "X11Window.h"

namespace gui {
namespace {

std::atomic<TickCountFunction> tickOverride{nullptr};
std::atomic<SleepFunction> sleepOverride{nullptr};
std::atomic<WindowFactory> windowFactoryOverride{nullptr};

}  // namespace

std::uint32_t tickCount() {
  if (auto tick = tickOverride.load(std::memory_order_acquire)) return tick();
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

void sleepMilliseconds(std::uint32_t milliseconds) {
  if (auto sleep = sleepOverride.load(std::memory_order_acquire)) {
    sleep(milliseconds);
    return;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void overrideClock(TickCountFunction tick, SleepFunction sleep) {
  tickOverride.store(tick, std::memory_order_release);
  sleepOverride.store(sleep, std::memory_order_release);
}

std::unique_ptr<PlatformWindow> createChildWindow(void* parent, int width, int height) {
  if (auto factory = windowFactoryOverride.load(std::memory_order_acquire)) return factory(parent, width, height);
  if (parent != nullptr) {
    if (auto window = X11Window::create(reinterpret_cast<unsigned long>(parent), width, height)) return window;
  }
  return std::make_unique<OffscreenWindow>();
}

void overrideWindowFactory(WindowFactory factory) { windowFactoryOverride.store(factory, std::memory_order_release); }

}  // namespace gui
