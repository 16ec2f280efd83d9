// SetPixel and GetPixel: one pixel through the context's origin and clip.
#include "platform/gdi/canvas.h"

using namespace gdi;

namespace {

// The target pixel under (x, y); empty when the context may not touch it.
RECT SpotOf(const DeviceContext& dc, int x, int y) {
  return DrawablePart(dc, x, y, std::int64_t{x} + 1, std::int64_t{y} + 1);
}

}  // namespace

COLORREF SetPixel(HDC handle, int x, int y, COLORREF color) {
  DeviceContext* dc = LookupDc(handle);
  if (dc == nullptr) return CLR_INVALID;
  const RECT spot = SpotOf(*dc, x, y);
  if (IsEmpty(spot)) return CLR_INVALID;
  std::uint32_t& pixel = dc->target->Row(spot.top)[spot.left];
  pixel = StoredPixel(*dc->target, color & 0xFFFFFF);
  dc->Touched(spot);
  // The colour the pixel really got: on monochrome, black or white.
  return ShownColor(*dc->target, pixel);
}

COLORREF GetPixel(HDC handle, int x, int y) {
  DeviceContext* dc = LookupDc(handle);
  if (dc == nullptr) return CLR_INVALID;
  const RECT spot = SpotOf(*dc, x, y);
  if (IsEmpty(spot)) return CLR_INVALID;
  return ShownColor(*dc->target, dc->target->Row(spot.top)[spot.left]);
}
