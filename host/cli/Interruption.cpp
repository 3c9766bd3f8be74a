#include "Interruption.h"

#include <signal.h>

namespace tamzor::cli {

namespace {

volatile sig_atomic_t interrupted = 0;

extern "C" void raiseInterruptionFlag(int) { interrupted = 1; }

}  // namespace

void installInterruptionHandlers() {
  struct sigaction action {};
  action.sa_handler = raiseInterruptionFlag;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

bool interruptionRequested() { return interrupted != 0; }

}  // namespace tamzor::cli
