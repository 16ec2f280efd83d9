// Raster copies and single pixels, checked pixel by pixel inside and outside
// the area drawn.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <vector>

#include "platform/api/gdi.h"
#include "platform/api/kernel.h"
#include "platform/api/user.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/raster_ops.h"
#include "tests/support/pixels.h"

namespace {

using testing_support::Canvas;
using testing_support::Paint;
using testing_support::Picture;
using testing_support::SamePixels;
using testing_support::Snapshot;

// Every test gives back every object it made.
class GdiRaster : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(gdi::LiveObjectCount(), live_); }

 private:
  std::size_t live_ = gdi::LiveObjectCount();
};

// Distinct pixels, so that a copy from the wrong place shows.
void Number(gdi::Bitmap& bitmap) {
  for (std::size_t i = 0; i < bitmap.pixels.size(); ++i) {
    bitmap.pixels[i] = static_cast<std::uint32_t>(0x100000 + i * 0x010203);
  }
}

constexpr int kColor = 32;
constexpr int kMono = 1;

struct RopCase {
  const char* name;
  DWORD rop;
  int sourceBits, destinationBits;
  std::uint32_t source, destination, expected;  // stored pixels
};

// The source context's background is 0x112233 (stored 0x332211); the
// destination's background 0x00AA00 and text colour 0x0000BB (stored
// 0x00AA00 and 0xBB0000). Only these colours take part in conversions.
constexpr std::uint32_t kSourceKey = 0x332211;
constexpr std::uint32_t kDestBack = 0x00AA00, kDestText = 0xBB0000;

constexpr RopCase kRopCases[] = {
    {"copy colour", SRCCOPY, kColor, kColor, 0x123456, 0xABCDEF, 0x123456},
    {"and colour", SRCAND, kColor, kColor, 0x123456, 0xABCDEF, 0x123456 & 0xABCDEF},
    {"paint colour", SRCPAINT, kColor, kColor, 0x123456, 0xABCDEF, 0x123456 | 0xABCDEF},
    {"invert colour", SRCINVERT, kColor, kColor, 0x123456, 0xABCDEF, 0x123456 ^ 0xABCDEF},
    {"not source", NOTSRCCOPY, kColor, kColor, 0x123456, 0xABCDEF, 0xEDCBA9},
    {"erase", SRCERASE, kColor, kColor, 0x123456, 0xABCDEF, 0x123456 & 0x543210},
    {"destination invert", DSTINVERT, kColor, kColor, 0x123456, 0xABCDEF, 0x543210},
    {"blackness", BLACKNESS, kColor, kColor, 0x123456, 0xABCDEF, 0},
    {"whiteness", WHITENESS, kColor, kColor, 0x123456, 0xABCDEF, 0xFFFFFF},
    {"key to mono is white", SRCCOPY, kColor, kMono, kSourceKey, 0, 1},
    {"other to mono is black", SRCCOPY, kColor, kMono, 0x332212, 1, 0},
    {"black is not the key", SRCCOPY, kColor, kMono, 0x000000, 1, 0},
    {"key and mono", SRCAND, kColor, kMono, kSourceKey, 1, 1},
    {"other and mono", SRCAND, kColor, kMono, 0x123456, 1, 0},
    {"other paint mono", SRCPAINT, kColor, kMono, 0x123456, 1, 1},
    {"mono 1 becomes background", SRCCOPY, kMono, kColor, 1, 0x123456, kDestBack},
    {"mono 0 becomes text", SRCCOPY, kMono, kColor, 0, 0x123456, kDestText},
    {"mono 1 and", SRCAND, kMono, kColor, 1, 0x12FF56, 0x00AA00},
    {"mono 0 and", SRCAND, kMono, kColor, 0, 0xFFFFFF, kDestText},
    {"mono 0 paint", SRCPAINT, kMono, kColor, 0, 0x000056, 0xBB0056},
    {"mono 1 invert", SRCINVERT, kMono, kColor, 1, 0x00FF00, 0x005500},
    {"mono copy", SRCCOPY, kMono, kMono, 1, 0, 1},
    {"mono and", SRCAND, kMono, kMono, 0, 1, 0},
    {"mono paint", SRCPAINT, kMono, kMono, 1, 0, 1},
    {"mono invert", SRCINVERT, kMono, kMono, 1, 1, 0},
    {"mono not source", NOTSRCCOPY, kMono, kMono, 1, 1, 0},
    {"mono whiteness", WHITENESS, kMono, kMono, 0, 0, 1},
    {"mono destination invert", DSTINVERT, kMono, kMono, 0, 1, 0},
};

