// An 800 × 640 picture drawn with the platform's own calls, for the game's
// screens, and the BMP file made of it. Text uses the installed faces the
// platform's text engine finds, asked for by name so that the same fonts
// give the same picture on every run.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/api/gdi.h"

namespace assets {

class Picture {
 public:
  static constexpr int kWidth = 800;
  static constexpr int kHeight = 640;

  Picture();
  ~Picture();
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  bool ok() const { return dc_ != nullptr && bitmap_ != nullptr; }
  HDC dc() const { return dc_; }

  // Top colour to bottom colour over the rectangle.
  void VerticalGradient(RECT r, COLORREF top, COLORREF bottom);
  void HorizontalGradient(RECT r, COLORREF left, COLORREF right);
  void Box(RECT r, COLORREF colour);
  void Disc(int centreX, int centreY, int radius, COLORREF colour);
  // A brick as the play field draws them: light on top, darker below, with
  // a thin dark edge.
  void Brick(RECT r, COLORREF light, COLORREF dark);
  // Text whose box is centred on centreX with its top at `top`; `height` in
  // pixels of the character cell.
  void CentredText(int centreX, int top, std::u16string_view text, int height, int weight,
                   COLORREF colour);
  // The same text twice: a shadow offset down and right, then the text.
  void ShadowedText(int centreX, int top, std::u16string_view text, int height, int weight,
                    COLORREF colour, COLORREF shadow, int offset);
  // Mixes each pixel of the rectangle with `colour`, `percent` of it.
  void Veil(RECT r, COLORREF colour, int percent);

  // A 24-bit BMP file of the picture whose game checksum is `checksum` (32
  // hexadecimal digits); empty when drawing or that failed.
  std::vector<std::uint8_t> Bmp(std::string_view checksum) const;

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
};

}  // namespace assets
