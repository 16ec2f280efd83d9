// Run-length coded pixel data (RLE8 and RLE4): pairs of a count and a colour,
// and after a zero count the escapes end of line, end of picture, move, and a
// literal run padded to a whole word.
#pragma once

#include <cstdint>
#include <span>

#include "platform/gdi/bmp_reader.h"

namespace gdi::bmp {

struct RleTarget {
  int bitsPerPixel;  // 8 or 4
  int width;
  int height;
  std::span<const std::uint32_t> palette;  // at least one colour
  std::uint32_t* pixels;  // width × height, top-down; rows not reached keep their colour
};

// Writes the pixels the data codes for. Refuses runs and moves that leave the
// row or the picture, colours past the palette, and data that stops before the
// picture is complete without an end-of-picture code.
BmpResult ExpandRle(std::span<const std::uint8_t> data, const RleTarget& target);

}  // namespace gdi::bmp
