// The headers of a bitmap file, read and checked against the file's size so
// that the pixel decoders can trust every offset and count they are given.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/gdi/bmp_reader.h"

namespace gdi::bmp {

// How the pixel rows are stored.
enum class Encoding { Indexed, Rgb24, Masked, Rle8, Rle4 };

struct Header {
  int width = 0;
  int height = 0;        // always positive; see topDown
  bool topDown = false;  // rows stored top first (a negative height in the file)
  int bitsPerPixel = 0;
  Encoding encoding = Encoding::Indexed;
  std::array<std::uint32_t, 3> masks{};  // red, green, blue, for Masked

  // Indexed and RLE pictures: where the colours lie and how many of them a
  // pixel may name (never more than its bits can address).
  std::size_t paletteOffset = 0;
  std::size_t paletteCount = 0;
  std::size_t paletteEntrySize = 4;  // 3 in the oldest header

  // Where the pixel data lies: whole rows, or the RLE stream.
  std::size_t pixelOffset = 0;
  std::size_t pixelBytes = 0;

  std::size_t RowBytes() const;  // a stored row with its padding to 4 bytes
};

// Fills `out` only when the result is Ok; the picture then has at most
// maxPixels pixels and every range named by `out` lies inside `file`.
BmpResult ReadHeader(std::span<const std::uint8_t> file, std::uint64_t maxPixels, Header& out);

}  // namespace gdi::bmp
