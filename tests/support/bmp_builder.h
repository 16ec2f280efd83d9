// Writes bitmap files byte by byte, so that tests can make every kind of
// header, depth, compression and palette, and then break them on purpose.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

inline void Put16(std::string& bytes, std::uint32_t value) {
  bytes += static_cast<char>(value & 0xFF);
  bytes += static_cast<char>((value >> 8) & 0xFF);
}

inline void Put32(std::string& bytes, std::uint32_t value) {
  Put16(bytes, value & 0xFFFF);
  Put16(bytes, value >> 16);
}

inline void Patch16(std::string& bytes, std::size_t at, std::uint32_t value) {
  bytes[at] = static_cast<char>(value & 0xFF);
  bytes[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

inline void Patch32(std::string& bytes, std::size_t at, std::uint32_t value) {
  Patch16(bytes, at, value & 0xFFFF);
  Patch16(bytes, at + 2, value >> 16);
}

// Where the fields lie in a file with a 40-byte (or longer) header.
namespace bmp_offset {
constexpr std::size_t kFileSize = 2;
constexpr std::size_t kPixelOffset = 10;
constexpr std::size_t kHeaderSize = 14;
constexpr std::size_t kWidth = 18;
constexpr std::size_t kHeight = 22;
constexpr std::size_t kPlanes = 26;
constexpr std::size_t kBitsPerPixel = 28;
constexpr std::size_t kCompression = 30;
constexpr std::size_t kImageSize = 34;
constexpr std::size_t kXDensity = 38;
constexpr std::size_t kColorsUsed = 46;
constexpr std::size_t kMasks = 54;
}  // namespace bmp_offset

struct BmpLayout {
  std::uint32_t headerSize = 40;  // 12, 16, 40, 52, 56, 64, 108 or 124
  std::int32_t width = 1;
  std::int32_t height = 1;  // negative for rows stored top first
  std::uint32_t bitsPerPixel = 24;
  std::uint32_t compression = 0;
  // Written from offset 54 on: inside the header when it has room, after it otherwise.
  std::vector<std::uint32_t> masks;
  std::vector<std::uint32_t> palette;  // 0x00RRGGBB
  std::uint32_t colorsUsed = 0;        // stored as given
  std::string pixels;                  // the stored rows, or the RLE data
};

inline BmpLayout Layout(std::int32_t width, std::int32_t height, std::uint32_t bitsPerPixel,
                        std::uint32_t compression = 0, std::uint32_t headerSize = 40) {
  BmpLayout layout;
  layout.headerSize = headerSize;
  layout.width = width;
  layout.height = height;
  layout.bitsPerPixel = bitsPerPixel;
  layout.compression = compression;
  return layout;
}

// The header fields in the layout of its size; the longer headers' extra
// fields stay zero.
inline std::string InfoHeader(const BmpLayout& layout) {
  std::string h;
  Put32(h, layout.headerSize);
  if (layout.headerSize == 12) {
    Put16(h, static_cast<std::uint32_t>(layout.width));
    Put16(h, static_cast<std::uint32_t>(layout.height));
    Put16(h, 1);
    Put16(h, layout.bitsPerPixel);
    return h;
  }
  Put32(h, static_cast<std::uint32_t>(layout.width));
  Put32(h, static_cast<std::uint32_t>(layout.height));
  Put16(h, 1);
  Put16(h, layout.bitsPerPixel);
  Put32(h, layout.compression);
  Put32(h, static_cast<std::uint32_t>(layout.pixels.size()));
  Put32(h, 2835);  // 72 dots per inch
  Put32(h, 2835);
  Put32(h, layout.colorsUsed);
  Put32(h, 0);
  h.resize(layout.headerSize, '\0');
  return h;
}

inline std::string BuildBmp(const BmpLayout& layout) {
  std::string file = "BM";
  Put32(file, 0);  // file size, set below
  Put32(file, 0);
  Put32(file, 0);  // pixel offset, set below
  file += InfoHeader(layout);
  for (std::size_t i = 0; i < layout.masks.size(); ++i) {
    const std::size_t at = bmp_offset::kMasks + 4 * i;
    if (at + 4 > file.size()) file.resize(at + 4, '\0');
    Patch32(file, at, layout.masks[i]);
  }
  for (std::uint32_t colour : layout.palette) {
    file += static_cast<char>(colour & 0xFF);
    file += static_cast<char>((colour >> 8) & 0xFF);
    file += static_cast<char>((colour >> 16) & 0xFF);
    if (layout.headerSize != 12) file += '\0';
  }
  Patch32(file, bmp_offset::kPixelOffset, static_cast<std::uint32_t>(file.size()));
  file += layout.pixels;
  Patch32(file, bmp_offset::kFileSize, static_cast<std::uint32_t>(file.size()));
  return file;
}

// Stored rows of `bitsPerPixel` values each (palette indices, or the raw
// 16-, 24- or 32-bit values, 24-bit ones as 0xRRGGBB), in the order given.
// Unused bits and padding are set to ones, so that a reader that takes them
// for pixels shows it.
inline std::string PackRows(std::uint32_t bitsPerPixel,
                            const std::vector<std::vector<std::uint32_t>>& rows) {
  std::string out;
  for (const std::vector<std::uint32_t>& row : rows) {
    const std::size_t rowBytes = (row.size() * bitsPerPixel + 31) / 32 * 4;
    std::string packed(rowBytes, '\xFF');
    for (std::size_t x = 0; x < row.size(); ++x) {
      if (bitsPerPixel < 8) {
        const std::size_t bit = x * bitsPerPixel;
        const int shift = 8 - static_cast<int>(bitsPerPixel) - static_cast<int>(bit % 8);
        const std::uint32_t mask = ((1u << bitsPerPixel) - 1) << shift;
        auto& byte = reinterpret_cast<unsigned char&>(packed[bit / 8]);
        byte = static_cast<unsigned char>((byte & ~mask) | ((row[x] << shift) & mask));
        continue;
      }
      for (std::uint32_t i = 0; i < bitsPerPixel / 8; ++i) {
        packed[x * (bitsPerPixel / 8) + i] = static_cast<char>((row[x] >> (8 * i)) & 0xFF);
      }
    }
    out += packed;
  }
  return out;
}

// RLE data written as its bytes: counts, colours and escape codes.
inline std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out += static_cast<char>(v);
  return out;
}

}  // namespace testing_support