TEST_F(GdiRaster, EveryOperationAndConversionGivesTheSystemsResult) {
  for (const RopCase& c : kRopCases) {
    SCOPED_TRACE(c.name);
    Canvas source(1, 1, c.source, c.sourceBits);
    Canvas destination(3, 3, c.destination, c.destinationBits);
    SetBkColor(source.dc(), 0x112233);
    SetTextColor(source.dc(), 0x445566);  // never used: conversions to colour use the destination's
    SetBkColor(destination.dc(), 0x00AA00);
    SetTextColor(destination.dc(), 0x0000BB);
    gdi::Bitmap expected = Snapshot(destination.pixels());
    Paint(expected, RECT{1, 1, 2, 2}, c.expected);
    EXPECT_TRUE(BitBlt(destination.dc(), 1, 1, 1, 1, source.dc(), 0, 0, c.rop));
    EXPECT_TRUE(SamePixels(destination.pixels(), expected));
  }
}

TEST_F(GdiRaster, FastRoutinesAgreeWithTheGenericOneOnRandomRows) {
  std::mt19937 random(20240611);
  using gdi::PixelFormat;
  auto formats = [](gdi::FormatMatch match) {
    if (match == gdi::FormatMatch::Color) return std::vector{PixelFormat::Color};
    if (match == gdi::FormatMatch::Mono) return std::vector{PixelFormat::Mono};
    return std::vector{PixelFormat::Color, PixelFormat::Mono};
  };
  auto pixel = [&](PixelFormat format, std::uint32_t key) -> std::uint32_t {
    if (format == PixelFormat::Mono) return random() & 1;
    return random() % 4 == 0 ? key : random() & 0xFFFFFF;  // the key often enough to matter
  };
  for (const gdi::FastRoutine& fast : gdi::FastRoutines()) {
    for (PixelFormat from : formats(fast.source)) {
      for (PixelFormat to : formats(fast.destination)) {
        SCOPED_TRACE(::testing::Message()
                     << std::hex << fast.rop << " from " << int(from) << " to " << int(to));
        gdi::RowContext context;
        context.rop = fast.rop;
        context.source = from;
        context.destination = to;
        context.sourceBackground = random() & 0xFFFFFF;
        context.oneColor = random() & 0xFFFFFF;
        context.zeroColor = random() & 0xFFFFFF;
        context.pattern = to == PixelFormat::Mono ? random() & 1 : random() & 0xFFFFFF;
        ASSERT_EQ(gdi::ChooseRowRoutine(fast.rop, from, to), fast.routine);
        constexpr int kCount = 257;
        std::vector<std::uint32_t> source(kCount), fastOut(kCount), genericOut(kCount);
        for (int i = 0; i < kCount; ++i) {
          source[i] = pixel(from, context.sourceBackground);
          fastOut[i] = genericOut[i] = pixel(to, 0);
        }
        fast.routine(fastOut.data(), source.data(), kCount, context);
        gdi::GenericRow(genericOut.data(), source.data(), kCount, context);
        EXPECT_EQ(fastOut, genericOut);
      }
    }
  }
}

