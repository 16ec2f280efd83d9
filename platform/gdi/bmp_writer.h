// Bitmaps written as standard uncompressed BMP files (BI_RGB, a 40-byte
// information header, bottom-up rows padded to 4 bytes), for the asset tool
// and for pictures that tests leave behind. Monochrome bitmaps come out
// black and white.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/gdi/objects.h"

namespace gdi {

// The file's bytes, or none when the bitmap is empty or the depth is not 24
// or 32. `gap` goes between the headers and the pixels, and the pixel
// offset skips it: the asset tool sets bytes there to give a file the
// checksum it must have without touching the picture.
std::vector<std::uint8_t> EncodeBmp(const Bitmap& bitmap, int bitsPerPixel,
                                    std::span<const std::uint8_t> gap = {});

// Writes EncodeBmp's bytes to a path of the host's own (not translated);
// false, and no file left behind, when that fails.
bool WriteBmpFile(const std::string& systemPath, const Bitmap& bitmap, int bitsPerPixel,
                  std::span<const std::uint8_t> gap = {});

}  // namespace gdi
