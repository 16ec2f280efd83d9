// What kind of window the program asked for, in SDL's window flags.
#pragma once

#include <SDL.h>

#include "platform/host/host.h"

namespace host::sdl {

// Flags for SDL_CreateWindow. Two traits have no SDL flag: a title bar
// without a minimise button, and a maximise button on a window that cannot
// be resized (or none on one that can). The window manager decides those.
Uint32 CreationFlags(const WindowTraits& traits);

// What SDL lets change once the window exists: the sizing border, staying on
// top, the decoration. A tool window stays what it was made as: SDL sets the
// window type only when it creates the window.
void ApplyTraits(SDL_Window* window, const WindowTraits& traits);

}  // namespace host::sdl
