#include "framework/drawing/drawing.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>

#include "framework/elements/font.h"
#include "framework/elements/gui_element.h"
#include "framework/util/text.h"
#include "platform/api/kernel.h"

namespace VexaUtility {
namespace {

constexpr std::size_t kTextBuffer = 1024;

COLOR16 Channel(COLORREF colour, int shift) {
  return static_cast<COLOR16>(((colour >> shift) & 0xFF) << 8);
}

// Selects an object for the length of one drawing operation.
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~Selected() {
    if (previous_ != nullptr) SelectObject(dc_, previous_);
  }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// Puts back what the colour-keyed copy selected and releases what it made.
void ReleaseKeyedCopy(HDC source, HGDIOBJ previousSource, HDC maskContext, HGDIOBJ previousMask,
                      HBITMAP mask) {
  if (previousMask != nullptr) SelectObject(maskContext, previousMask);
  if (previousSource != nullptr) SelectObject(source, previousSource);
  if (mask != nullptr) DeleteObject(mask);
  DeleteDC(maskContext);
  DeleteDC(source);
}

}  // namespace

Drawing::Drawing(GUIElement* owner) : owner(owner) {}

Drawing::~Drawing() { EndDraw(); }

void Drawing::OnGdiError() { lastGdiError = GetLastError(); }

void Drawing::AttachDc(HDC context) {
  if (dc != nullptr && ownsDc) EndDraw();
  dc = context;
  ownsDc = true;
}

HDC Drawing::CreateBackBuffer() {
  RECT size = paint.rcPaint;
  HWND window = WindowFromDC(dc);
  RECT client{};
  if (window != nullptr && GetClientRect(window, &client)) size = client;
  HDC memory = CreateCompatibleDC(dc);
  if (memory == nullptr) OnGdiError();
  HBITMAP bitmap = CreateCompatibleBitmap(dc, size.right - size.left, size.bottom - size.top);
  if (bitmap == nullptr) OnGdiError();
  HGDIOBJ initial = SelectObject(memory, bitmap);
  if (initial != nullptr) DeleteObject(initial);
  return memory;
}

void Drawing::EndDraw() {
  if (ownsDc) {
    HBITMAP bitmap = static_cast<HBITMAP>(GetCurrentObject(dc, OBJ_BITMAP));
    DeleteDC(dc);
    if (bitmap != nullptr) DeleteObject(bitmap);
    ownsDc = false;
  } else if (dc != nullptr) {
    EndPaint(owner != nullptr ? owner->hwnd : nullptr, &paint);
  }
  dc = nullptr;
}

COLORREF Drawing::PixelAt(int x, int y) { return dc != nullptr ? GetPixel(dc, x, y) : 0; }

void Drawing::PutPixel(int x, int y, COLORREF colour) {
  if (dc != nullptr) SetPixel(dc, x, y, colour);
}

void Drawing::DrawStringW(int x, int y, int width, int height, const std::u16string& text,
                          COLORREF colour, FontSpec* font, int alignment) {
  if (dc == nullptr) return;
  SetBkMode(dc, TRANSPARENT);
  WCHAR buffer[kTextBuffer];
  const std::size_t length = std::min(text.size(), kTextBuffer - 1);
  text.copy(buffer, length);
  buffer[length] = u'\0';
  UINT format = alignment == 1 ? DT_RIGHT : (alignment == 2 ? DT_CENTER : DT_LEFT);
  if (width == 0 || height == 0) format |= DT_NOCLIP;
  HGDIOBJ oldFont = font != nullptr ? SelectObject(dc, font->Realize()) : nullptr;
  const COLORREF oldColour = SetTextColor(dc, colour);
  if (width != 0 && height != 0) {
    RECT box{x, y, x + width, y + height};
    DrawTextW(dc, buffer, static_cast<int>(length), &box, format);
  } else {
    TextOutW(dc, x, y, buffer, static_cast<int>(length));
  }
  SetTextColor(dc, oldColour);
  if (oldFont != nullptr) SelectObject(dc, oldFont);
}

void Drawing::DrawString(int x, int y, int width, int height, const std::string& text,
                         COLORREF colour, FontSpec* font, int alignment) {
  DrawStringW(x, y, width, height, ToWide(text), colour, font, alignment);
}

std::int32_t Drawing::TextHeight(FontSpec* font) {
  if (dc == nullptr || font == nullptr) return -1;
  HGDIOBJ old = SelectObject(dc, font->Realize());
  TEXTMETRICW metrics{};
  const BOOL ok = GetTextMetricsW(dc, &metrics);
  if (old != nullptr) SelectObject(dc, old);
  return ok ? metrics.tmHeight : -1;
}

void Drawing::OutlineRect(int left, int top, int width, int height, COLORREF colour) {
  if (dc == nullptr) return;
  HPEN pen = CreatePen(PS_SOLID, 1, colour);
  {
    Selected brush(dc, GetStockObject(NULL_BRUSH));
    Selected selectedPen(dc, pen);
    Rectangle(dc, left, top, left + width, top + height);
  }
  DeleteObject(pen);
}

void Drawing::DrawFilledRect(int left, int top, int width, int height, COLORREF fill,
                             int borderWidth, COLORREF border) {
  if (dc == nullptr) return;
  HPEN pen = borderWidth > 0 ? CreatePen(PS_SOLID, borderWidth, border) : CreatePen(PS_NULL, 1, 0);
  HBRUSH brush = CreateSolidBrush(fill);
  {
    Selected selectedPen(dc, pen);
    Selected selectedBrush(dc, brush);
    Rectangle(dc, left, top, left + width, top + height);
  }
  DeleteObject(pen);
  DeleteObject(brush);
}

void Drawing::GradientRect(int left, int top, int width, int height, COLORREF leftColour,
                           COLORREF rightColour) {
  if (dc == nullptr) return;
  TRIVERTEX vertices[2] = {
      {left, top, Channel(leftColour, 0), Channel(leftColour, 8), Channel(leftColour, 16), 0},
      {left + width, top + height, Channel(rightColour, 0), Channel(rightColour, 8),
       Channel(rightColour, 16), 0},
  };
  GRADIENT_RECT mesh{0, 1};
  HPEN pen = CreatePen(PS_SOLID, 1, 0);
  {
    Selected selectedPen(dc, pen);
    Rectangle(dc, left, top, left + width, top + height);
    GradientFill(dc, vertices, 2, &mesh, 1, GRADIENT_FILL_RECT_H);
  }
  DeleteObject(pen);
}

void Drawing::FillEllipse(int left, int top, int width, int height) {
  if (dc == nullptr) return;
  HPEN pen = CreatePen(PS_NULL, 1, 0);
  HBRUSH brush = CreateSolidBrush(0x0000FF);
  {
    Selected selectedPen(dc, pen);
    Selected selectedBrush(dc, brush);
    Ellipse(dc, left, top, left + width, top + height);
  }
  DeleteObject(pen);
  DeleteObject(brush);
}

int Drawing::PasteBitmap(HBITMAP bitmap) {
  if (dc == nullptr) return 0;
  HDC source = CreateCompatibleDC(dc);
  if (source == nullptr) OnGdiError();
  HGDIOBJ previous = SelectObject(source, bitmap);
  if (previous == nullptr) {
    OnGdiError();
  } else {
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    if (!BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY)) OnGdiError();
    SelectObject(source, previous);
  }
  return DeleteDC(source);
}

