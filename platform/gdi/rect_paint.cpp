// FillRect, FrameRect and DrawFocusRect: the user interface's rectangle
// helpers. Rectangles are taken as given (right and bottom exclusive); one
// given the wrong way round is empty and draws nothing.
#include "platform/api/kernel.h"
#include "platform/gdi/canvas.h"

using namespace gdi;

namespace {

struct Strip {
  std::int64_t left, top, right, bottom;
};

// The four one-pixel sides of a rectangle, no pixel in two of them.
int SidesOf(const RECT& r, Strip (&sides)[4]) {
  if (IsEmpty(r)) return 0;
  const std::int64_t l = r.left, t = r.top, right = r.right, b = r.bottom;
  int n = 0;
  sides[n++] = Strip{l, t, right, t + 1};
  if (b - 1 > t) sides[n++] = Strip{l, b - 1, right, b};
  if (b - 2 > t) {
    sides[n++] = Strip{l, t + 1, l + 1, b - 1};
    if (right - 1 > l) sides[n++] = Strip{right - 1, t + 1, right, b - 1};
  }
  return n;
}

RECT PartOf(const DeviceContext& dc, const Strip& s) {
  return DrawablePart(dc, s.left, s.top, s.right, s.bottom);
}

BOOL RefuseNull() {
  SetLastError(ERROR_INVALID_PARAMETER);
  return FALSE;
}

// Looks up the context and the brush's colour; false with the error set
// when either is not usable. A hollow brush gives `paints` false.
bool Prepare(HDC handle, HBRUSH brush, DeviceContext** dc, COLORREF* color, bool* paints) {
  *dc = LookupDc(handle);
  if (*dc == nullptr) return false;
  *paints = BrushColor(brush, color);
  // A brush that is neither a system colour nor a live brush is refused;
  // BrushColor has set the error then.
  return *paints || LookupBrush(brush) != nullptr;
}

}  // namespace

int FillRect(HDC handle, const RECT* rect, HBRUSH brush) {
  if (rect == nullptr) return RefuseNull();
  DeviceContext* dc = nullptr;
  COLORREF color = 0;
  bool paints = false;
  if (!Prepare(handle, brush, &dc, &color, &paints)) return FALSE;
  if (!paints) return TRUE;
  const RECT part = DrawablePart(*dc, rect->left, rect->top, rect->right, rect->bottom);
  if (IsEmpty(part)) return TRUE;
  FillArea(*dc->target, part, StoredPixel(*dc->target, color));
  dc->Touched(part);
  return TRUE;
}

int FrameRect(HDC handle, const RECT* rect, HBRUSH brush) {
  if (rect == nullptr) return RefuseNull();
  DeviceContext* dc = nullptr;
  COLORREF color = 0;
  bool paints = false;
  if (!Prepare(handle, brush, &dc, &color, &paints)) return FALSE;
  if (!paints) return TRUE;
  Strip sides[4];
  const int count = SidesOf(*rect, sides);
  for (int i = 0; i < count; ++i) {
    const RECT part = PartOf(*dc, sides[i]);
    if (IsEmpty(part)) continue;
    FillArea(*dc->target, part, StoredPixel(*dc->target, color));
    dc->Touched(part);
  }
  return TRUE;
}

// Every other pixel of the outline, inverted: drawing the same rectangle
// again puts back what was there. The dots follow the context's own
// coordinates, so neighbouring sides keep one rhythm round the corners.
BOOL DrawFocusRect(HDC handle, const RECT* rect) {
  if (rect == nullptr) return RefuseNull();
  DeviceContext* dc = LookupDc(handle);
  if (dc == nullptr) return FALSE;
  Strip sides[4];
  const int count = SidesOf(*rect, sides);
  const std::uint32_t all = dc->target != nullptr && dc->target->Monochrome() ? 1u : 0xFFFFFFu;
  for (int i = 0; i < count; ++i) {
    const RECT part = PartOf(*dc, sides[i]);
    for (LONG y = part.top; y < part.bottom; ++y) {
      std::uint32_t* row = dc->target->Row(y);
      for (LONG x = part.left; x < part.right; ++x) {
        const std::int64_t own = std::int64_t{x} - dc->origin.x + y - dc->origin.y;
        if ((own & 1) == 0) row[x] ^= all;
      }
    }
    dc->Touched(part);
  }
  return TRUE;
}
