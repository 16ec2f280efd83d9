#include "platform/gdi/canvas.h"

#include <algorithm>

namespace gdi {
namespace {

// System colour indexes plus one that a brush argument may carry instead of
// a handle; the highest is the menu bar's.
constexpr std::uintptr_t kLastSystemColorBrush = COLOR_MENUBAR + 1;

LONG ClampToLong(std::int64_t value, LONG low, LONG high) {
  return static_cast<LONG>(std::clamp<std::int64_t>(value, low, high));
}

}  // namespace

RECT UnionOf(const RECT& a, const RECT& b) {
  if (IsEmpty(a)) return b;
  if (IsEmpty(b)) return a;
  return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
              std::max(a.bottom, b.bottom)};
}

RECT DrawablePart(const DeviceContext& dc, std::int64_t left, std::int64_t top, std::int64_t right,
                  std::int64_t bottom) {
  const RECT area = dc.DrawableArea();
  const RECT moved{ClampToLong(left + dc.origin.x, area.left, area.right),
                   ClampToLong(top + dc.origin.y, area.top, area.bottom),
                   ClampToLong(right + dc.origin.x, area.left, area.right),
                   ClampToLong(bottom + dc.origin.y, area.top, area.bottom)};
  return IsEmpty(moved) ? RECT{0, 0, 0, 0} : moved;
}

std::uint32_t StoredPixel(const Bitmap& target, COLORREF color) {
  if (!target.Monochrome()) return PixelFromColor(color);
  // Nearer of black and white by distance in colour space: the sum of the
  // channels decides, halfway being 3 * 127.5.
  const unsigned sum = (color & 0xFF) + ((color >> 8) & 0xFF) + ((color >> 16) & 0xFF);
  return sum > 382 ? 1u : 0u;
}

COLORREF ShownColor(const Bitmap& target, std::uint32_t pixel) {
  if (target.Monochrome()) return pixel != 0 ? 0xFFFFFF : 0x000000;
  return ColorFromPixel(pixel);
}

bool BrushColor(HBRUSH brush, COLORREF* color) {
  const auto value = reinterpret_cast<std::uintptr_t>(brush);
  if (value >= 1 && value <= kLastSystemColorBrush) {
    *color = GetSysColor(static_cast<int>(value - 1));
    return true;
  }
  return BrushColor(LookupBrush(brush), color);
}

bool BrushColor(const Brush* brush, COLORREF* color) {
  if (brush == nullptr || brush->style == BS_NULL) return false;
  *color = brush->color;
  return true;
}

void FillArea(Bitmap& target, const RECT& area, std::uint32_t pixel) {
  for (LONG y = area.top; y < area.bottom; ++y) {
    std::uint32_t* row = target.Row(y);
    std::fill(row + area.left, row + area.right, pixel);
  }
}

void InvertArea(Bitmap& target, const RECT& area) {
  const std::uint32_t all = target.Monochrome() ? 1u : 0xFFFFFFu;
  for (LONG y = area.top; y < area.bottom; ++y) {
    std::uint32_t* row = target.Row(y);
    for (LONG x = area.left; x < area.right; ++x) row[x] ^= all;
  }
}

}  // namespace gdi
