// The scale at which the desktop shows a program that does not speak of
// density.
#pragma once

namespace host::sdl {

// Read from the desktop when SDL shows windows through X11 (Xft.dpi over 96,
// rounded, 1 to 4); 1 on any other video driver and without the resource.
// SDL's video must have started.
int DesktopScale();

}  // namespace host::sdl
