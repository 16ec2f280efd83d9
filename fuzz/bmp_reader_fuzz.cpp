// Any bytes at all as a bitmap file: decoding never reads out of bounds, and
// a picture it accepts is whole: width × height pixels, each side within the
// limit, no stray alpha. A refused one leaves nothing behind.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "platform/gdi/bmp_reader.h"

namespace {

// The bound LoadImageW decodes with, so that the largest picture a few bytes
// of RLE can ask for is tried as the game would meet it.
constexpr std::uint64_t kMaxPixels = gdi::kMaxBmpPixels;

bool Whole(const gdi::DecodedBmp& out) {
  const bool sides = out.width >= 1 && out.width <= gdi::kMaxBitmapSide && out.height >= 1 &&
                     out.height <= gdi::kMaxBitmapSide;
  const std::uint64_t count = static_cast<std::uint64_t>(out.width) * out.height;
  if (!sides || count > kMaxPixels || out.pixels.size() != count) return false;
  for (std::uint32_t pixel : out.pixels) {
    if (pixel > 0xFFFFFF) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  gdi::DecodedBmp out;
  const gdi::BmpResult result = gdi::DecodeBmp(std::span(data, size), out, kMaxPixels);
  if (result == gdi::BmpResult::Ok ? !Whole(out)
                                   : (!out.pixels.empty() || out.width != 0 || out.height != 0)) {
    std::abort();
  }
  return 0;
}
