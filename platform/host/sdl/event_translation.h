// SDL's events in the host's terms.
#pragma once

#include <SDL.h>

#include "platform/host/host.h"

namespace host::sdl {

// Fills `event` and returns true when `raw` means something to the program;
// false for what it has no use for (joystick motion, text editing, a window
// shown, a horizontal wheel, mouse buttons beyond the third, keys without a
// virtual-key code). `event.window` is SDL's window id as SDL gave it.
bool TranslateEvent(const SDL_Event& raw, Event& event);

// Events about a window itself, as opposed to input that lands in one.
bool IsWindowEvent(EventType type);

}  // namespace host::sdl
