// Rectangle and Ellipse: the interior in the brush, the outline in the pen.
//
// The figure of a box (left, top, right, bottom) covers left .. right - 1 by
// top .. bottom - 1. A one-pixel pen draws its outline on the outermost
// pixels of that area; a wider pen is centred on them (for PS_INSIDEFRAME it
// grows inwards only). With the null pen the interior covers the whole
// area. The system this layer stands in for leaves the last column and row
// empty in that case, but every caller here gives a box as left, top, width
// and height and means all of it: a filled rectangle without border must
// meet its neighbours, and the ball, a 17 x 17 disc drawn with the null pen
// and erased as a 17 x 17 rectangle, must be 17 pixels across in both
// directions to be round and centred where its movement puts it.
//
// Pen styles other than PS_NULL draw solid lines: the program draws no
// dashes.
#include <algorithm>
#include <cmath>

#include "platform/gdi/canvas.h"

using namespace gdi;

namespace {

struct Box {
  std::int64_t left, top, right, bottom;
};

bool IsEmpty(const Box& box) {
  return box.right <= box.left || box.bottom <= box.top;
}

// The outline lies between `outer` and `inner`, the interior inside `inner`;
// target pixels.
struct Rings {
  Box outer;
  Box inner;
  bool outline;
  bool interior;
  std::uint32_t penPixel;
  std::uint32_t brushPixel;
};

Rings RingsOf(const DeviceContext& dc, int left, int top, int right, int bottom) {
  Box box{std::min(left, right) + std::int64_t{dc.origin.x},
          std::min(top, bottom) + std::int64_t{dc.origin.y},
          std::max(left, right) + std::int64_t{dc.origin.x},
          std::max(top, bottom) + std::int64_t{dc.origin.y}};
  Rings rings{box, box, false, false, 0, 0};
  COLORREF brush = 0;
  rings.interior = BrushColor(dc.brush, &brush);
  rings.brushPixel = StoredPixel(*dc.target, brush);
  const Pen* pen = dc.pen;
  if (pen == nullptr || pen->style == PS_NULL) return rings;
  rings.outline = true;
  rings.penPixel = StoredPixel(*dc.target, pen->color);
  const std::int64_t width = std::max(pen->width, 1);
  // How far the pen reaches beyond the outermost pixels and inside them.
  const std::int64_t out = pen->style == PS_INSIDEFRAME ? 0 : width / 2;
  const std::int64_t in = width - 1 - out;
  rings.outer = Box{box.left - out, box.top - out, box.right + out, box.bottom + out};
  rings.inner = Box{box.left + in + 1, box.top + in + 1, box.right - in - 1, box.bottom - in - 1};
  return rings;
}

// Fills the drawable part of a box and says which part that was.
RECT Fill(DeviceContext& dc, const Box& box, std::uint32_t pixel) {
  if (IsEmpty(box)) return RECT{0, 0, 0, 0};
  const RECT part = DrawablePart(dc, box.left - dc.origin.x, box.top - dc.origin.y,
                                 box.right - dc.origin.x, box.bottom - dc.origin.y);
  if (!gdi::IsEmpty(part)) FillArea(*dc.target, part, pixel);
  return part;
}

RECT DrawRectangle(DeviceContext& dc, const Rings& r) {
  RECT changed{0, 0, 0, 0};
  if (r.interior) changed = Fill(dc, r.inner, r.brushPixel);
  if (!r.outline) return changed;
  if (IsEmpty(r.inner)) return UnionOf(changed, Fill(dc, r.outer, r.penPixel));
  const Box strips[] = {
      {r.outer.left, r.outer.top, r.outer.right, r.inner.top},
      {r.outer.left, r.inner.bottom, r.outer.right, r.outer.bottom},
      {r.outer.left, r.inner.top, r.inner.left, r.inner.bottom},
      {r.inner.right, r.inner.top, r.outer.right, r.inner.bottom},
  };
  for (const Box& strip : strips) changed = UnionOf(changed, Fill(dc, strip, r.penPixel));
  return changed;
}

struct Span {
  std::int64_t left, right;  // right exclusive; empty when right <= left
};

// The pixels of row y whose centres lie inside the ellipse inscribed in the
// box. Worked out as an inset from both sides at once, so every row is
// symmetric about the box's centre, and since only the row's distance from
// the centre counts, so is the whole figure.
Span EllipseRow(const Box& box, std::int64_t y) {
  if (IsEmpty(box) || y < box.top || y >= box.bottom) return Span{0, 0};
  const double w = static_cast<double>(box.right - box.left);
  const double h = static_cast<double>(box.bottom - box.top);
  // Doubled units: centre offsets of pixel centres are then whole numbers.
  const double dy = static_cast<double>(2 * y + 1 - (box.top + box.bottom));
  const double half = w * std::sqrt(std::max(0.0, h * h - dy * dy)) / h;
  const auto inset = static_cast<std::int64_t>(std::ceil((w - half - 1) / 2));
  const std::int64_t clamped = std::max<std::int64_t>(inset, 0);
  return Span{box.left + clamped, box.right - clamped};
}

RECT FillSpan(DeviceContext& dc, std::int64_t y, std::int64_t left, std::int64_t right,
              std::uint32_t pixel) {
  return Fill(dc, Box{left, y, right, y + 1}, pixel);
}

RECT DrawEllipse(DeviceContext& dc, const Rings& r) {
  const RECT area = dc.DrawableArea();
  const std::int64_t top = std::max<std::int64_t>(r.outer.top, area.top);
  const std::int64_t bottom = std::min<std::int64_t>(r.outer.bottom, area.bottom);
  RECT changed{0, 0, 0, 0};
  for (std::int64_t y = top; y < bottom; ++y) {
    const Span outer = EllipseRow(r.outer, y);
    Span inner = r.outline ? EllipseRow(r.inner, y) : outer;
    if (inner.right <= inner.left) inner = Span{outer.right, outer.right};
    inner.left = std::clamp(inner.left, outer.left, outer.right);
    inner.right = std::clamp(inner.right, inner.left, outer.right);
    if (r.interior)
      changed = UnionOf(changed, FillSpan(dc, y, inner.left, inner.right, r.brushPixel));
    if (!r.outline) continue;
    changed = UnionOf(changed, FillSpan(dc, y, outer.left, inner.left, r.penPixel));
    changed = UnionOf(changed, FillSpan(dc, y, inner.right, outer.right, r.penPixel));
  }
  return changed;
}

template <typename Draw>
BOOL DrawShape(HDC handle, int left, int top, int right, int bottom, Draw draw) {
  DeviceContext* dc = LookupDc(handle);
  if (dc == nullptr) return FALSE;
  if (gdi::IsEmpty(dc->DrawableArea())) return TRUE;
  const Rings rings = RingsOf(*dc, left, top, right, bottom);
  if (IsEmpty(rings.outer)) return TRUE;
  dc->Touched(draw(*dc, rings));
  return TRUE;
}

}  // namespace

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) {
  return DrawShape(dc, left, top, right, bottom, DrawRectangle);
}

BOOL Ellipse(HDC dc, int left, int top, int right, int bottom) {
  return DrawShape(dc, left, top, right, bottom, DrawEllipse);
}
