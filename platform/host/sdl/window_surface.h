// Getting the program's pixels onto an SDL window. Both calls talk to the
// display only through ThroughDisplay (display_loss.h), and do nothing once
// it is lost.
#pragma once

#include <SDL.h>
#include <span>

#include "platform/host/host.h"

namespace host::sdl {

// Copies the given rectangles of `frame` (0x00RRGGBB) into the window's
// surface, converting to whatever format the surface has, and shows them.
// At a scale above 1 each pixel of the frame becomes a block of scale x
// scale pixels of the surface, and the rectangles grow with it. Rectangles
// are clipped to both the frame and the surface: the two differ for a moment
// after the window was resized and before the program has drawn a frame of
// the new size.
void PresentRects(SDL_Window* window, PixelView frame, std::span<const Rect> changed,
                  int scale = 1);

// Gives the window the icon (0xAARRGGBB). A picture without pixels is ignored.
void SetWindowIcon(SDL_Window* window, PixelView argb);

}  // namespace host::sdl
