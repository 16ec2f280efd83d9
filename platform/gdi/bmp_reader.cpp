#include "platform/gdi/bmp_reader.h"

#include <algorithm>

#include "platform/gdi/bmp_channel.h"
#include "platform/gdi/bmp_header.h"
#include "platform/gdi/bmp_rle.h"
#include "platform/crt/memory.h"

namespace gdi {
namespace {

using bmp::Encoding;
using bmp::Header;
using File = std::span<const std::uint8_t>;

std::uint32_t Rgb(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
  return red << 16 | green << 8 | blue;
}

// Entries are stored blue, green, red (and an unused byte in all but the oldest header).
std::vector<std::uint32_t> ReadPalette(File file, const Header& h) {
  std::vector<std::uint32_t> palette(h.paletteCount);
  const std::uint8_t* entry = file.data() + h.paletteOffset;
  for (std::uint32_t& colour : palette) {
    colour = Rgb(entry[2], entry[1], entry[0]);
    entry += h.paletteEntrySize;
  }
  return palette;
}

// Hands each stored row, with the picture row it becomes, to decodeRow; stops
// at the first row it refuses.
template <typename DecodeRow>
bool EachRow(File file, const Header& h, DecodedBmp& out, DecodeRow decodeRow) {
  const std::uint8_t* stored = file.data() + h.pixelOffset;
  for (int i = 0; i < h.height; ++i, stored += h.RowBytes()) {
    const int y = h.topDown ? i : h.height - 1 - i;
    if (!decodeRow(stored, out.pixels.data() + static_cast<std::size_t>(y) * h.width)) {
      return false;
    }
  }
  return true;
}

// 1, 2, 4 or 8 bits a pixel, the leftmost pixel in the highest bits of a byte.
BmpResult DecodeIndexed(File file, const Header& h, DecodedBmp& out) {
  const std::vector<std::uint32_t> palette = ReadPalette(file, h);
  const int bits = h.bitsPerPixel;
  const std::uint32_t indexMask = (1u << bits) - 1;
  const bool ok = EachRow(file, h, out, [&](const std::uint8_t* row, std::uint32_t* pixels) {
    for (int x = 0; x < h.width; ++x) {
      const int bit = x * bits;
      const std::uint32_t index = (row[bit / 8] >> (8 - bits - bit % 8)) & indexMask;
      if (index >= palette.size()) return false;
      pixels[x] = palette[index];
    }
    return true;
  });
  return ok ? BmpResult::Ok : BmpResult::BadPaletteIndex;
}

BmpResult DecodeRgb24(File file, const Header& h, DecodedBmp& out) {
  EachRow(file, h, out, [&](const std::uint8_t* row, std::uint32_t* pixels) {
    for (int x = 0; x < h.width; ++x, row += 3) pixels[x] = Rgb(row[2], row[1], row[0]);
    return true;
  });
  return BmpResult::Ok;
}

// 16 or 32 bits a pixel, little-endian, channels where the masks say.
BmpResult DecodeMasked(File file, const Header& h, DecodedBmp& out) {
  const bmp::MaskChannel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]);
  const int bytes = h.bitsPerPixel / 8;
  EachRow(file, h, out, [&](const std::uint8_t* row, std::uint32_t* pixels) {
    for (int x = 0; x < h.width; ++x, row += bytes) {
      std::uint32_t value = 0;
      for (int i = bytes - 1; i >= 0; --i) value = value << 8 | row[i];
      pixels[x] = Rgb(red(value), green(value), blue(value));
    }
    return true;
  });
  return BmpResult::Ok;
}

BmpResult DecodeRle(File file, const Header& h, DecodedBmp& out) {
  const std::vector<std::uint32_t> palette = ReadPalette(file, h);
  std::ranges::fill(out.pixels, palette.front());
  const bmp::RleTarget target{h.bitsPerPixel, h.width, h.height, palette, out.pixels.data()};
  return bmp::ExpandRle(file.subspan(h.pixelOffset, h.pixelBytes), target);
}

using Decoder = BmpResult (*)(File, const Header&, DecodedBmp&);

struct DecoderFor {
  Encoding encoding;
  Decoder decode;
};

constexpr DecoderFor kDecoders[] = {
    {Encoding::Indexed, DecodeIndexed}, {Encoding::Rgb24, DecodeRgb24},
    {Encoding::Masked, DecodeMasked},   {Encoding::Rle8, DecodeRle},
    {Encoding::Rle4, DecodeRle},
};

}  // namespace

BmpResult DecodeBmp(std::span<const std::uint8_t> file, DecodedBmp& out, std::uint64_t maxPixels) {
  out = DecodedBmp{};
  Header header;
  if (BmpResult r = bmp::ReadHeader(file, maxPixels, header); r != BmpResult::Ok) return r;
  const std::size_t count = static_cast<std::size_t>(header.width) * header.height;
  if (!crt::MemoryAvailable(count * sizeof(std::uint32_t))) return BmpResult::NoMemory;
  DecodedBmp picture;
  picture.width = header.width;
  picture.height = header.height;
  picture.pixels.resize(count);
  for (const DecoderFor& d : kDecoders) {
    if (d.encoding != header.encoding) continue;
    const BmpResult r = d.decode(file, header, picture);
    if (r == BmpResult::Ok) out = std::move(picture);
    return r;
  }
  return BmpResult::Unsupported;
}

}  // namespace gdi
