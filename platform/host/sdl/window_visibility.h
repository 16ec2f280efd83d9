// Showing, hiding, minimising and restoring an SDL window.
#pragma once

#include <SDL.h>

#include "platform/host/host.h"

namespace host::sdl {

// Minimized and Restored also show a hidden window, as the windowing API's
// SW_MINIMIZE and SW_RESTORE do.
void ApplyVisibility(SDL_Window* window, Visibility visibility);

}  // namespace host::sdl
