// Keeps X errors on the toolkit's own display connections from ending the
// host process. Xlib's error handlers are process-wide, so the trap filters:
// errors of a registered display are recorded and swallowed, all others go to
// the handler that was installed before. The previous handler is restored
// when the last registered display goes away (unless someone installed
// another handler in the meantime).
#pragma once

typedef struct _XDisplay Display;

namespace gui {

// Registers `display` and installs the handlers when it is the first.
void trapErrorsOf(Display* display);
// Unregisters `display`; the last one restores the previous handlers.
void releaseErrorsOf(Display* display);
// Whether an error (or an IO error) has been swallowed for `display`; clears
// the record of ordinary errors.
bool takeTrappedError(Display* display);
// Whether the connection of `display` is broken (IO error seen).
bool connectionLost(Display* display);

}  // namespace gui
