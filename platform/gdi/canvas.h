// What the drawing routines of this folder share: rectangles moved from a
// context's own coordinates into its target's pixels and cut to where the
// context may draw, colours in the format a target stores, and the plain
// fills that shapes are made of.
#pragma once

#include <cstdint>

#include "platform/gdi/objects.h"

namespace gdi {

constexpr bool IsEmpty(const RECT& r) {
  return r.right <= r.left || r.bottom <= r.top;
}

constexpr RECT Intersection(const RECT& a, const RECT& b) {
  RECT r{a.left > b.left ? a.left : b.left, a.top > b.top ? a.top : b.top,
         a.right < b.right ? a.right : b.right, a.bottom < b.bottom ? a.bottom : b.bottom};
  return IsEmpty(r) ? RECT{0, 0, 0, 0} : r;
}

// The smallest rectangle holding both; an empty one adds nothing.
RECT UnionOf(const RECT& a, const RECT& b);

// The part of the rectangle (context coordinates, right and bottom
// exclusive) that drawing may change, in target pixels; empty when none.
// Computed in 64 bits: callers pass whatever coordinates they were given.
RECT DrawablePart(const DeviceContext& dc, std::int64_t left, std::int64_t top, std::int64_t right,
                  std::int64_t bottom);

// A colour as the target stores it: 0x00RRGGBB, or on a monochrome target
// the nearer of black (0) and white (1).
std::uint32_t StoredPixel(const Bitmap& target, COLORREF color);
// The colour a stored pixel shows.
COLORREF ShownColor(const Bitmap& target, std::uint32_t pixel);

// The colour a brush paints with; false for a hollow brush, which paints
// nothing. Besides brush handles it takes a system colour index plus one
// cast to a brush, as the user-interface calls do.
bool BrushColor(HBRUSH brush, COLORREF* color);
// The same for a brush object already looked up (null paints nothing).
bool BrushColor(const Brush* brush, COLORREF* color);

// Caller clipped: `area` lies inside the target.
void FillArea(Bitmap& target, const RECT& area, std::uint32_t pixel);
void InvertArea(Bitmap& target, const RECT& area);

}  // namespace gdi
