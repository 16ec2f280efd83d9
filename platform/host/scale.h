// The desktop's scale: how many screen pixels each of the program's pixels
// takes, across and down.
//
// A desktop run at twice the usual density draws a program that does not
// speak of density at twice its size. The host does the same, and does it
// alone: the program keeps its own pixels for every size, place and mouse
// position it sees; the host multiplies what goes to the screen and divides
// what comes from it.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/host/host.h"

namespace host {

constexpr int kMinScale = 1;
constexpr int kMaxScale = 4;
// The density at which a program's pixel is a screen pixel.
constexpr double kBaseDpi = 96.0;

// Keeps a scale within what the host can show.
int ClampScale(int scale);

// The scale for a density resource as the desktop writes it ("192", "144.0"):
// the density over 96 rounded to the nearest whole number, halves up, kept
// within 1 to 4. Anything that is not a positive number gives 1.
int ScaleFromDpiText(std::string_view text);

// A rectangle of the program's pixels in screen pixels, held within int.
Rect ScaleUp(const Rect& r, int scale);

// A screen coordinate in the program's pixels. Rounds down, so that a point
// left of or above a window's edge stays outside it.
int ScaleDown(int value, int scale);

// Brings the positions and sizes an event carries from screen pixels to the
// program's.
void ScaleEventDown(Event& event, int scale);

// Writes the rectangle `r` of `frame` as blocks of scale x scale pixels:
// pixel (x, y) fills the block whose corner is (x * scale, y * scale) of
// `to`, a 32-bit picture `pitch` bytes from one row to the next. The caller
// has clipped `r` to the frame and made room for the blocks.
void BlowUp(const PixelView& frame, const Rect& r, int scale, std::uint8_t* to, int pitch);

}  // namespace host
