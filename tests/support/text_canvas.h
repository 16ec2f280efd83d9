// A colour memory context to draw text on, and what the tests read back:
// where ink landed and in which colours. Glyph shapes are never compared.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>

#include "platform/api/gdi.h"
#include "platform/gdi/objects.h"

namespace testing_support {

inline HFONT MakeFont(const char16_t* face, int height, int weight = FW_NORMAL, bool italic = false,
                      bool underline = false, bool strikeOut = false, DWORD pitch = 0) {
  return CreateFontW(height, 0, 0, 0, weight, italic, underline, strikeOut, DEFAULT_CHARSET,
                     OUT_OUTLINE_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, pitch, face);
}

// The bounding box of the pixels of `bitmap` inside `within` that are not
// `background`; empty (all zero) when there are none.
inline RECT InkBox(const gdi::Bitmap& bitmap, std::uint32_t background, RECT within) {
  RECT box{0, 0, 0, 0};
  bool any = false;
  within.left = std::max<LONG>(within.left, 0);
  within.top = std::max<LONG>(within.top, 0);
  within.right = std::min<LONG>(within.right, bitmap.width);
  within.bottom = std::min<LONG>(within.bottom, bitmap.height);
  for (LONG y = within.top; y < within.bottom; ++y) {
    for (LONG x = within.left; x < within.right; ++x) {
      if (bitmap.Row(y)[x] == background) continue;
      if (!any) box = RECT{x, y, x + 1, y + 1};
      any = true;
      box = RECT{std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                 std::max(box.bottom, y + 1)};
    }
  }
  return box;
}

inline bool Empty(const RECT& r) {
  return r.right <= r.left || r.bottom <= r.top;
}

inline bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

// Appended piece by piece: GCC 12 at -O3 takes `"(" + std::to_string(...)`
// for an overlapping copy and warns (-Wrestrict) where none can happen.
inline std::string Describe(const RECT& r) {
  std::string text = "(";
  text.append(std::to_string(r.left)).append(", ").append(std::to_string(r.top));
  text.append(") - (").append(std::to_string(r.right)).append(", ");
  text.append(std::to_string(r.bottom)).append(")");
  return text;
}

class TextCanvas {
 public:
  explicit TextCanvas(int width, int height, COLORREF fill = RGB(0, 0, 0))
      : dc(CreateCompatibleDC(nullptr)), bitmap_(CreateBitmap(width, height, 1, 32, nullptr)) {
    old_ = SelectObject(dc, bitmap_);
    background = gdi::PixelFromColor(fill);
    std::fill(Bitmap().pixels.begin(), Bitmap().pixels.end(), background);
  }
  ~TextCanvas() {
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    SelectObject(dc, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc);
  }
  TextCanvas(const TextCanvas&) = delete;
  TextCanvas& operator=(const TextCanvas&) = delete;

  gdi::Bitmap& Bitmap() const { return *gdi::LookupBitmap(bitmap_); }
  std::uint32_t At(int x, int y) const { return Bitmap().Row(y)[x]; }
  RECT Ink() const { return InkBox(Bitmap(), background, All()); }
  RECT Ink(const RECT& within) const { return InkBox(Bitmap(), background, within); }
  RECT All() const { return RECT{0, 0, Bitmap().width, Bitmap().height}; }
  int Count(std::uint32_t pixel) const {
    return static_cast<int>(std::count(Bitmap().pixels.begin(), Bitmap().pixels.end(), pixel));
  }

  HDC dc;
  std::uint32_t background;

 private:
  HBITMAP bitmap_;
  HGDIOBJ old_;
};

}  // namespace testing_support
