// Kept apart: the X headers define names (None, Bool, Status) that clash
// with everything else.
#include "platform/host/sdl/x11_errors.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>

#include "platform/host/sdl/display_loss.h"

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

int OnLostConnection(Display*) {
  LandAfterLostDisplay();
}

#ifdef ZARVO_HAVE_X_IO_ERROR_EXIT_HANDLER
void OnLostConnectionExit(Display*, void*) {
  LandAfterLostDisplay();
}
Display* watchedDisplay = nullptr;
#endif

}  // namespace

// Installed before SDL opens the display: SDL keeps the handler it finds,
// calls it for the errors it does not handle itself, and puts it back when
// it closes the display, which is when a late error is read. Without an X
// display the handler is never called.
void ForgiveGoneWindows() {
  XErrorHandler before = XSetErrorHandler(ForgiveBadWindow);
  if (before != ForgiveBadWindow) previousHandler = before;
}

// One handler for the whole process: SDL leaves it in place.
void CatchLostDisplay() {
  XSetIOErrorHandler(OnLostConnection);
}

void CatchLostDisplayOf([[maybe_unused]] SDL_Window* window) {
#ifdef ZARVO_HAVE_X_IO_ERROR_EXIT_HANDLER
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) return;
  Display* display = info.info.x11.display;
  if (display == nullptr || display == watchedDisplay) return;
  XSetIOErrorExitHandler(display, OnLostConnectionExit, nullptr);
  watchedDisplay = display;
#endif
}

}  // namespace host::sdl
