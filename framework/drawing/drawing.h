// A drawing surface around one device context: text, shapes, gradients and
// bitmap copies, including copies in which black is transparent. Every
// operation does nothing while the surface has no device context.
#pragma once

#include <cstdint>
#include <string>

#include "platform/api/user.h"

namespace VexaUtility {

class FontSpec;
class GUIElement;

class Drawing {
 public:
  GUIElement* owner;     // the element whose window this surface paints; not owned
  HDC dc = nullptr;      // where the operations draw; null: inactive
  bool ownsDc = false;   // attached with AttachDc: EndDraw releases it
  PAINTSTRUCT paint{};   // the BeginPaint that produced dc on a window surface

  explicit Drawing(GUIElement* owner);
  virtual ~Drawing();
  Drawing(const Drawing&) = delete;
  Drawing& operator=(const Drawing&) = delete;

  // Called when making a context or bitmap, or a copy, failed. It reads the
  // system's error and shows nothing; the operation goes on with what it has.
  virtual void OnGdiError();

  void AttachDc(HDC context);
  // A memory context with a bitmap the size of the window's client area.
  HDC CreateBackBuffer();
  void EndDraw();

  COLORREF PixelAt(int x, int y);
  void PutPixel(int x, int y, COLORREF colour);

  // Alignment: 0 left, 1 right, 2 centre.
  void DrawStringW(int x, int y, int width, int height, const std::u16string& text,
                   COLORREF colour, FontSpec* font, int alignment);
  void DrawString(int x, int y, int width, int height, const std::string& text, COLORREF colour,
                  FontSpec* font, int alignment);
  std::int32_t TextHeight(FontSpec* font);

  void OutlineRect(int left, int top, int width, int height, COLORREF colour);
  void DrawFilledRect(int left, int top, int width, int height, COLORREF fill, int borderWidth,
                      COLORREF border);
  void GradientRect(int left, int top, int width, int height, COLORREF leftColour,
                    COLORREF rightColour);
  void FillEllipse(int left, int top, int width, int height);

  // Bitmaps. Whoever receives a bitmap from CaptureRegion or LoadBitmapFile
  // owns it and deletes it with DeleteObject.
  int PasteBitmap(HBITMAP bitmap);
  void DrawBitmap(int x, int y, int width, int height, HBITMAP bitmap);
  void BlitRegion(int x, int y, int width, int height, HBITMAP bitmap, int sourceX, int sourceY);
  HBITMAP CaptureRegion(int sourceX, int sourceY, int width, int height);
  void BlitTransparent(int x, int y, int width, int height, HBITMAP bitmap, int sourceY);
  void DrawTransparent(int x, int y, int width, int height, HBITMAP bitmap);

  DWORD lastGdiError = 0;  // what OnGdiError read last

 private:
  void KeyedCopy(int x, int y, int width, int height, HBITMAP bitmap, int sourceY, bool whole);
};

HBITMAP LoadBitmapFile(const std::string& path);

// A number from low to high inclusive (high at least low).
std::int32_t RandomBetween(std::int32_t low, std::int32_t high);

}  // namespace VexaUtility
