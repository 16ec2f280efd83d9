// Pixel comparisons for drawing tests. A failed comparison names the first
// pixel that differs and leaves both pictures behind as BMP files (in
// $TEST_UNDECLARED_OUTPUTS_DIR, else the system's temporary folder), named
// after the test.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "platform/gdi/objects.h"

namespace testing_support {

// A picture the test holds (not a graphics object): what a bitmap should
// look like. Pixels as bitmaps store them, 0x00RRGGBB or 0/1.
gdi::Bitmap Picture(int width, int height, std::uint32_t fill = 0, bool monochrome = false);
// A picture of what the bitmap holds now.
gdi::Bitmap Snapshot(const gdi::Bitmap& bitmap);
// Sets the pixels of the area that lie inside the picture.
void Paint(gdi::Bitmap& picture, const RECT& area, std::uint32_t pixel);

// The bitmap behind a handle; the test fails at once (fatally) on a bad one.
gdi::Bitmap& PixelsOf(HBITMAP bitmap);
// The target a context draws into.
gdi::Bitmap& PixelsOf(HDC dc);

// A memory context holding a bitmap of its own, both released at the end.
class Canvas {
 public:
  Canvas(int width, int height, std::uint32_t fill = 0, int bitsPerPixel = 32);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC dc() const { return dc_; }
  HBITMAP bitmap() const { return bitmap_; }
  gdi::Bitmap& pixels() const { return PixelsOf(bitmap_); }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ previous_;
};

// Same size and every pixel equal.
::testing::AssertionResult SamePixels(const gdi::Bitmap& actual, const gdi::Bitmap& expected);
// Equal inside `area` (bitmap pixels) only; the two must have the same size.
::testing::AssertionResult SamePixels(const gdi::Bitmap& actual, const gdi::Bitmap& expected,
                                      const RECT& area);

}  // namespace testing_support