// The colour-keyed copy exactly as the framework runs it: a mask made by a
// colour-to-monochrome copy with black as the picture's background, the
// mask ANDed onto the destination, the picture ORed over it. Stretched when
// width and height are given, else at the picture's size from source row y.
void CopyBlackKeyed(HDC destination, int x, int y, int width, int height, HBITMAP picture,
                    int sourceY, bool stretch) {
  HDC source = CreateCompatibleDC(destination);
  HDC maskContext = CreateCompatibleDC(destination);
  BITMAP size{};
  GetObjectW(picture, sizeof size, &size);
  HBITMAP mask = CreateBitmap(size.bmWidth, size.bmHeight, 1, 1, nullptr);
  HGDIOBJ oldMask = SelectObject(maskContext, mask);
  HGDIOBJ oldPicture = SelectObject(source, picture);
  SetBkColor(source, 0);
  BitBlt(maskContext, 0, 0, size.bmWidth, size.bmHeight, source, 0, 0, SRCCOPY);
  if (stretch) {
    StretchBlt(destination, x, y, width, height, maskContext, 0, 0, size.bmWidth, size.bmHeight,
               SRCAND);
    StretchBlt(destination, x, y, width, height, source, 0, 0, size.bmWidth, size.bmHeight,
               SRCPAINT);
  } else {
    BitBlt(destination, x, y, width, height, maskContext, 0, sourceY, SRCAND);
    BitBlt(destination, x, y, width, height, source, 0, sourceY, SRCPAINT);
  }
  SelectObject(maskContext, oldMask);
  SelectObject(source, oldPicture);
  DeleteObject(mask);
  DeleteDC(maskContext);
  DeleteDC(source);
}

HBITMAP PictureOf(int width, int height, const std::vector<std::uint32_t>& pixels) {
  HBITMAP bitmap = CreateBitmap(width, height, 1, 32, nullptr);
  testing_support::PixelsOf(bitmap).pixels = pixels;
  return bitmap;
}

TEST_F(GdiRaster, BlackKeyedCopyDrawsEveryPixelButExactBlack) {
  struct Case {
    const char* name;
    std::vector<std::uint32_t> picture;  // 2 x 2
  };
  const Case cases[] = {
      {"all black draws nothing", {0, 0, 0, 0}},
      {"no black draws all", {0x010101, 0xFFFFFF, 0x808080, 0x0000FF}},
      {"mixed", {0x000000, 0x010101, 0x123456, 0x000000}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Canvas surface(6, 5);
    Number(surface.pixels());
    HBITMAP picture = PictureOf(2, 2, c.picture);
    gdi::Bitmap expected = Snapshot(surface.pixels());
    for (int i = 0; i < 4; ++i) {
      if (c.picture[i] != 0) expected.Row(2 + i / 2)[3 + i % 2] = c.picture[i];
    }
    CopyBlackKeyed(surface.dc(), 3, 2, 2, 2, picture, 0, false);
    EXPECT_TRUE(SamePixels(surface.pixels(), expected));
    DeleteObject(picture);
  }
}

TEST_F(GdiRaster, BlackKeyedCopyFromASourceRowDrawsOneFrameOfAStrip) {
  // Three 2 x 2 frames on top of one another, each with one black pixel.
  const std::uint32_t frames[3] = {0x110000, 0x002200, 0x000033};
  std::vector<std::uint32_t> strip;
  for (std::uint32_t colour : frames) strip.insert(strip.end(), {0, colour, colour, colour});
  HBITMAP picture = PictureOf(2, 6, strip);
  for (int frame = 0; frame < 3; ++frame) {
    SCOPED_TRACE(frame);
    Canvas surface(5, 4, 0xFFFFFF);
    gdi::Bitmap expected = Snapshot(surface.pixels());
    Paint(expected, RECT{1, 1, 3, 3}, frames[frame]);
    expected.Row(1)[1] = 0xFFFFFF;
    CopyBlackKeyed(surface.dc(), 1, 1, 2, 2, picture, 2 * frame, false);
    EXPECT_TRUE(SamePixels(surface.pixels(), expected));
  }
  DeleteObject(picture);
}

TEST_F(GdiRaster, StretchedBlackKeyedCopyKeepsTheTransparentPixelsTransparent) {
  HBITMAP picture = PictureOf(2, 2, {0, 0x123456, 0x654321, 0});
  Canvas surface(7, 6);
  Number(surface.pixels());
  gdi::Bitmap expected = Snapshot(surface.pixels());
  Paint(expected, RECT{3, 1, 5, 3}, 0x123456);
  Paint(expected, RECT{1, 3, 3, 5}, 0x654321);
  CopyBlackKeyed(surface.dc(), 1, 1, 4, 4, picture, 0, true);
  EXPECT_TRUE(SamePixels(surface.pixels(), expected));
  DeleteObject(picture);
}

TEST_F(GdiRaster, CaptureThenCopyBackLeavesTheSurfaceUnchanged) {
  Canvas surface(16, 12);
  Number(surface.pixels());
  const gdi::Bitmap before = Snapshot(surface.pixels());

  HDC memory = CreateCompatibleDC(surface.dc());
  HBITMAP captured = CreateCompatibleBitmap(surface.dc(), 9, 5);
  HGDIOBJ old = SelectObject(memory, captured);
  EXPECT_TRUE(BitBlt(memory, 0, 0, 9, 5, surface.dc(), 4, 3, SRCCOPY));
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 9; ++x) {
      ASSERT_EQ(testing_support::PixelsOf(captured).Row(y)[x], before.Row(y + 3)[x + 4]);
    }
  }
  EXPECT_TRUE(BitBlt(surface.dc(), 4, 3, 9, 5, memory, 0, 0, SRCCOPY));
  EXPECT_TRUE(SamePixels(surface.pixels(), before));
  SelectObject(memory, old);
  DeleteObject(captured);
  DeleteDC(memory);
}

