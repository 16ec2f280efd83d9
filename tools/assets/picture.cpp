#include "tools/assets/picture.h"

#include <string>

#include "platform/api/user.h"
#include "platform/gdi/bmp_writer.h"
#include "platform/gdi/objects.h"
#include "tools/assets/checksum_gap.h"

namespace assets {
namespace {

constexpr std::size_t kBmpHeaders = 14 + 40;  // the gap follows them
constexpr char16_t kFace[] = u"DejaVu Sans";

COLOR16 Channel(int value) {
  return static_cast<COLOR16>(value << 8);
}

TRIVERTEX Vertex(LONG x, LONG y, COLORREF c) {
  return TRIVERTEX{x, y, Channel(GetRValue(c)), Channel(GetGValue(c)), Channel(GetBValue(c)), 0};
}

int Mix(int a, int b, int percent) {
  return (a * (100 - percent) + b * percent + 50) / 100;
}

}  // namespace

Picture::Picture() {
  dc_ = CreateCompatibleDC(nullptr);
  bitmap_ = CreateBitmap(kWidth, kHeight, 1, 32, nullptr);
  if (dc_ != nullptr && bitmap_ != nullptr) oldBitmap_ = SelectObject(dc_, bitmap_);
  SetBkMode(dc_, TRANSPARENT);
}

Picture::~Picture() {
  if (dc_ != nullptr) {
    if (oldBitmap_ != nullptr) SelectObject(dc_, oldBitmap_);
    DeleteDC(dc_);
  }
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
}

void Picture::VerticalGradient(RECT r, COLORREF top, COLORREF bottom) {
  TRIVERTEX v[2] = {Vertex(r.left, r.top, top), Vertex(r.right, r.bottom, bottom)};
  GRADIENT_RECT mesh{0, 1};
  GradientFill(dc_, v, 2, &mesh, 1, GRADIENT_FILL_RECT_V);
}

void Picture::HorizontalGradient(RECT r, COLORREF left, COLORREF right) {
  TRIVERTEX v[2] = {Vertex(r.left, r.top, left), Vertex(r.right, r.bottom, right)};
  GRADIENT_RECT mesh{0, 1};
  GradientFill(dc_, v, 2, &mesh, 1, GRADIENT_FILL_RECT_H);
}

void Picture::Box(RECT r, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc_, &r, brush);
  DeleteObject(brush);
}

void Picture::Disc(int centreX, int centreY, int radius, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  HPEN pen = CreatePen(PS_SOLID, 1, colour);
  HGDIOBJ oldBrush = SelectObject(dc_, brush);
  HGDIOBJ oldPen = SelectObject(dc_, pen);
  Ellipse(dc_, centreX - radius, centreY - radius, centreX + radius, centreY + radius);
  SelectObject(dc_, oldPen);
  SelectObject(dc_, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
}

void Picture::Brick(RECT r, COLORREF light, COLORREF dark) {
  Box(r, RGB(GetRValue(dark) / 2, GetGValue(dark) / 2, GetBValue(dark) / 2));
  VerticalGradient(RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, light, dark);
}

void Picture::CentredText(int centreX, int top, std::u16string_view text, int height, int weight,
                          COLORREF colour) {
  const std::u16string wide(text);
  HFONT font = CreateFontW(-height, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                           ANTIALIASED_QUALITY, VARIABLE_PITCH | FF_SWISS, kFace);
  if (font == nullptr) return;
  HGDIOBJ old = SelectObject(dc_, font);
  SIZE size{};
  GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
  SetTextColor(dc_, colour);
  TextOutW(dc_, centreX - size.cx / 2, top, wide.c_str(), static_cast<int>(wide.size()));
  SelectObject(dc_, old);
  DeleteObject(font);
}

void Picture::ShadowedText(int centreX, int top, std::u16string_view text, int height, int weight,
                           COLORREF colour, COLORREF shadow, int offset) {
  CentredText(centreX + offset, top + offset, text, height, weight, shadow);
  CentredText(centreX, top, text, height, weight, colour);
}

void Picture::Veil(RECT r, COLORREF colour, int percent) {
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) {
      const COLORREF c = GetPixel(dc_, x, y);
      SetPixel(dc_, x, y,
               RGB(Mix(GetRValue(c), GetRValue(colour), percent),
                   Mix(GetGValue(c), GetGValue(colour), percent),
                   Mix(GetBValue(c), GetBValue(colour), percent)));
    }
  }
}

std::vector<std::uint8_t> Picture::Bmp(std::string_view checksum) const {
  Checksum wanted;
  const gdi::Bitmap* pixels = gdi::LookupBitmap(bitmap_);
  if (!ok() || pixels == nullptr || !ParseChecksum(checksum, wanted)) return {};
  const std::uint8_t zeros[16] = {};
  std::vector<std::uint8_t> file = gdi::EncodeBmp(*pixels, 24, zeros);
  if (file.empty() || !FillChecksumGap(file, kBmpHeaders, wanted)) return {};
  return file;
}

}  // namespace assets
