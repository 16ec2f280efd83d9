// Reading bitmap files: the decoder behind LoadImageW. It takes the whole file
// as bytes and gives the picture as top-down 0x00RRGGBB pixels, or the reason
// it cannot. It touches no file and no graphics object, so that tests and the
// fuzzer can drive it with any bytes at all.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/gdi/objects.h"

namespace gdi {

enum class BmpResult {
  Ok,
  Truncated,        // the file ends before what its headers promise
  BadHeader,        // header values that describe no bitmap
  Unsupported,      // a kind of bitmap this reader does not decode (embedded JPEG or PNG, 64 bits)
  TooLarge,         // a side above kMaxBitmapSide, or more pixels than the caller allows
  NoMemory,         // no room for the pixels on this machine now
  BadPaletteIndex,  // a pixel names a colour past the end of the palette
  BadRle,           // a run or a move of RLE data leaves its row or the picture
};

struct DecodedBmp {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // width × height, top row first, 0x00RRGGBB
};

// The most pixels a picture read from a file may have: 32 MiB of them, a 4K
// screen's worth (the game's pictures are 2 MiB). A file of a hundred bytes
// can claim any size, RLE data being allowed to end at once, so without this
// bound what the file says, not what it holds, would decide how much memory
// a load takes. LoadImageW and the fuzz target both decode with it.
constexpr std::uint64_t kMaxBmpPixels = std::uint64_t{1} << 23;

// Fills `out` on success and leaves it empty otherwise. Never reads outside
// `file`, and allocates the pixels once, only after the headers have been
// checked against the file's size and the picture holds at most `maxPixels`
// pixels; NoMemory when the machine has no room for them.
//
// Decisions where files disagree with the format or with each other:
// - Pixels that RLE data never writes (skipped by a move, or left when the
//   data ends early) take palette entry 0.
// - A file shorter than its pixel rows, its stated image size or its stated
//   file size is refused, a short final row included.
// - Alpha is ignored: every pixel comes out with a zero top byte.
BmpResult DecodeBmp(std::span<const std::uint8_t> file, DecodedBmp& out,
                    std::uint64_t maxPixels = kMaxBmpPixels);

}  // namespace gdi
