#include "platform/gdi/bmp_header.h"

#include <algorithm>
#include <cstdlib>

namespace gdi::bmp {
namespace {

constexpr std::size_t kFileHeaderBytes = 14;
// Bit masks sit right after the 40-byte part of the info header: in the longer
// headers as their next fields, after a 40-byte one as extra words.
constexpr std::size_t kMasksOffset = kFileHeaderBytes + 40;

// The sizes the info header comes in. 12 is the oldest form (16-bit sides,
// 3-byte palette entries); 16 and 64 a variant whose compressions 3 and 4 mean
// something else than bit fields and JPEG.
constexpr std::uint32_t kHeaderSizes[] = {12, 16, 40, 52, 56, 64, 108, 124};
constexpr std::uint32_t kOldestHeader = 12;

// Depths a header may state; only some of them are decoded (see kFormats).
constexpr std::uint32_t kKnownDepths[] = {0, 1, 2, 4, 8, 16, 24, 32, 64};

// No scanner or screen comes near this many pixels per metre (25 400 per
// inch); a header claiming more is damaged, not just unusual.
constexpr std::int64_t kMaxDensity = 1'000'000;

enum Compression : std::uint32_t {
  kRgb = 0,
  kRle8 = 1,
  kRle4 = 2,
  kBitFields = 3,
  kAlphaBitFields = 6,
};

struct Format {
  std::uint32_t bitsPerPixel;
  std::uint32_t compression;
  Encoding encoding;
  int storedMasks;  // masks in the file; 0 takes the depth's default masks
};

constexpr Format kFormats[] = {
    {1, kRgb, Encoding::Indexed, 0},
    {2, kRgb, Encoding::Indexed, 0},
    {4, kRgb, Encoding::Indexed, 0},
    {8, kRgb, Encoding::Indexed, 0},
    {16, kRgb, Encoding::Masked, 0},
    {24, kRgb, Encoding::Rgb24, 0},
    {32, kRgb, Encoding::Masked, 0},
    {8, kRle8, Encoding::Rle8, 0},
    {4, kRle4, Encoding::Rle4, 0},
    {16, kBitFields, Encoding::Masked, 3},
    {32, kBitFields, Encoding::Masked, 3},
    {16, kAlphaBitFields, Encoding::Masked, 4},
    {32, kAlphaBitFields, Encoding::Masked, 4},
};

struct DefaultMasks {
  std::uint32_t bitsPerPixel;
  std::array<std::uint32_t, 3> masks;
};

constexpr DefaultMasks kDefaultMasks[] = {
    {16, {0x7C00, 0x03E0, 0x001F}},
    {32, {0xFF0000, 0x00FF00, 0x0000FF}},
};

// The header's values as stored, before any of them is trusted.
struct Fields {
  std::uint32_t fileSize = 0;
  std::uint32_t pixelOffset = 0;
  std::uint32_t headerSize = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;
  std::uint32_t planes = 0;
  std::uint32_t bitsPerPixel = 0;
  std::uint32_t compression = kRgb;
  std::uint32_t imageSize = 0;
  std::int64_t xDensity = 0;
  std::int64_t yDensity = 0;
  std::uint32_t colorsUsed = 0;