void Drawing::DrawBitmap(int x, int y, int width, int height, HBITMAP bitmap) {
  if (dc == nullptr) return;
  HDC source = CreateCompatibleDC(dc);
  if (source == nullptr) OnGdiError();
  HGDIOBJ previous = SelectObject(source, bitmap);
  if (previous == nullptr) {
    OnGdiError();
    DeleteDC(source);
    return;
  }
  BITMAP info{};
  GetObjectW(bitmap, sizeof info, &info);
  const BOOL ok = width != 0 && height != 0
                      ? StretchBlt(dc, x, y, width, height, source, 0, 0, info.bmWidth,
                                   info.bmHeight, SRCCOPY)
                      : BitBlt(dc, x, y, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
  if (!ok) OnGdiError();
  SelectObject(source, previous);
  DeleteDC(source);
}

void Drawing::BlitRegion(int x, int y, int width, int height, HBITMAP bitmap, int sourceX,
                         int sourceY) {
  if (dc == nullptr) return;
  HDC source = CreateCompatibleDC(dc);
  if (source == nullptr) OnGdiError();
  HGDIOBJ previous = SelectObject(source, bitmap);
  // Without the picture the context would hand over its own one-pixel
  // default bitmap, and the region would come out black.
  if (previous == nullptr) {
    OnGdiError();
  } else {
    if (!BitBlt(dc, x, y, width, height, source, sourceX, sourceY, SRCCOPY)) OnGdiError();
    SelectObject(source, previous);
  }
  DeleteDC(source);
}

HBITMAP Drawing::CaptureRegion(int sourceX, int sourceY, int width, int height) {
  if (dc == nullptr) return nullptr;
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
  if (memory == nullptr || bitmap == nullptr) {
    OnGdiError();
    if (memory != nullptr) DeleteDC(memory);
    if (bitmap != nullptr) DeleteObject(bitmap);
    return nullptr;
  }
  HGDIOBJ previous = SelectObject(memory, bitmap);
  if (!BitBlt(memory, 0, 0, width, height, dc, sourceX, sourceY, SRCCOPY)) OnGdiError();
  SelectObject(memory, previous);
  DeleteDC(memory);
  return bitmap;
}

// Black is transparent: a monochrome mask, white where the picture is black,
// punches a black hole into the destination where the picture is opaque, and
// the picture is then OR-ed into the hole.
void Drawing::KeyedCopy(int x, int y, int width, int height, HBITMAP bitmap, int sourceY,
                        bool whole) {
  // A picture that is not there copies nothing; copying from the context's
  // default bitmap would blacken the destination.
  BITMAP info{};
  if (GetObjectW(bitmap, sizeof info, &info) == 0) {
    OnGdiError();
    return;
  }
  HDC source = CreateCompatibleDC(dc);
  HDC maskContext = CreateCompatibleDC(dc);
  if (source == nullptr || maskContext == nullptr) OnGdiError();
  HBITMAP mask = CreateBitmap(info.bmWidth, info.bmHeight, 1, 1, nullptr);
  if (mask == nullptr) OnGdiError();
  HGDIOBJ previousMask = SelectObject(maskContext, mask);
  HGDIOBJ previousSource = SelectObject(source, bitmap);
  if (previousMask == nullptr || previousSource == nullptr) {
    OnGdiError();
    ReleaseKeyedCopy(source, previousSource, maskContext, previousMask, mask);
    return;
  }
  SetBkColor(source, 0);
  if (!BitBlt(maskContext, 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY)) {
    OnGdiError();
  }
  const bool stretch = whole && width != 0 && height != 0;
  auto copy = [&](HDC from, DWORD rop) {
    const BOOL ok =
        stretch ? StretchBlt(dc, x, y, width, height, from, 0, 0, info.bmWidth, info.bmHeight, rop)
        : whole ? BitBlt(dc, x, y, info.bmWidth, info.bmHeight, from, 0, 0, rop)
                : BitBlt(dc, x, y, width, height, from, 0, sourceY, rop);
    if (!ok) OnGdiError();
  };
  copy(maskContext, SRCAND);
  copy(source, SRCPAINT);
  ReleaseKeyedCopy(source, previousSource, maskContext, previousMask, mask);
}

void Drawing::BlitTransparent(int x, int y, int width, int height, HBITMAP bitmap, int sourceY) {
  if (dc == nullptr) return;
  KeyedCopy(x, y, width, height, bitmap, sourceY, false);
}

void Drawing::DrawTransparent(int x, int y, int width, int height, HBITMAP bitmap) {
  if (dc == nullptr) return;
  KeyedCopy(x, y, width, height, bitmap, 0, true);
}

HBITMAP LoadBitmapFile(const std::string& path) {
  const std::u16string wide = ToWide(path);
  return static_cast<HBITMAP>(LoadImageW(nullptr, wide.c_str(), IMAGE_BITMAP, 0, 0,
                                         LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}

std::int32_t RandomBetween(std::int32_t low, std::int32_t high) {
  static bool seeded = false;
  if (!seeded) {
    seeded = true;
    std::srand(static_cast<unsigned>(static_cast<std::uint32_t>(std::time(nullptr))));
  }
  // An empty range has nothing to choose from; its low end is the answer
  // rather than a division by zero.
  if (high < low) return low;
  if (low == 1) return std::rand() % high + 1;
  return RandomBetween(1, high - low + 1) + low - 1;
}

}  // namespace VexaUtility
