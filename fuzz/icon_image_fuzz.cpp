// Any bytes at all as an icon image and as an icon group: decoding never
// reads out of bounds, an image it accepts is whole (width × height pixels,
// each side within the limit), and a refused one leaves the result alone.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "platform/gdi/icon_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  gdi::IconImage image;
  image.width = -1;
  if (gdi::DecodeIconImage(bytes, image) == gdi::IconImageResult::Ok) {
    const bool sides = image.width >= 1 && image.width <= gdi::kMaxIconSide &&
                       image.height >= 1 && image.height <= gdi::kMaxIconSide;
    if (!sides || image.argb.size() != static_cast<std::size_t>(image.width) * image.height) {
      std::abort();
    }
  } else if (image.width != -1 || !image.argb.empty()) {
    std::abort();
  }
  std::vector<gdi::IconGroupEntry> entries;
  if (gdi::ParseIconGroup(bytes, entries)) {
    if (entries.empty()) std::abort();
    if (gdi::ChooseIconEntry(entries, 32, 32) >= entries.size()) std::abort();
  }
  return 0;
}
