// A private virtual X server for tests: started on a free display number,
// stopped (by its process id) when the object goes away.
#pragma once

#include <string>
#include <sys/types.h>

namespace editortest {

class XvfbServer {
 public:
  // Starts Xvfb with one 1024 x 768 x 24 screen; running() tells whether it worked.
  XvfbServer();
  ~XvfbServer();
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;

  bool running() const { return pid > 0; }
  // Ends the server at once.
  void stop();
  const std::string& displayName() const { return name; }
  // Why it is not running.
  const std::string& problem() const { return failure; }

 private:
  pid_t pid = -1;
  std::string name;
  std::string failure;
};

}  // namespace editortest
