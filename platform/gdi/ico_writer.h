// Icon files (.ico) with 16-colour images: each image is reduced to the
// system's standard 16-colour palette, written with 4 bits a pixel, and
// carries the 1-bit mask that makes its transparent pixels. For the asset
// tool, which makes the game's icon with the platform's own drawing.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/gdi/objects.h"

namespace gdi {

// The standard 16 colours, 0x00RRGGBB, in palette order.
extern const std::array<std::uint32_t, 16> kStandardPalette;

// The palette index of the colour nearest 0x00RRGGBB.
int NearestStandardColour(std::uint32_t rgb);

// The file's bytes: one image for each of `images` (0xAARRGGBB; alpha below
// 128 is transparent), in that order. None when an image is empty, larger
// than 256 pixels a side or holds fewer pixels than its size says.
std::vector<std::uint8_t> EncodeIco16(std::span<const IconImage> images);

}  // namespace gdi