// Where a plain copy lands, worked out pixel by pixel: each destination
// pixel of the rectangle takes the source pixel at the same offset, when
// both lie inside their bitmaps.
gdi::Bitmap ExpectedCopy(const gdi::Bitmap& destination, const gdi::Bitmap& source, int x, int y,
                         int w, int h, int sx, int sy) {
  gdi::Bitmap expected = Snapshot(destination);
  const int x0 = w < 0 ? x + w : x, y0 = h < 0 ? y + h : y;
  const int sx0 = w < 0 ? sx + w : sx, sy0 = h < 0 ? sy + h : sy;
  for (int j = 0; j < std::abs(h); ++j) {
    for (int i = 0; i < std::abs(w); ++i) {
      const int dx = x0 + i, dy = y0 + j, fx = sx0 + i, fy = sy0 + j;
      if (dx < 0 || dy < 0 || dx >= destination.width || dy >= destination.height) continue;
      if (fx < 0 || fy < 0 || fx >= source.width || fy >= source.height) continue;
      expected.Row(dy)[dx] = source.Row(fy)[fx];
    }
  }
  return expected;
}

TEST_F(GdiRaster, CopiesAreCutToBothBitmapsAtEveryEdge) {
  struct Case {
    const char* name;
    int x, y, w, h, sx, sy;
  };
  const Case cases[] = {
      {"inside both", 2, 1, 4, 3, 1, 1},
      {"destination left and top", -2, -1, 5, 4, 0, 0},
      {"destination right and bottom", 7, 5, 6, 6, 0, 0},
      {"source left and top", 1, 1, 5, 4, -2, -3},
      {"source right and bottom", 0, 0, 6, 5, 5, 3},
      {"larger than either", -3, -3, 30, 30, -1, -2},
      {"far outside the destination", 20, 0, 3, 3, 0, 0},
      {"far outside the source", 0, 0, 3, 3, 8, -9},
      {"zero width", 2, 2, 0, 3, 0, 0},
      {"backwards extents", 5, 4, -3, -2, 4, 3},
      {"backwards past the edges", 2, 1, -6, -5, 1, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Canvas source(8, 6);
    Number(source.pixels());
    Canvas destination(10, 7, 0xEEEEEE);
    const gdi::Bitmap expected =
        ExpectedCopy(destination.pixels(), source.pixels(), c.x, c.y, c.w, c.h, c.sx, c.sy);
    EXPECT_TRUE(BitBlt(destination.dc(), c.x, c.y, c.w, c.h, source.dc(), c.sx, c.sy, SRCCOPY));
    EXPECT_TRUE(SamePixels(destination.pixels(), expected));
  }
}

TEST_F(GdiRaster, CopiesWithinOneBitmapReadTheSourceAsItWasBefore) {
  struct Case {
    const char* name;
    int x, y, sx, sy;
  };
  const Case cases[] = {
      {"right and down", 3, 2, 0, 0}, {"left and up", 0, 0, 2, 3}, {"down only", 1, 1, 1, 0},
      {"right only", 1, 1, 0, 1},     {"onto itself", 2, 2, 2, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Canvas canvas(12, 10);
    Number(canvas.pixels());
    const gdi::Bitmap before = Snapshot(canvas.pixels());
    const gdi::Bitmap expected = ExpectedCopy(before, before, c.x, c.y, 8, 6, c.sx, c.sy);
    EXPECT_TRUE(BitBlt(canvas.dc(), c.x, c.y, 8, 6, canvas.dc(), c.sx, c.sy, SRCCOPY));
    EXPECT_TRUE(SamePixels(canvas.pixels(), expected));
  }
  // Stretched onto itself: the 3 x 2 block at (0, 0) doubled at (1, 1).
  Canvas canvas(8, 6);
  Number(canvas.pixels());
  const gdi::Bitmap before = Snapshot(canvas.pixels());
  gdi::Bitmap expected = Snapshot(before);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) expected.Row(1 + y)[1 + x] = before.Row(y / 2)[x / 2];
  }
  EXPECT_TRUE(StretchBlt(canvas.dc(), 1, 1, 6, 4, canvas.dc(), 0, 0, 3, 2, SRCCOPY));
  EXPECT_TRUE(SamePixels(canvas.pixels(), expected));
}

