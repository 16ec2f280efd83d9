#include "platform/gdi/ico_writer.h"

#include "platform/gdi/icon_format.h"

namespace gdi {
namespace {

void PutWord(std::vector<std::uint8_t>& b, unsigned v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}

void PutDword(std::vector<std::uint8_t>& b, std::uint32_t v) {
  PutWord(b, v & 0xFFFF);
  PutWord(b, v >> 16);
}

constexpr std::size_t kInfoHeaderBytes = 40;

std::size_t ColourStride(int width) { return (static_cast<std::size_t>(width) * 4 + 31) / 32 * 4; }
std::size_t MaskStride(int width) { return (static_cast<std::size_t>(width) + 31) / 32 * 4; }

std::size_t ImageBytes(const IconImage& image) {
  return kInfoHeaderBytes + 16 * 4 +
         (ColourStride(image.width) + MaskStride(image.width)) * image.height;
}

bool Writable(const IconImage& image) {
  return image.width > 0 && image.height > 0 && image.width <= kMaxIconSide &&
         image.height <= kMaxIconSide &&
         image.argb.size() >= static_cast<std::size_t>(image.width) * image.height;
}

void WriteImage(const IconImage& image, std::vector<std::uint8_t>& b) {
  const std::size_t colourStride = ColourStride(image.width), maskStride = MaskStride(image.width);
  PutDword(b, kInfoHeaderBytes);
  PutDword(b, static_cast<std::uint32_t>(image.width));
  PutDword(b, static_cast<std::uint32_t>(image.height * 2));  // colour rows and mask rows
  PutWord(b, 1);                                              // planes
  PutWord(b, 4);                                              // bits a pixel
  PutDword(b, 0);                                             // uncompressed
  PutDword(b, static_cast<std::uint32_t>((colourStride + maskStride) * image.height));
  PutDword(b, 0);
  PutDword(b, 0);
  PutDword(b, 0);  // colours used: all 16
  PutDword(b, 0);
  for (std::uint32_t c : kStandardPalette) {
    b.push_back(static_cast<std::uint8_t>(c));
    b.push_back(static_cast<std::uint8_t>(c >> 8));
    b.push_back(static_cast<std::uint8_t>(c >> 16));
    b.push_back(0);
  }
  auto pixel = [&](int x, int y) {
    return image.argb[static_cast<std::size_t>(y) * image.width + x];
  };
  auto transparent = [&](int x, int y) { return (pixel(x, y) >> 24) < 128; };
  // Both parts bottom-up; a transparent pixel is black under a set mask bit,
  // so that it leaves the screen as it was.
  for (int y = image.height - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(colourStride, 0);
    for (int x = 0; x < image.width; ++x) {
      const int index = transparent(x, y) ? 0 : NearestStandardColour(pixel(x, y) & 0xFFFFFF);
      row[x / 2] |= static_cast<std::uint8_t>(x % 2 == 0 ? index << 4 : index);
    }
    b.insert(b.end(), row.begin(), row.end());
  }
  for (int y = image.height - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(maskStride, 0);
    for (int x = 0; x < image.width; ++x) {
      if (transparent(x, y)) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
    b.insert(b.end(), row.begin(), row.end());
  }
}

}  // namespace

const std::array<std::uint32_t, 16> kStandardPalette = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

int NearestStandardColour(std::uint32_t rgb) {
  int best = 0;
  long bestDistance = -1;
  for (int i = 0; i < 16; ++i) {
    const std::uint32_t c = kStandardPalette[i];
    long d = 0;
    for (int shift : {16, 8, 0}) {
      const long delta = static_cast<long>((rgb >> shift) & 0xFF) - static_cast<long>((c >> shift) & 0xFF);
      d += delta * delta;
    }
    if (bestDistance < 0 || d < bestDistance) {
      best = i;
      bestDistance = d;
    }
  }
  return best;
}

std::vector<std::uint8_t> EncodeIco16(std::span<const IconImage> images) {
  if (images.empty() || images.size() > 0xFFFF) return {};
  for (const IconImage& image : images) {
    if (!Writable(image)) return {};
  }
  std::vector<std::uint8_t> b;
  PutWord(b, 0);  // reserved
  PutWord(b, 1);  // an icon, not a cursor
  PutWord(b, static_cast<unsigned>(images.size()));
  std::size_t offset = kIconDirHeaderBytes + kIcoFileEntryBytes * images.size();
  for (const IconImage& image : images) {
    b.push_back(static_cast<std::uint8_t>(image.width == 256 ? 0 : image.width));
    b.push_back(static_cast<std::uint8_t>(image.height == 256 ? 0 : image.height));
    b.push_back(16);  // colours
    b.push_back(0);
    PutWord(b, 1);
    PutWord(b, 4);
    PutDword(b, static_cast<std::uint32_t>(ImageBytes(image)));
    PutDword(b, static_cast<std::uint32_t>(offset));
    offset += ImageBytes(image);
  }
  for (const IconImage& image : images) WriteImage(image, b);
  return b;
}

}  // namespace gdi
