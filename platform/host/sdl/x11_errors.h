#pragma once

#include <SDL.h>

namespace host::sdl {

// On an X display: a request that names a window the program has already
// destroyed is no reason to end the program.
void ForgiveGoneWindows();

// On an X display: losing the connection hands over to LandAfterLostDisplay
// (display_loss.h) instead of ending the process inside Xlib. For every
// connection, before SDL opens its own.
void CatchLostDisplay();
// The same for the connection behind `window` alone, through the later hook
// that Xlib calls if a fatal-error handler ever returns; for a library that
// has it. Nothing for a window on another video driver.
void CatchLostDisplayOf(SDL_Window* window);

}  // namespace host::sdl
