// Puts text, its rules and the rectangles behind it into a context's target.
// Every routine clips to the painter's rectangle, and what changed is reported
// to the target's listener when the painter goes.
#pragma once

#include <cstddef>

#include "platform/gdi/font_engine.h"
#include "platform/gdi/objects.h"

namespace gdi {

// The width of text in a face: the sum of its characters' advances.
long long TextWidth(const FontFace& face, const WCHAR* text, std::size_t length);

// The context's drawable area cut to a rectangle in the context's coordinates.
RECT ClipToLogical(const DeviceContext& dc, const RECT& logical);

class TextPainter {
 public:
  // `clip` is in target pixels; it is limited to the context's drawable area.
  TextPainter(const DeviceContext& dc, const RECT& clip);
  ~TextPainter();
  TextPainter(const TextPainter&) = delete;
  TextPainter& operator=(const TextPainter&) = delete;

  // Fills left .. right - 1 by top .. bottom - 1, in the context's coordinates.
  void Fill(long long left, long long top, long long right, long long bottom, COLORREF color);

  // Draws text with the top-left corner of its cell at (x, y), in the
  // context's coordinates, with the face's underline and strike-out when it
  // has them. Each character advances by its glyph's width, or by the `dx`
  // values of its UTF-16 units when they are given. Returns the distance
  // advanced.
  long long Text(const FontFace& face, long long x, long long y, const WCHAR* text,
                 std::size_t length, const INT* dx, COLORREF color);

  // Whether any pixel may still be drawn.
  bool Visible() const { return clip_.right > clip_.left && clip_.bottom > clip_.top; }

 private:
  void DrawGlyph(const Glyph& glyph, long long penX, long long baseline, COLORREF color);
  void Touch(const RECT& area);

  const DeviceContext& dc_;
  Bitmap* target_;
  RECT clip_;
  RECT touched_{0, 0, 0, 0};
};

}  // namespace gdi
