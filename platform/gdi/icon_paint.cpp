// DrawIconEx: picks the icon's image nearest the size asked for, stretches
// it to that size (nearest pixel) and blends it over the destination by its
// alpha.
#include <cstdlib>

#include "platform/api/kernel.h"
#include "platform/gdi/canvas.h"

using namespace gdi;

namespace {

// The size the system draws icons at when asked for its default.
constexpr int kSystemIconSize = 32;

const IconImage& Nearest(const Icon& icon, int width, int height) {
  const IconImage* best = &icon.images.front();
  auto distance = [&](const IconImage& image) {
    return std::abs(image.width - width) + std::abs(image.height - height);
  };
  for (const IconImage& image : icon.images) {
    const int d = distance(image), bestD = distance(*best);
    // On a tie the larger image: shrinking loses less than growing.
    if (d < bestD || (d == bestD && image.width > best->width)) best = &image;
  }
  return *best;
}

BYTE Mix(COLORREF over, COLORREF under, int shift, unsigned alpha) {
  const unsigned o = (over >> shift) & 0xFF, u = (under >> shift) & 0xFF;
  return static_cast<BYTE>((o * alpha + u * (255 - alpha) + 127) / 255);
}

// What one icon pixel (0xAARRGGBB) makes of the pixel under it.
COLORREF Painted(std::uint32_t argb, COLORREF under, UINT flags) {
  unsigned alpha = argb >> 24;
  COLORREF over = ColorFromPixel(argb & 0xFFFFFF);
  if ((flags & DI_NORMAL) == DI_IMAGE) alpha = 255;  // the image alone: no mask
  if ((flags & DI_NORMAL) == DI_MASK) over = 0;      // the mask alone: black where opaque
  return RGB(Mix(over, under, 0, alpha), Mix(over, under, 8, alpha), Mix(over, under, 16, alpha));
}

void Paint(DeviceContext& dc, const RECT& part, std::int64_t left, std::int64_t top, int width,
           int height, const IconImage& image, UINT flags) {
  Bitmap& target = *dc.target;
  for (LONG y = part.top; y < part.bottom; ++y) {
    const std::int64_t sy = (2 * (y - top) + 1) * image.height / (2 * height);
    const std::uint32_t* in = image.argb.data() + sy * image.width;
    std::uint32_t* out = target.Row(y);
    for (LONG x = part.left; x < part.right; ++x) {
      const std::int64_t sx = (2 * (x - left) + 1) * image.width / (2 * width);
      out[x] = StoredPixel(target, Painted(in[sx], ShownColor(target, out[x]), flags));
    }
  }
}

bool Usable(const IconImage& image) {
  return image.width > 0 && image.height > 0 &&
         image.argb.size() >= static_cast<std::size_t>(image.width) * image.height;
}

}  // namespace

BOOL DrawIconEx(HDC handle, int x, int y, HICON iconHandle, int width, int height, UINT /*frame*/,
                HBRUSH flickerFreeBrush, UINT flags) {
  DeviceContext* dc = LookupDc(handle);
  if (dc == nullptr) return FALSE;
  const Icon* icon = LookupIcon(iconHandle);
  if (icon == nullptr) return FALSE;
  if (icon->images.empty() || width < 0 || height < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  // Size 0 is the system's icon size with DI_DEFAULTSIZE, else the icon's
  // own: that of the image the system would pick for its icon size.
  const IconImage& natural = Nearest(*icon, kSystemIconSize, kSystemIconSize);
  const bool systemSize = (flags & DI_DEFAULTSIZE) != 0;
  if (width == 0) width = systemSize ? kSystemIconSize : natural.width;
  if (height == 0) height = systemSize ? kSystemIconSize : natural.height;
  const IconImage& image = Nearest(*icon, width, height);
  if (!Usable(image)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const RECT part = DrawablePart(*dc, x, y, std::int64_t{x} + width, std::int64_t{y} + height);
  if (IsEmpty(part)) return TRUE;
  // Drawing through a buffer first filled with this brush comes to the same
  // as filling the area and drawing over it.
  COLORREF background = 0;
  if (flickerFreeBrush != nullptr && BrushColor(flickerFreeBrush, &background)) {
    FillArea(*dc->target, part, StoredPixel(*dc->target, background));
  }
  if ((flags & DI_NORMAL) != 0) {
    Paint(*dc, part, std::int64_t{x} + dc->origin.x, std::int64_t{y} + dc->origin.y, width, height,
          image, flags);
  }
  dc->Touched(part);
  return TRUE;
}
