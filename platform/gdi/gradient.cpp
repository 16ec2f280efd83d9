// GradientFill with rectangles: the colour runs linearly from one vertex's
// colour at the first column (or row) to the other's at the last.
#include <algorithm>
#include <vector>

#include "platform/api/kernel.h"
#include "platform/gdi/canvas.h"

using namespace gdi;

namespace {

struct Channels {
  std::int64_t red, green, blue;  // 16 bits each, as the vertices give them
};

Channels ChannelsOf(const TRIVERTEX& v) {
  return Channels{v.Red, v.Green, v.Blue};
}

// Position i of n, rounded to nearest: exactly `from` at 0 and `to` at
// n - 1. A vertex channel's high byte is the colour's channel.
COLORREF Blend(const Channels& from, const Channels& to, std::int64_t i, std::int64_t n) {
  auto mix = [&](std::int64_t a, std::int64_t b) {
    if (n <= 1) return static_cast<BYTE>(a >> 8);
    return static_cast<BYTE>(((a * (n - 1 - i) + b * i + (n - 1) / 2) / (n - 1)) >> 8);
  };
  return RGB(mix(from.red, to.red), mix(from.green, to.green), mix(from.blue, to.blue));
}

void FillHorizontal(Bitmap& target, const RECT& part, std::int64_t left, std::int64_t width,
                    const Channels& from, const Channels& to) {
  std::vector<std::uint32_t> row(static_cast<std::size_t>(part.right - part.left));
  for (LONG x = part.left; x < part.right; ++x) {
    row[static_cast<std::size_t>(x - part.left)] =
        StoredPixel(target, Blend(from, to, x - left, width));
  }
  for (LONG y = part.top; y < part.bottom; ++y) {
    std::copy(row.begin(), row.end(), target.Row(y) + part.left);
  }
}

void FillVertical(Bitmap& target, const RECT& part, std::int64_t top, std::int64_t height,
                  const Channels& from, const Channels& to) {
  for (LONG y = part.top; y < part.bottom; ++y) {
    const std::uint32_t pixel = StoredPixel(target, Blend(from, to, y - top, height));
    std::fill(target.Row(y) + part.left, target.Row(y) + part.right, pixel);
  }
}

// Caller checked the vertices; returns the area changed.
RECT FillGradientRect(DeviceContext& dc, const TRIVERTEX& a, const TRIVERTEX& b, bool vertical) {
  const std::int64_t left = std::min(a.x, b.x), right = std::max(a.x, b.x);
  const std::int64_t top = std::min(a.y, b.y), bottom = std::max(a.y, b.y);
  const RECT part = DrawablePart(dc, left, top, right, bottom);
  if (IsEmpty(part)) return part;
  // The colour of the vertex that lies first along the gradient comes first.
  const bool swapped = vertical ? a.y > b.y : a.x > b.x;
  const Channels from = ChannelsOf(swapped ? b : a), to = ChannelsOf(swapped ? a : b);
  if (vertical) {
    FillVertical(*dc.target, part, top + dc.origin.y, bottom - top, from, to);
  } else {
    FillHorizontal(*dc.target, part, left + dc.origin.x, right - left, from, to);
  }
  return part;
}

bool ValidMesh(const GRADIENT_RECT* rects, ULONG count, ULONG vertexCount) {
  return std::all_of(rects, rects + count, [&](const GRADIENT_RECT& r) {
    return r.UpperLeft < vertexCount && r.LowerRight < vertexCount;
  });
}

BOOL Refuse() {
  SetLastError(ERROR_INVALID_PARAMETER);
  return FALSE;
}

}  // namespace

BOOL GradientFill(HDC handle, TRIVERTEX* vertices, ULONG vertexCount, PVOID mesh, ULONG meshCount,
                  ULONG mode) {
  DeviceContext* dc = LookupDc(handle);
  if (dc == nullptr) return FALSE;
  if (mode != GRADIENT_FILL_RECT_H && mode != GRADIENT_FILL_RECT_V) return Refuse();
  if (meshCount == 0) return TRUE;
  if (vertices == nullptr || mesh == nullptr) return Refuse();
  const auto* rects = static_cast<const GRADIENT_RECT*>(mesh);
  // Every index is checked before anything is drawn: a bad mesh draws nothing.
  if (!ValidMesh(rects, meshCount, vertexCount)) return Refuse();
  for (ULONG i = 0; i < meshCount; ++i) {
    dc->Touched(FillGradientRect(*dc, vertices[rects[i].UpperLeft], vertices[rects[i].LowerRight],
                                 mode == GRADIENT_FILL_RECT_V));
  }
  return TRUE;
}