TEST_F(GdiRaster, StretchingTakesTheNearestPixelAndMirrorsOppositeExtents) {
  // Source pixels 1 .. 8 in a 4 x 2 bitmap: 1 2 3 4 / 5 6 7 8.
  struct Case {
    const char* name;
    int x, y, w, h, sx, sy, sw, sh;
    int width, height;  // of the destination, filled with 0
    std::vector<std::uint32_t> expected;
  };
  const Case cases[] = {
      {"twice the size", 0, 0, 8, 4, 0, 0, 4, 2, 8, 4, {1, 1, 2, 2, 3, 3, 4, 4, 1, 1, 2,
                                                        2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7,
                                                        8, 8, 5, 5, 6, 6, 7, 7, 8, 8}},
      {"half the size", 0, 0, 2, 1, 0, 0, 4, 2, 2, 1, {6, 8}},
      {"mirrored across", 4, 0, -4, 2, 0, 0, 4, 2, 4, 2, {4, 3, 2, 1, 8, 7, 6, 5}},
      {"mirrored upside down", 0, 0, 4, 2, 0, 2, 4, -2, 4, 2, {5, 6, 7, 8, 1, 2, 3, 4}},
      {"both backwards is not mirrored",
       4,
       2,
       -4,
       -2,
       4,
       2,
       -4,
       -2,
       4,
       2,
       {1, 2, 3, 4, 5, 6, 7, 8}},
      {"one column widened", 1, 0, 3, 2, 2, 0, 1, 2, 5, 2, {0, 3, 3, 3, 0, 0, 7, 7, 7, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Canvas source(4, 2);
    for (int i = 0; i < 8; ++i) source.pixels().pixels[i] = static_cast<std::uint32_t>(i + 1);
    Canvas destination(c.width, c.height);
    EXPECT_TRUE(StretchBlt(destination.dc(), c.x, c.y, c.w, c.h, source.dc(), c.sx, c.sy, c.sw,
                           c.sh, SRCCOPY));
    EXPECT_EQ(destination.pixels().pixels, c.expected);
  }
}

TEST_F(GdiRaster, HugeStretchesDrawOnlyWhatIsVisible) {
  Canvas source(4, 2);
  for (int i = 0; i < 8; ++i) source.pixels().pixels[i] = static_cast<std::uint32_t>(i + 1);
  Canvas destination(16, 8);
  // The bitmap sits in the middle of a picture blown up a billion times:
  // every pixel of it comes from column 2 of row 1.
  EXPECT_TRUE(StretchBlt(destination.dc(), -1000000000, -1000000000, 2000000000, 2000000000,
                         source.dc(), 0, 0, 4, 2, SRCCOPY));
  const gdi::Bitmap middle = Picture(16, 8, 7);
  EXPECT_TRUE(SamePixels(destination.pixels(), middle));
  // A vast source whose real pixels fall between the destination's: nothing
  // to read, nothing drawn, nothing read outside the source.
  EXPECT_TRUE(StretchBlt(destination.dc(), 0, 0, 16, 8, source.dc(), -2000000000, -2000000000,
                         2147483647, 2147483647, SRCCOPY));
  EXPECT_TRUE(
      StretchBlt(destination.dc(), 0, 0, -2147483647 - 1, 8, source.dc(), 0, 0, 4, 2, SRCCOPY));
  EXPECT_TRUE(SamePixels(destination.pixels(), middle));
}

TEST_F(GdiRaster, WindowContextsDrawInsideTheirClipAndReportWhatChanged) {
  struct Recorder : gdi::ChangeListener {
    void Changed(const RECT& area) override { changed.push_back(area); }
    std::vector<RECT> changed;
  };
  // What the drawings below draw with.
  struct Tools {
    HDC picture;
    HBRUSH brush;
  };
  Canvas picture(40, 40, 0x00FF00);
  const Tools tools{picture.dc(), CreateSolidBrush(0x0000FF)};
  struct Case {
    const char* name;
    void (*draw)(HDC dc, const Tools& tools);
  };
  const Case cases[] = {
      {"BitBlt",
       [](HDC dc, const Tools& t) { BitBlt(dc, -5, -5, 40, 40, t.picture, 0, 0, SRCCOPY); }},
      {"StretchBlt",
       [](HDC dc, const Tools& t) {
         StretchBlt(dc, -9, -9, 80, 80, t.picture, 0, 0, 40, 40, SRCINVERT);
       }},
      {"PatBlt", [](HDC dc, const Tools&) { PatBlt(dc, -9, -9, 80, 80, WHITENESS); }},
      {"Rectangle",
       [](HDC dc, const Tools& t) {
         HGDIOBJ old = SelectObject(dc, t.brush);
         Rectangle(dc, -20, -20, 90, 90);
         SelectObject(dc, old);
       }},
      {"Ellipse",
       [](HDC dc, const Tools& t) {
         HGDIOBJ old = SelectObject(dc, t.brush);
         Ellipse(dc, -30, -30, 40, 40);
         SelectObject(dc, old);
       }},
      {"GradientFill",
       [](HDC dc, const Tools&) {
         TRIVERTEX v[2] = {{-50, -50, 0xFF00, 0, 0, 0}, {60, 60, 0, 0, 0xFF00, 0}};
         GRADIENT_RECT mesh{0, 1};
         GradientFill(dc, v, 2, &mesh, 1, GRADIENT_FILL_RECT_H);
       }},
      {"FillRect",
       [](HDC dc, const Tools& t) {
         const RECT r{-100, -100, 100, 100};
         FillRect(dc, &r, t.brush);
       }},
      {"FrameRect",
       [](HDC dc, const Tools& t) {
         const RECT r{-1, -1, 5, 5};
         FrameRect(dc, &r, t.brush);
       }},
      {"DrawFocusRect",
       [](HDC dc, const Tools&) {
         const RECT r{-2, 1, 20, 4};
         DrawFocusRect(dc, &r);
       }},
      {"SetPixel",
       [](HDC dc, const Tools&) {
         for (int i = -3; i < 20; ++i) SetPixel(dc, i, i, 0x00FFFF);
       }},
  };
  // A frame buffer 24 x 16 whose window starts at (6, 4) and may draw in
  // the 10 x 8 rectangle there.
  const RECT clip{6, 4, 16, 12};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    gdi::Bitmap* frame = gdi::NewFrameBuffer(24, 16);
    Recorder recorder;
    frame->listener = &recorder;
    HDC dc = gdi::CreateWindowDc(frame, nullptr, POINT{6, 4}, clip);
    c.draw(dc, tools);

    RECT drawn{24, 16, 0, 0};  // bounds of the pixels that changed
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 24; ++x) {
        if (frame->Row(y)[x] == 0) continue;
        drawn = RECT{std::min<LONG>(drawn.left, x), std::min<LONG>(drawn.top, y),
                     std::max<LONG>(drawn.right, x + 1), std::max<LONG>(drawn.bottom, y + 1)};
      }
    }
    ASSERT_LT(drawn.left, drawn.right) << "nothing drawn";
    EXPECT_GE(drawn.left, clip.left);
    EXPECT_GE(drawn.top, clip.top);
    EXPECT_LE(drawn.right, clip.right);
    EXPECT_LE(drawn.bottom, clip.bottom);
    RECT reported{24, 16, 0, 0};
    for (const RECT& r : recorder.changed) {
      EXPECT_TRUE(r.left >= clip.left && r.top >= clip.top && r.right <= clip.right &&
                  r.bottom <= clip.bottom);
      reported = RECT{std::min(reported.left, r.left), std::min(reported.top, r.top),
                      std::max(reported.right, r.right), std::max(reported.bottom, r.bottom)};
    }
    EXPECT_TRUE(reported.left <= drawn.left && reported.top <= drawn.top &&
                reported.right >= drawn.right && reported.bottom >= drawn.bottom)
        << "reported " << reported.left << "," << reported.top << "," << reported.right << ","
        << reported.bottom;

    // A minimised window's frame buffer has no pixels: nothing is drawn or reported.
    gdi::ResizeFrameBuffer(frame, 0, 0);
    recorder.changed.clear();
    c.draw(dc, tools);
    EXPECT_TRUE(recorder.changed.empty());
    DeleteDC(dc);
    gdi::Destroy(frame);
  }
  DeleteObject(tools.brush);
}