  bool Oldest() const { return headerSize == kOldestHeader; }
  bool Variant() const { return headerSize == 16 || headerSize == 64; }
  std::size_t End() const { return kFileHeaderBytes + headerSize; }
};

std::uint32_t Get16(std::span<const std::uint8_t> f, std::size_t at) {
  return f[at] | static_cast<std::uint32_t>(f[at + 1]) << 8;
}

std::uint32_t Get32(std::span<const std::uint8_t> f, std::size_t at) {
  return Get16(f, at) | Get16(f, at + 2) << 16;
}

std::int64_t Signed32(std::uint32_t value) {
  return static_cast<std::int32_t>(value);
}

// A field that shorter headers leave out; absent fields read as 0.
std::uint32_t Optional32(std::span<const std::uint8_t> f, const Fields& h, std::size_t at) {
  return at + 4 <= h.End() ? Get32(f, at) : 0;
}

BmpResult ReadFields(std::span<const std::uint8_t> f, Fields& h) {
  if (f.size() < 2) return BmpResult::Truncated;
  if (f[0] != 'B' || f[1] != 'M') return BmpResult::BadHeader;
  if (f.size() < kFileHeaderBytes + 4) return BmpResult::Truncated;
  h.fileSize = Get32(f, 2);
  h.pixelOffset = Get32(f, 10);
  h.headerSize = Get32(f, 14);
  if (std::ranges::find(kHeaderSizes, h.headerSize) == std::end(kHeaderSizes)) {
    return BmpResult::BadHeader;
  }
  if (f.size() < h.End()) return BmpResult::Truncated;
  if (h.Oldest()) {
    h.width = Get16(f, 18);
    h.height = Get16(f, 20);
    h.planes = Get16(f, 22);
    h.bitsPerPixel = Get16(f, 24);
    return BmpResult::Ok;
  }
  h.width = Signed32(Get32(f, 18));
  h.height = Signed32(Get32(f, 22));
  h.planes = Get16(f, 26);
  h.bitsPerPixel = Get16(f, 28);
  h.compression = Optional32(f, h, 30);
  h.imageSize = Optional32(f, h, 34);
  h.xDensity = Signed32(Optional32(f, h, 38));
  h.yDensity = Signed32(Optional32(f, h, 42));
  h.colorsUsed = Optional32(f, h, 46);
  return BmpResult::Ok;
}

BmpResult CheckShape(const Fields& h) {
  const bool knownDepth = std::ranges::find(kKnownDepths, h.bitsPerPixel) != std::end(kKnownDepths);
  if (h.planes != 1 || !knownDepth || h.width <= 0 || h.height == 0) return BmpResult::BadHeader;
  if (std::llabs(h.xDensity) > kMaxDensity || std::llabs(h.yDensity) > kMaxDensity) {
    return BmpResult::BadHeader;
  }
  return BmpResult::Ok;
}

const Format* FindFormat(const Fields& h) {
  if (h.Variant() && h.compression >= kBitFields) return nullptr;  // Huffman, 24-bit RLE
  for (const Format& format : kFormats) {
    if (format.bitsPerPixel == h.bitsPerPixel && format.compression == h.compression) {
      return &format;
    }
  }
  return nullptr;
}

BmpResult CheckSize(const Fields& h, std::uint64_t maxPixels) {
  const std::uint64_t width = static_cast<std::uint64_t>(h.width);
  const std::uint64_t rows = static_cast<std::uint64_t>(std::llabs(h.height));
  if (width > kMaxBitmapSide || rows > kMaxBitmapSide || width * rows > maxPixels) {
    return BmpResult::TooLarge;
  }
  return BmpResult::Ok;
}

// Sets out.masks for a masked picture; `end` becomes the end of the header
// and of any masks stored after it.
BmpResult ReadMasks(std::span<const std::uint8_t> f, const Fields& h, const Format& format,
                    Header& out, std::size_t& end) {
  end = h.End();
  if (format.encoding != Encoding::Masked) return BmpResult::Ok;
  if (format.storedMasks == 0) {
    for (const DefaultMasks& d : kDefaultMasks) {
      if (d.bitsPerPixel == h.bitsPerPixel) out.masks = d.masks;
    }
    return BmpResult::Ok;
  }
  end = std::max(end, kMasksOffset + 4 * static_cast<std::size_t>(format.storedMasks));
  if (f.size() < end) return BmpResult::Truncated;
  for (std::size_t i = 0; i < out.masks.size(); ++i) out.masks[i] = Get32(f, kMasksOffset + 4 * i);
  const std::uint64_t pixelRange = (std::uint64_t{1} << h.bitsPerPixel) - 1;
  for (std::uint32_t mask : out.masks) {
    if (mask == 0 || (mask & ~pixelRange) != 0) return BmpResult::BadHeader;
  }
  return BmpResult::Ok;
}

// A stated colour count must fit in the file. Without one, the full palette of
// the depth is assumed, cut short where the pixels begin: old writers stored
// only the colours they used and let the pixel offset say so.
BmpResult ReadPalette(std::span<const std::uint8_t> f, const Fields& h, Header& out) {
  if (out.encoding == Encoding::Rgb24 || out.encoding == Encoding::Masked) return BmpResult::Ok;
  out.paletteEntrySize = h.Oldest() ? 3 : 4;
  const std::uint64_t capacity = std::uint64_t{1} << h.bitsPerPixel;
  std::uint64_t stored = h.colorsUsed;
  if (stored == 0) {
    stored = std::min<std::uint64_t>(capacity,
                                     (out.pixelOffset - out.paletteOffset) / out.paletteEntrySize);
  }
  if (stored == 0) return BmpResult::BadHeader;
  if (out.paletteOffset + stored * out.paletteEntrySize > f.size()) return BmpResult::Truncated;
  out.paletteCount = static_cast<std::size_t>(std::min(stored, capacity));
  return BmpResult::Ok;
}

BmpResult LocatePixels(std::span<const std::uint8_t> f, const Fields& h, Header& out) {
  const std::size_t available = f.size() - out.pixelOffset;
  if (h.imageSize > available || h.fileSize > f.size()) return BmpResult::Truncated;
  if (out.encoding == Encoding::Rle8 || out.encoding == Encoding::Rle4) {
    out.pixelBytes = h.imageSize != 0 ? h.imageSize : available;
    return BmpResult::Ok;
  }
  const std::uint64_t rows = static_cast<std::uint64_t>(out.RowBytes()) * out.height;
  if (rows > available) return BmpResult::Truncated;
  out.pixelBytes = static_cast<std::size_t>(rows);
  return BmpResult::Ok;
}

}  // namespace

std::size_t Header::RowBytes() const {
  return (static_cast<std::size_t>(width) * bitsPerPixel + 31) / 32 * 4;
}

BmpResult ReadHeader(std::span<const std::uint8_t> file, std::uint64_t maxPixels, Header& out) {
  Fields h;
  if (BmpResult r = ReadFields(file, h); r != BmpResult::Ok) return r;
  if (BmpResult r = CheckShape(h); r != BmpResult::Ok) return r;
  const Format* format = FindFormat(h);
  if (format == nullptr) return BmpResult::Unsupported;
  const bool rle = format->encoding == Encoding::Rle8 || format->encoding == Encoding::Rle4;
  if (rle && h.height < 0) return BmpResult::BadHeader;  // RLE runs only bottom-up
  if (BmpResult r = CheckSize(h, maxPixels); r != BmpResult::Ok) return r;

  Header header;
  header.width = static_cast<int>(h.width);
  header.height = static_cast<int>(std::llabs(h.height));
  header.topDown = h.height < 0;
  header.bitsPerPixel = static_cast<int>(h.bitsPerPixel);
  header.encoding = format->encoding;
  std::size_t headersEnd = 0;
  if (BmpResult r = ReadMasks(file, h, *format, header, headersEnd); r != BmpResult::Ok) return r;
  if (h.pixelOffset < headersEnd) return BmpResult::BadHeader;
  if (h.pixelOffset > file.size()) return BmpResult::Truncated;
  header.pixelOffset = h.pixelOffset;
  header.paletteOffset = headersEnd;
  if (BmpResult r = ReadPalette(file, h, header); r != BmpResult::Ok) return r;
  if (BmpResult r = LocatePixels(file, h, header); r != BmpResult::Ok) return r;
  out = header;
  return BmpResult::Ok;
}

}  // namespace gdi::bmp
