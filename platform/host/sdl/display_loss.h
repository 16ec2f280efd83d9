// The X display going away under the program: the server ended, the
// connection broke, the session was closed.
//
// Xlib learns of it inside whatever SDL call was talking to the server and
// calls its fatal-error handler there; its own handler ends the process with
// exit(), which runs the static destructors while the connection is dead, and
// a return from the handler goes back into a library that can no longer
// work. Ours does neither: it notes the loss and jumps back to the host call
// that was under way, which returns as if it had done nothing. From then on
// the host makes no SDL or X call at all; waiting for events gives Quit at
// once, so the program leaves its message loop and ends the way a closed
// window ends it, storing what it stores then. A watchdog ends the process
// anyway if that takes longer than kLostDisplayGraceMs.
#pragma once

#include <csetjmp>
#include <utility>

namespace host::sdl {

// How long a program that lost its display may take to end by itself.
constexpr int kLostDisplayGraceMs = 750;
// The exit status of a process that the watchdog had to end.
constexpr int kLostDisplayExitStatus = 3;

bool DisplayLost();

// Where an SDL call of this thread goes back to when the display is lost
// under it; the landings of nested calls are chained.
struct DisplayLanding {
  std::jmp_buf jump;
  DisplayLanding* outer = nullptr;
};
DisplayLanding*& CurrentLanding();

// For Xlib's fatal-error hooks: notes the loss, starts the watchdog and goes
// back to the innermost landing of this thread. Without one there is no call
// of ours to give an answer to: the main thread ends the process at once,
// another thread (one of SDL's own) stops here for good while the main
// thread carries on without the display.
[[noreturn]] void LandAfterLostDisplay();

// Runs `call`, which may talk to the X server through SDL. False when the
// display was lost before it (`call` then does not run) or during it (`call`
// did not finish). Whatever `call` leaves unfinished is never looked at
// again, so it must hold nothing that needs undoing: no lock, no setting to
// put back, only SDL calls and plain values.
template <typename Call>
bool ThroughDisplay(Call call) {
  if (DisplayLost()) return false;
  DisplayLanding landing;
  landing.outer = std::exchange(CurrentLanding(), &landing);
  if (setjmp(landing.jump) != 0) return false;  // the outer landing is current again
  call();
  CurrentLanding() = landing.outer;
  return true;
}

}  // namespace host::sdl