TEST_F(GdiRaster, CopiesFromAWindowContextReadOnlyItsOwnPart) {
  gdi::Bitmap* frame = gdi::NewFrameBuffer(20, 10);
  Number(*frame);
  HDC window = gdi::CreateWindowDc(frame, nullptr, POINT{5, 2}, RECT{5, 2, 12, 8});
  Canvas copy(10, 8, 0xEEEEEE);
  // Logical (-1, -1) lies outside the window: the copy starts one pixel in.
  EXPECT_TRUE(BitBlt(copy.dc(), 0, 0, 10, 8, window, -1, -1, SRCCOPY));
  gdi::Bitmap expected = Picture(10, 8, 0xEEEEEE);
  for (int y = 1; y < 7; ++y) {
    for (int x = 1; x < 8; ++x) expected.Row(y)[x] = frame->Row(y + 1)[x + 4];
  }
  EXPECT_TRUE(SamePixels(copy.pixels(), expected));
  DeleteDC(window);
  gdi::Destroy(frame);
}

TEST_F(GdiRaster, BadHandlesFailWithTheErrorAndPatternsNeedNoSource) {
  Canvas canvas(4, 4, 0x123456);
  SetLastError(0);
  EXPECT_FALSE(BitBlt(nullptr, 0, 0, 1, 1, canvas.dc(), 0, 0, SRCCOPY));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  SetLastError(0);
  EXPECT_FALSE(StretchBlt(canvas.dc(), 0, 0, 1, 1, reinterpret_cast<HDC>(canvas.bitmap()), 0, 0, 1,
                          1, SRCCOPY));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_FALSE(PatBlt(canvas.dc(), 0, 0, 1, 1, SRCCOPY));  // a pattern call cannot read a source
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);

  gdi::Bitmap expected = Picture(4, 4, 0x123456);
  EXPECT_TRUE(BitBlt(canvas.dc(), 0, 0, 2, 1, nullptr, 0, 0, BLACKNESS));
  Paint(expected, RECT{0, 0, 2, 1}, 0);
  EXPECT_TRUE(BitBlt(canvas.dc(), 2, 3, 2, 1, nullptr, 0, 0, WHITENESS));
  Paint(expected, RECT{2, 3, 4, 4}, 0xFFFFFF);
  HBRUSH brush = CreateSolidBrush(0x0000FF);
  HGDIOBJ old = SelectObject(canvas.dc(), brush);
  EXPECT_TRUE(PatBlt(canvas.dc(), 3, 2, -2, -1, PATCOPY));  // backwards: columns 1, 2 of row 1
  Paint(expected, RECT{1, 1, 3, 2}, 0xFF0000);
  SelectObject(canvas.dc(), GetStockObject(NULL_BRUSH));
  EXPECT_TRUE(PatBlt(canvas.dc(), 0, 0, 4, 4, PATCOPY));  // a hollow brush paints nothing
  EXPECT_TRUE(SamePixels(canvas.pixels(), expected));
  SelectObject(canvas.dc(), old);
  DeleteObject(brush);
}

