// PNG files of 8-bit RGBA pictures, written without compression: the zlib
// stream holds stored blocks only. Icons are small, and a stored stream is
// the same on every run.
#pragma once

#include <cstdint>
#include <vector>

namespace assets {

// `argb` holds width × height pixels, rows from the top, each 0xAARRGGBB.
// Empty when the sizes are not positive or do not match the pixels.
std::vector<std::uint8_t> EncodePng(int width, int height, const std::vector<std::uint32_t>& argb);

// The checksums the format uses, for the writer and its tests.
std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0);
std::uint32_t Adler32(const std::vector<std::uint8_t>& data);

}  // namespace assets
