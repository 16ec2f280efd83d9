// The game's icon, drawn with the platform's own drawing calls at each size:
// a dark field with two rows of coloured bricks, the ball and the paddle.
// The corners are left out so that the mask has work to do. Every shape is
// laid out on a 32-unit grid and scaled, so all sizes agree: the three of the
// executable's icon and those of the desktop's icon theme.
#include <algorithm>

#include "platform/api/gdi.h"
#include "platform/api/user.h"
#include "platform/gdi/ico_writer.h"
#include "platform/gdi/objects.h"
#include "tools/assets/assets.h"
#include "tools/assets/png_writer.h"

namespace assets {
namespace {

// Drawn where the icon is see-through; no shape uses this colour.
constexpr COLORREF kSeeThrough = RGB(255, 0, 255);

struct Shape {
  enum Kind { Box, Ball } kind;
  int left, top, right, bottom;  // on the 32-unit grid
  COLORREF colour;
};

constexpr Shape kShapes[] = {
    {Shape::Box, 1, 0, 31, 32, RGB(0, 0, 0)},  // the field's frame, corners cut
    {Shape::Box, 0, 1, 32, 31, RGB(0, 0, 0)},
    {Shape::Box, 2, 2, 30, 30, RGB(0, 0, 128)},
    // Two rows of bricks, the second half a brick over.
    {Shape::Box, 3, 4, 9, 7, RGB(255, 0, 0)},
    {Shape::Box, 10, 4, 16, 7, RGB(255, 255, 0)},
    {Shape::Box, 17, 4, 23, 7, RGB(0, 255, 0)},
    {Shape::Box, 24, 4, 29, 7, RGB(0, 255, 255)},
    {Shape::Box, 3, 8, 5, 11, RGB(0, 255, 0)},
    {Shape::Box, 6, 8, 12, 11, RGB(0, 255, 255)},
    {Shape::Box, 13, 8, 19, 11, RGB(255, 0, 0)},
    {Shape::Box, 20, 8, 26, 11, RGB(255, 255, 0)},
    {Shape::Box, 27, 8, 29, 11, RGB(255, 0, 0)},
    {Shape::Ball, 17, 16, 23, 22, RGB(255, 255, 255)},
    {Shape::Box, 9, 25, 23, 28, RGB(192, 192, 192)},
};

int Scaled(int unit, int size) { return (unit * size + 16) / 32; }

void DrawShape(HDC dc, const Shape& s, int size) {
  const RECT r{Scaled(s.left, size), Scaled(s.top, size), Scaled(s.right, size),
               Scaled(s.bottom, size)};
  HBRUSH brush = CreateSolidBrush(s.colour);
  if (s.kind == Shape::Box) {
    FillRect(dc, &r, brush);
  } else {
    HPEN pen = CreatePen(PS_SOLID, 1, s.colour);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    Ellipse(dc, r.left, r.top, r.right, r.bottom);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
  }
  DeleteObject(brush);
}

// One size of the picture, 0xAARRGGBB; empty when drawing failed.
gdi::IconImage Picture(int size) {
  gdi::IconImage image;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateBitmap(size, size, 1, 32, nullptr);
  if (dc == nullptr || bitmap == nullptr) {
    if (dc != nullptr) DeleteDC(dc);
    if (bitmap != nullptr) DeleteObject(bitmap);
    return image;
  }
  HGDIOBJ old = SelectObject(dc, bitmap);
  const RECT all{0, 0, size, size};
  HBRUSH clear = CreateSolidBrush(kSeeThrough);
  FillRect(dc, &all, clear);
  DeleteObject(clear);
  for (const Shape& s : kShapes) DrawShape(dc, s, size);
  image.width = image.height = size;
  image.argb.resize(static_cast<std::size_t>(size) * size);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const COLORREF c = GetPixel(dc, x, y);
      image.argb[static_cast<std::size_t>(y) * size + x] =
          c == kSeeThrough ? 0 : 0xFF000000 | gdi::PixelFromColor(c);
    }
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return image;
}

}  // namespace

std::vector<std::uint8_t> MakeIcon() {
  std::vector<gdi::IconImage> images;
  for (int size : {16, 32, 48}) {
    images.push_back(Picture(size));
    if (images.back().argb.empty()) return {};
  }
  return gdi::EncodeIco16(images);
}

std::vector<std::uint8_t> MakeDesktopIcon(int size) {
  const gdi::IconImage image = Picture(size);
  if (image.argb.empty()) return {};
  return EncodePng(image.width, image.height, image.argb);
}

}  // namespace assets
