#include "X11ErrorTrap.h"

#include <X11/Xlib.h>

#include <mutex>
#include <vector>

namespace gui {
namespace {

struct TrappedDisplay {
  Display* display;
  bool errorSeen;
  bool connectionLost;
};

std::mutex trapMutex;
std::vector<TrappedDisplay> trapped;
XErrorHandler previousHandler = nullptr;
XIOErrorHandler previousIoHandler = nullptr;

TrappedDisplay* find(Display* display) {
  for (auto& entry : trapped)
    if (entry.display == display) return &entry;
  return nullptr;
}

int filterError(Display* display, XErrorEvent* error) {
  XErrorHandler chain = nullptr;
  {
    std::lock_guard lock(trapMutex);
    if (TrappedDisplay* entry = find(display)) {
      entry->errorSeen = true;
      return 0;
    }
    chain = previousHandler;
  }
  return chain != nullptr ? chain(display, error) : 0;
}

int filterIoError(Display* display) {
  XIOErrorHandler chain = nullptr;
  {
    std::lock_guard lock(trapMutex);
    if (TrappedDisplay* entry = find(display)) {
      // Returning lets Xlib go on to the display's exit handler, which for
      // our displays only marks the connection as dead.
      entry->connectionLost = true;
      return 0;
    }
    chain = previousIoHandler;
  }
  return chain != nullptr ? chain(display) : 0;
}

void keepHostAlive(Display* display, void*) {
  std::lock_guard lock(trapMutex);
  if (TrappedDisplay* entry = find(display)) entry->connectionLost = true;
}

}  // namespace

void trapErrorsOf(Display* display) {
  std::lock_guard lock(trapMutex);
  if (find(display) != nullptr) return;
  if (trapped.empty()) {
    previousHandler = XSetErrorHandler(filterError);
    previousIoHandler = XSetIOErrorHandler(filterIoError);
  }
  trapped.push_back(TrappedDisplay{display, false, false});
  XSetIOErrorExitHandler(display, keepHostAlive, nullptr);
}

void releaseErrorsOf(Display* display) {
  std::lock_guard lock(trapMutex);
  for (auto it = trapped.begin(); it != trapped.end(); ++it) {
    if (it->display == display) {
      trapped.erase(it);
      break;
    }
  }
  if (!trapped.empty()) return;
  // Put the previous handlers back only if ours are still the installed ones.
  XErrorHandler current = XSetErrorHandler(previousHandler);
  if (current != filterError) XSetErrorHandler(current);
  XIOErrorHandler currentIo = XSetIOErrorHandler(previousIoHandler);
  if (currentIo != filterIoError) XSetIOErrorHandler(currentIo);
}

bool takeTrappedError(Display* display) {
  std::lock_guard lock(trapMutex);
  TrappedDisplay* entry = find(display);
  if (entry == nullptr) return false;
  const bool seen = entry->errorSeen || entry->connectionLost;
  entry->errorSeen = false;
  return seen;
}

bool connectionLost(Display* display) {
  std::lock_guard lock(trapMutex);
  TrappedDisplay* entry = find(display);
  return entry != nullptr && entry->connectionLost;
}

}  // namespace gui
