// Icons as the executable keeps them: a group directory (RT_GROUP_ICON) that
// lists the images of one icon, and each image (RT_ICON) as an information
// header, a palette, the colour bits and the transparency mask. The same
// image layout sits inside an .ico file; only the directories differ.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/gdi/objects.h"

namespace gdi {

// One line of a group directory (a 14-byte entry). A width or height byte of
// 0 means 256.
struct IconGroupEntry {
  int width = 0;
  int height = 0;
  int colorCount = 0;
  int planes = 0;
  int bitCount = 0;
  std::uint32_t bytesInRes = 0;
  std::uint16_t id = 0;
};

constexpr std::size_t kIconDirHeaderBytes = 6;
constexpr std::size_t kGroupEntryBytes = 14;
constexpr std::size_t kIcoFileEntryBytes = 16;

// The entries of a group directory; false when it is not one or is cut short.
bool ParseIconGroup(std::span<const std::uint8_t> bytes, std::vector<IconGroupEntry>& entries);

// The entry whose image suits the size best: the nearest size, then the most
// colours. `entries` must not be empty.
std::size_t ChooseIconEntry(const std::vector<IconGroupEntry>& entries, int width, int height);

enum class IconImageResult {
  Ok,
  Truncated,    // the header, palette, colour bits or mask run past the end
  Malformed,    // a header that describes no icon image (height not doubled, ...)
  Unsupported,  // compressed (or a PNG) or a depth other than 1, 4, 8, 24 or 32 bits
  TooLarge,     // wider or taller than any icon may be
};

// The largest side of an icon image.
constexpr int kMaxIconSide = 256;

// Decodes one image: pixels come out top-down as 0xAARRGGBB, transparent
// (0) where the mask is set. For 32 bits the image's own alpha is used when
// any pixel has some, else the mask. `image` is left alone on failure.
IconImageResult DecodeIconImage(std::span<const std::uint8_t> bytes, IconImage& image);

}  // namespace gdi
