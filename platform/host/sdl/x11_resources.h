// What the desktop keeps in the X server's resource database.
#pragma once

#include <string>

namespace host::sdl {

// The value of Xft.dpi in the resource database of the display that
// DISPLAY names, as the desktop wrote it; empty when there is no display or
// no such resource.
std::string XftDpiResource();

}  // namespace host::sdl
