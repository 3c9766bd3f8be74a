#include "XvfbServer.h"

#include <X11/Xlib.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <unistd.h>
#include <sys/wait.h>

namespace editortest {
namespace {

std::string findXvfb() {
  const char* path = std::getenv("PATH");
  std::string dirs = path != nullptr ? path : "/usr/bin:/bin";
  dirs += ":/usr/bin";
  std::size_t start = 0;
  while (start <= dirs.size()) {
    const std::size_t end = dirs.find(':', start);
    const std::string dir = dirs.substr(start, end == std::string::npos ? std::string::npos : end - start);
    std::string candidate = dir;
    candidate += "/Xvfb";
    if (!dir.empty() && access(candidate.c_str(), X_OK) == 0) return candidate;
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return {};
}

bool displayInUse(int number) {
  char socket[64], lock[64];
  std::snprintf(socket, sizeof socket, "/tmp/.X11-unix/X%d", number);
  std::snprintf(lock, sizeof lock, "/tmp/.X%d-lock", number);
  return std::filesystem::exists(socket) || std::filesystem::exists(lock);
}

}  // namespace

XvfbServer::XvfbServer() {
  const std::string binary = findXvfb();
  if (binary.empty()) {
    failure = "no Xvfb binary";
    return;
  }
  for (int attempt = 0; attempt < 20 && pid <= 0; ++attempt) {
    const int number = 200 + static_cast<int>((getpid() + attempt * 7) % 600);
    if (displayInUse(number)) continue;
    char displayText[16];
    std::snprintf(displayText, sizeof displayText, ":%d", number);
    const std::string display = displayText;
    const pid_t child = fork();
    if (child == 0) {
      execl(binary.c_str(), "Xvfb", display.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
            "-noreset", static_cast<char*>(nullptr));
      _exit(127);
    }
    if (child < 0) break;
    // Wait until it accepts connections (or gives up).
    for (int wait = 0; wait < 100; ++wait) {
      if (Display* probe = XOpenDisplay(display.c_str())) {
        XCloseDisplay(probe);
        pid = child;
        name = display;
        return;
      }
      int status = 0;
      if (waitpid(child, &status, WNOHANG) == child) break;  // it died: try another number
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (pid <= 0) {
      kill(child, SIGTERM);
      waitpid(child, nullptr, 0);
    }
  }
  if (pid <= 0) failure = "Xvfb did not start";
}

XvfbServer::~XvfbServer() { stop(); }

void XvfbServer::stop() {
  if (pid <= 0) return;
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  pid = -1;
}

}  // namespace editortest