TEST_F(GdiRaster, PixelsAreSetAndReadOnlyInsideTheBitmapAndClip) {
  Canvas colour(3, 2);
  Canvas mono(3, 2, 0, 1);
  struct Case {
    HDC dc;
    int x, y;
    COLORREF set, returned;
  };
  const Case cases[] = {
      {colour.dc(), 1, 1, 0x123456, 0x123456},
      {colour.dc(), 0, 0, 0xFF123456, 0x123456},  // the high byte is not a colour
      {colour.dc(), -1, 0, 0x123456, CLR_INVALID},
      {colour.dc(), 3, 0, 0x123456, CLR_INVALID},
      {colour.dc(), 0, 2, 0x123456, CLR_INVALID},
      {mono.dc(), 0, 0, 0x808080, 0xFFFFFF},  // nearer white
      {mono.dc(), 1, 0, 0x7F7F7F, 0x000000},  // nearer black
      {mono.dc(), 2, 1, 0x0000FF, 0x000000},
      {mono.dc(), 5, 5, 0xFFFFFF, CLR_INVALID},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.x << "," << c.y << " " << std::hex << c.set);
    EXPECT_EQ(SetPixel(c.dc, c.x, c.y, c.set), c.returned);
    EXPECT_EQ(GetPixel(c.dc, c.x, c.y), c.returned);
  }
  EXPECT_EQ(colour.pixels().pixels, (std::vector<std::uint32_t>{0x563412, 0, 0, 0, 0x563412, 0}));
  EXPECT_EQ(mono.pixels().pixels, (std::vector<std::uint32_t>{1, 0, 0, 0, 0, 0}));
  EXPECT_EQ(GetPixel(nullptr, 0, 0), CLR_INVALID);

  gdi::Bitmap* frame = gdi::NewFrameBuffer(8, 8);
  HDC window = gdi::CreateWindowDc(frame, nullptr, POINT{2, 2}, RECT{2, 2, 5, 5});
  EXPECT_EQ(SetPixel(window, 0, 0, 0x0000FF), 0x0000FFu);
  EXPECT_EQ(frame->Row(2)[2], 0xFF0000u);
  EXPECT_EQ(SetPixel(window, 3, 0, 0x0000FF), CLR_INVALID);  // inside the frame, outside the clip
  EXPECT_EQ(GetPixel(window, 3, 0), CLR_INVALID);
  EXPECT_EQ(GetPixel(window, -1, 0), CLR_INVALID);
  DeleteDC(window);
  gdi::Destroy(frame);
}

}  // namespace
