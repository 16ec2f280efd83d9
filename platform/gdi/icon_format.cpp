#include "platform/gdi/icon_format.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace gdi {
namespace {

std::uint16_t Word(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

std::uint32_t Dword(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
         (static_cast<std::uint32_t>(b[at + 2]) << 16) |
         (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

constexpr std::size_t kInfoHeaderBytes = 40;

struct Layout {
  int width = 0;
  int height = 0;  // of the picture: half the header's
  int bits = 0;
  std::size_t headerBytes = 0;
  std::size_t paletteColours = 0;
  std::size_t colourStride = 0;
  std::size_t maskStride = 0;
};

constexpr std::uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', 13, 10, 26, 10};

IconImageResult ReadLayout(std::span<const std::uint8_t> bytes, Layout& l) {
  // Large icons may hold a compressed picture in place of the header; no
  // icon of ours does.
  if (bytes.size() >= sizeof kPngSignature &&
      std::equal(std::begin(kPngSignature), std::end(kPngSignature), bytes.begin())) {
    return IconImageResult::Unsupported;
  }
  if (bytes.size() < kInfoHeaderBytes) return IconImageResult::Truncated;
  l.headerBytes = Dword(bytes, 0);
  if (l.headerBytes < kInfoHeaderBytes) return IconImageResult::Malformed;
  if (l.headerBytes > bytes.size()) return IconImageResult::Truncated;
  const auto width = static_cast<std::int32_t>(Dword(bytes, 4));
  const auto doubled = static_cast<std::int32_t>(Dword(bytes, 8));
  const std::uint16_t planes = Word(bytes, 12);
  l.bits = Word(bytes, 14);
  const std::uint32_t compression = Dword(bytes, 16);
  const std::uint32_t coloursUsed = Dword(bytes, 32);
  // The header's height counts the colour rows and the mask rows.
  if (width <= 0 || doubled <= 0 || doubled % 2 != 0 || planes != 1) {
    return IconImageResult::Malformed;
  }
  if (width > kMaxIconSide || doubled / 2 > kMaxIconSide) return IconImageResult::TooLarge;
  if (compression != 0) return IconImageResult::Unsupported;
  if (l.bits != 1 && l.bits != 4 && l.bits != 8 && l.bits != 24 && l.bits != 32) {
    return IconImageResult::Unsupported;
  }
  l.width = width;
  l.height = doubled / 2;
  if (l.bits <= 8) {
    const std::size_t most = std::size_t{1} << l.bits;
    if (coloursUsed > most) return IconImageResult::Malformed;
    l.paletteColours = coloursUsed != 0 ? coloursUsed : most;
  }
  l.colourStride = (static_cast<std::size_t>(l.width) * l.bits + 31) / 32 * 4;
  l.maskStride = (static_cast<std::size_t>(l.width) + 31) / 32 * 4;
  // Sizes are small here (256 at most), so these sums cannot overflow.
  const std::size_t needed = l.headerBytes + l.paletteColours * 4 +
                             (l.colourStride + l.maskStride) * static_cast<std::size_t>(l.height);
  if (needed > bytes.size()) return IconImageResult::Truncated;
  return IconImageResult::Ok;
}

// The 0x00RRGGBB colour of pixel x in a bottom-up colour row.
std::uint32_t ColourAt(const Layout& l, std::span<const std::uint8_t> palette,
                       const std::uint8_t* row, int x) {
  if (l.bits >= 24) {
    const std::uint8_t* p = row + static_cast<std::size_t>(x) * (l.bits / 8);
    return (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
  }
  const std::size_t bit = static_cast<std::size_t>(x) * l.bits;
  const unsigned shift = 8 - l.bits - bit % 8;
  const unsigned index = (row[bit / 8] >> shift) & ((1u << l.bits) - 1);
  if (index >= l.paletteColours) return 0;  // a colour the palette lacks shows black
  const std::uint8_t* q = palette.data() + index * 4;
  return (std::uint32_t{q[2]} << 16) | (std::uint32_t{q[1]} << 8) | q[0];
}

}  // namespace

bool ParseIconGroup(std::span<const std::uint8_t> bytes, std::vector<IconGroupEntry>& entries) {
  if (bytes.size() < kIconDirHeaderBytes) return false;
  const std::uint16_t count = Word(bytes, 4);
  if (Word(bytes, 0) != 0 || Word(bytes, 2) != 1 || count == 0) return false;
  if (kIconDirHeaderBytes + count * kGroupEntryBytes > bytes.size()) return false;
  entries.clear();
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = kIconDirHeaderBytes + i * kGroupEntryBytes;
    IconGroupEntry e;
    e.width = bytes[at] == 0 ? 256 : bytes[at];
    e.height = bytes[at + 1] == 0 ? 256 : bytes[at + 1];
    e.colorCount = bytes[at + 2];
    e.planes = Word(bytes, at + 4);
    e.bitCount = Word(bytes, at + 6);
    e.bytesInRes = Dword(bytes, at + 8);
    e.id = Word(bytes, at + 12);
    entries.push_back(e);
  }
  return true;
}

std::size_t ChooseIconEntry(const std::vector<IconGroupEntry>& entries, int width, int height) {
  std::size_t best = 0;
  auto distance = [&](const IconGroupEntry& e) {
    return std::abs(e.width - width) + std::abs(e.height - height);
  };
  for (std::size_t i = 1; i < entries.size(); ++i) {
    const int d = distance(entries[i]), bestD = distance(entries[best]);
    // On a tie of distance the larger image, as shrinking loses less than
    // growing; then the deeper colours.
    if (d < bestD || (d == bestD && entries[i].width > entries[best].width) ||
        (d == bestD && entries[i].width == entries[best].width &&
         entries[i].bitCount > entries[best].bitCount)) {
      best = i;
    }
  }
  return best;
}

IconImageResult DecodeIconImage(std::span<const std::uint8_t> bytes, IconImage& image) {
  Layout l;
  if (IconImageResult r = ReadLayout(bytes, l); r != IconImageResult::Ok) return r;
  const std::span<const std::uint8_t> palette = bytes.subspan(l.headerBytes, l.paletteColours * 4);
  const std::uint8_t* colours = palette.data() + palette.size();
  const std::uint8_t* mask = colours + l.colourStride * l.height;

  IconImage out;
  out.width = l.width;
  out.height = l.height;
  out.argb.assign(static_cast<std::size_t>(l.width) * l.height, 0);
  std::vector<bool> masked(out.argb.size());
  bool anyAlpha = false;
  for (int y = 0; y < l.height; ++y) {
    const std::size_t stored = static_cast<std::size_t>(l.height - 1 - y);  // rows are bottom-up
    const std::uint8_t* colourRow = colours + stored * l.colourStride;
    const std::uint8_t* maskRow = mask + stored * l.maskStride;
    const std::size_t first = static_cast<std::size_t>(y) * l.width;
    for (int x = 0; x < l.width; ++x) {
      std::uint32_t argb = ColourAt(l, palette, colourRow, x);
      if (l.bits == 32) {
        argb |= std::uint32_t{colourRow[static_cast<std::size_t>(x) * 4 + 3]} << 24;
        anyAlpha = anyAlpha || (argb >> 24) != 0;
      }
      out.argb[first + x] = argb;
      masked[first + x] = ((maskRow[x / 8] >> (7 - x % 8)) & 1) != 0;
    }
  }
  // Without an alpha channel of its own the mask alone says what shows.
  if (!anyAlpha) {
    for (std::size_t i = 0; i < out.argb.size(); ++i) {
      out.argb[i] = masked[i] ? 0 : (out.argb[i] | 0xFF000000);
    }
  }
  image = std::move(out);
  return IconImageResult::Ok;
}

}  // namespace gdi
