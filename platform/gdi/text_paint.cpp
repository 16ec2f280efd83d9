#include "platform/gdi/text_paint.h"

#include <algorithm>
#include <cstdint>

namespace gdi {
namespace {

RECT Intersect(const RECT& a, const RECT& b) {
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  return r;
}

bool IsEmpty(const RECT& r) {
  return r.right <= r.left || r.bottom <= r.top;
}

// A box in target pixels, cut to the clip so that it fits a RECT.
RECT Clipped(long long left, long long top, long long right, long long bottom, const RECT& clip) {
  const auto cut = [](long long v, LONG low, LONG high) {
    return static_cast<LONG>(std::clamp<long long>(v, low, high));
  };
  RECT r{cut(left, clip.left, clip.right), cut(top, clip.top, clip.bottom),
         cut(right, clip.left, clip.right), cut(bottom, clip.top, clip.bottom)};
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  return r;
}

// A monochrome target takes the nearer of black (0) and white (1).
std::uint32_t StoredPixel(const Bitmap& target, COLORREF color) {
  if (!target.Monochrome()) return PixelFromColor(color);
  const unsigned sum = (color & 0xFF) + ((color >> 8) & 0xFF) + ((color >> 16) & 0xFF);
  return sum >= 3 * 128 ? 1 : 0;
}

std::uint32_t Mix(std::uint32_t over, std::uint32_t under, unsigned alpha) {
  const unsigned rest = 255 - alpha;
  std::uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const unsigned a = (over >> shift) & 0xFF, b = (under >> shift) & 0xFF;
    out |= ((a * alpha + b * rest + 127) / 255) << shift;
  }
  return out;
}

}  // namespace

long long TextWidth(const FontFace& face, const WCHAR* text, std::size_t length) {
  long long width = 0;
  for (std::size_t at = 0; at < length;)
    width += face.GlyphFor(NextCodePoint(text, length, &at)).advance;
  return width;
}

RECT ClipToLogical(const DeviceContext& dc, const RECT& logical) {
  const RECT area = dc.DrawableArea();
  return Clipped(static_cast<long long>(logical.left) + dc.origin.x,
                 static_cast<long long>(logical.top) + dc.origin.y,
                 static_cast<long long>(logical.right) + dc.origin.x,
                 static_cast<long long>(logical.bottom) + dc.origin.y, area);
}

TextPainter::TextPainter(const DeviceContext& dc, const RECT& clip)
    : dc_(dc), target_(dc.target), clip_(Intersect(clip, dc.DrawableArea())) {}

TextPainter::~TextPainter() {
  dc_.Touched(touched_);
}

void TextPainter::Touch(const RECT& area) {
  if (IsEmpty(area)) return;
  if (IsEmpty(touched_)) {
    touched_ = area;
    return;
  }
  touched_ = RECT{std::min(touched_.left, area.left), std::min(touched_.top, area.top),
                  std::max(touched_.right, area.right), std::max(touched_.bottom, area.bottom)};
}

void TextPainter::Fill(long long left, long long top, long long right, long long bottom,
                       COLORREF color) {
  if (!Visible()) return;
  const RECT area = Clipped(left + dc_.origin.x, top + dc_.origin.y, right + dc_.origin.x,
                            bottom + dc_.origin.y, clip_);
  if (IsEmpty(area)) return;
  const std::uint32_t pixel = StoredPixel(*target_, color);
  for (LONG y = area.top; y < area.bottom; ++y) {
    std::fill(target_->Row(y) + area.left, target_->Row(y) + area.right, pixel);
  }
  Touch(area);
}

long long TextPainter::Text(const FontFace& face, long long x, long long y, const WCHAR* text,
                            std::size_t length, const INT* dx, COLORREF color) {
  long long pen = x + dc_.origin.x;
  const long long baseline = y + dc_.origin.y + face.metrics.tmAscent;
  for (std::size_t at = 0; at < length;) {
    const std::size_t start = at;
    const Glyph& glyph = face.GlyphFor(NextCodePoint(text, length, &at));
    if (Visible()) DrawGlyph(glyph, pen, baseline, color);
    if (dx == nullptr) {
      pen += glyph.advance;
    } else {
      for (std::size_t i = start; i < at; ++i) pen += dx[i];
    }
  }
  const long long advanced = pen - (x + dc_.origin.x);
  const long long from = std::min(x, x + advanced), to = std::max(x, x + advanced);
  if (face.underline) {
    Fill(from, y + face.underlineTop, to, y + face.underlineTop + face.underlineHeight, color);
  }
  if (face.strikeOut) {
    Fill(from, y + face.strikeTop, to, y + face.strikeTop + face.strikeHeight, color);
  }
  return advanced;
}

void TextPainter::DrawGlyph(const Glyph& glyph, long long penX, long long baseline,
                            COLORREF color) {
  if (glyph.width <= 0 || glyph.rows <= 0) return;
  const long long left = penX + glyph.left, top = baseline - glyph.top;
  const RECT area = Clipped(left, top, left + glyph.width, top + glyph.rows, clip_);
  if (IsEmpty(area)) return;
  const std::uint32_t pixel = StoredPixel(*target_, color);
  const bool monochrome = target_->Monochrome();
  for (LONG y = area.top; y < area.bottom; ++y) {
    const std::uint8_t* coverage =
        glyph.coverage.data() + static_cast<std::size_t>(y - top) * glyph.width;
    std::uint32_t* row = target_->Row(y);
    for (LONG x = area.left; x < area.right; ++x) {
      const unsigned alpha = coverage[x - left];
      if (monochrome) {
        // Half covered or more is ink: a one-bit pixel cannot blend.
        if (alpha >= 128) row[x] = pixel;
      } else if (alpha == 255) {
        row[x] = pixel;
      } else if (alpha != 0) {
        row[x] = Mix(pixel, row[x], alpha);
      }
    }
  }
  Touch(area);
}

}  // namespace gdi
