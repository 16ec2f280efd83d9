// Kept apart: the X headers define names (None, Bool, Status) that clash
// with everything else.
#include "platform/host/sdl/x11_errors.h"

#include <X11/Xlib.h>

namespace host::sdl {
namespace {

XErrorHandler previousHandler = nullptr;

// SDL wakes its own event wait by sending an event to one of the program's
// windows, over a connection of its own. When that window has just been
// destroyed the server answers BadWindow, and Xlib's default handler would
// end the process with status 1, after the program had finished cleanly.
int ForgiveBadWindow(Display* display, XErrorEvent* error) {
  if (error->error_code == BadWindow) return 0;
  return previousHandler != nullptr ? previousHandler(display, error) : 0;
}

}  // namespace

// Installed before SDL opens the display: SDL keeps the handler it finds,
// calls it for the errors it does not handle itself, and puts it back when
// it closes the display, which is when a late error is read. Without an X
// display the handler is never called.
void ForgiveGoneWindows() {
  XErrorHandler before = XSetErrorHandler(ForgiveBadWindow);
  if (before != ForgiveBadWindow) previousHandler = before;
}

}  // namespace host::sdl
