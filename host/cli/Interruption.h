// Ctrl-C and SIGTERM during a long render: the handler only raises a flag;
// the render loop sees it between blocks and stops cleanly, so the pending
// output file is removed.
#pragma once

namespace tamzor::cli {

void installInterruptionHandlers();
bool interruptionRequested();

}  // namespace tamzor::cli
