// Rectangles, ellipses, gradients, the user interface's rectangle helpers
// and icons: which pixels they cover, inside and outside.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/api/gdi.h"
#include "platform/api/kernel.h"
#include "platform/api/user.h"
#include "platform/gdi/objects.h"
#include "tests/support/pixels.h"

namespace {

using testing_support::Canvas;
using testing_support::Paint;
using testing_support::Picture;
using testing_support::SamePixels;
using testing_support::Snapshot;

class GdiShapes : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(gdi::LiveObjectCount(), live_); }

 private:
  std::size_t live_ = gdi::LiveObjectCount();
};

constexpr std::uint32_t kPaper = 0xEEEEEE, kInk = 0x0000FF, kFill = 0x00FF00;  // stored pixels

// Selects a pen and a brush for one drawing and puts the old ones back.
class Tools {
 public:
  Tools(HDC dc, HPEN pen, HBRUSH brush)
      : dc_(dc),
        pen_(pen),
        brush_(brush),
        oldPen_(SelectObject(dc, pen)),
        oldBrush_(SelectObject(dc, brush)) {}
  ~Tools() {
    SelectObject(dc_, oldPen_);
    SelectObject(dc_, oldBrush_);
    if (!gdi::Lookup(pen_)->stock) DeleteObject(pen_);
    if (!gdi::Lookup(brush_)->stock) DeleteObject(brush_);
  }

 private:
  HDC dc_;
  HGDIOBJ pen_, brush_, oldPen_, oldBrush_;
};

HPEN InkPen(int style, int width) {
  return CreatePen(style, width, gdi::ColorFromPixel(kInk));
}
HBRUSH FillBrush() {
  return CreateSolidBrush(gdi::ColorFromPixel(kFill));
}
HBRUSH NoBrush() {
  return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

TEST_F(GdiShapes, RectangleCoversItsBoxWithThePenOutsideAndTheBrushInside) {
  struct Case {
    const char* name;
    int style, width;
    bool brush;
    int left, top, right, bottom;
    RECT ink;     // the pen's outer edge, empty for none
    RECT inside;  // inside the pen: the brush's, or untouched without one
  };
  const Case cases[] = {
      {"one-pixel pen", PS_SOLID, 1, true, 2, 1, 7, 6, {2, 1, 7, 6}, {3, 2, 6, 5}},
      {"null pen fills the whole box", PS_NULL, 1, true, 2, 1, 7, 6, {}, {2, 1, 7, 6}},
      {"null brush keeps the inside", PS_SOLID, 1, false, 2, 1, 7, 6, {2, 1, 7, 6}, {3, 2, 6, 5}},
      {"reversed corners", PS_SOLID, 1, true, 7, 6, 2, 1, {2, 1, 7, 6}, {3, 2, 6, 5}},
      {"wide pen centred", PS_SOLID, 3, true, 2, 1, 8, 7, {1, 0, 9, 8}, {4, 3, 6, 5}},
      {"even pen leans outwards", PS_SOLID, 2, true, 2, 2, 8, 7, {1, 1, 9, 8}, {3, 3, 7, 6}},
      {"inside frame", PS_INSIDEFRAME, 2, true, 2, 1, 8, 7, {2, 1, 8, 7}, {4, 3, 6, 5}},
      {"pen wider than the box", PS_SOLID, 5, true, 4, 3, 6, 5, {2, 1, 8, 7}, {}},
      {"outside the bitmap", PS_SOLID, 1, true, -5, -5, 3, 2, {-5, -5, 3, 2}, {-4, -4, 2, 1}},
      {"empty box", PS_NULL, 1, true, 3, 3, 3, 6, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Canvas canvas(10, 9, kPaper);
    gdi::Bitmap expected = Snapshot(canvas.pixels());
    Paint(expected, c.ink, kInk);
    Paint(expected, c.inside, c.brush ? kFill : kPaper);
    {
      Tools tools(canvas.dc(), InkPen(c.style, c.width), c.brush ? FillBrush() : NoBrush());
      EXPECT_TRUE(Rectangle(canvas.dc(), c.left, c.top, c.right, c.bottom));
    }
    EXPECT_TRUE(SamePixels(canvas.pixels(), expected));
  }
}

// Whether the centre of pixel (x, y) lies inside the ellipse inscribed in
// the box: the figure a filled ellipse must cover exactly.
bool InsideEllipse(const RECT& box, int x, int y) {
  const double a = (box.right - box.left) / 2.0, b = (box.bottom - box.top) / 2.0;
  const double dx = (x + 0.5 - box.left - a) / a, dy = (y + 0.5 - box.top - b) / b;
  return dx * dx + dy * dy <= 1.0 + 1e-9;
}

TEST_F(GdiShapes, AFilledEllipseCoversThePixelsInsideItsBoxAndIsSymmetric) {
  const RECT boxes[] = {{3, 2, 20, 19}, {1, 1, 23, 23}, {4, 6, 13, 11},  {0, 0, 1, 1},
                        {5, 5, 7, 7},   {2, 3, 22, 6},  {-6, -4, 11, 13}};
  for (const RECT& box : boxes) {
    SCOPED_TRACE(::testing::Message()
                 << box.left << "," << box.top << "," << box.right << "," << box.bottom);
    Canvas canvas(24, 24, kPaper);
    gdi::Bitmap expected = Snapshot(canvas.pixels());
    for (int y = 0; y < 24; ++y) {
      for (int x = 0; x < 24; ++x) {
        if (InsideEllipse(box, x, y)) expected.Row(y)[x] = kFill;
      }
    }
    {
      Tools tools(canvas.dc(), static_cast<HPEN>(GetStockObject(NULL_PEN)), FillBrush());
      EXPECT_TRUE(Ellipse(canvas.dc(), box.left, box.top, box.right, box.bottom));
    }
    EXPECT_TRUE(SamePixels(canvas.pixels(), expected));
  }
}

TEST_F(GdiShapes, TheBallIsRoundAndReachesEverySideOfItsBox) {
  // The game's ball: 17 x 17, red, no outline.
  Canvas canvas(25, 25, kPaper);
  {
    Tools tools(canvas.dc(), static_cast<HPEN>(GetStockObject(NULL_PEN)),
                CreateSolidBrush(0x0000FF));
    Ellipse(canvas.dc(), 4, 4, 21, 21);
  }
  const gdi::Bitmap& p = canvas.pixels();
  auto red = [&](int x, int y) { return p.Row(y)[x] == 0xFF0000; };
  int count = 0;
  for (int y = 0; y < 25; ++y) {
    for (int x = 0; x < 25; ++x) {
      const bool inBox = x >= 4 && x < 21 && y >= 4 && y < 21;
      if (!inBox) {
        ASSERT_FALSE(red(x, y)) << x << "," << y;
        continue;
      }
      count += red(x, y);
      ASSERT_EQ(red(x, y), red(24 - x, y)) << x << "," << y;  // mirrored left to right
      ASSERT_EQ(red(x, y), red(x, 24 - y)) << x << "," << y;  // top to bottom
      ASSERT_EQ(red(x, y), red(y, x)) << x << "," << y;       // a circle, not an oval
    }
  }
  for (int i = 4; i < 21; ++i) {
    EXPECT_TRUE(red(i, 12) && red(12, i)) << i;  // the middle row and column run edge to edge
  }
  EXPECT_FALSE(red(4, 4) || red(20, 20));
  EXPECT_NEAR(count, 3.14159 * 8.5 * 8.5, 12);
}

TEST_F(GdiShapes, AnEllipseOutlineClosesRoundItsInterior) {
  Canvas canvas(26, 20, kPaper);
  {
    Tools tools(canvas.dc(), InkPen(PS_SOLID, 1), FillBrush());
    EXPECT_TRUE(Ellipse(canvas.dc(), 2, 3, 24, 18));
  }
  const gdi::Bitmap& p = canvas.pixels();
  const RECT box{2, 3, 24, 18};
  int ink = 0;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 26; ++x) {
      const std::uint32_t here = p.Row(y)[x];
      // Painted exactly where the filled figure would be.
      ASSERT_EQ(here != kPaper, InsideEllipse(box, x, y)) << x << "," << y;
      ink += here == kInk;
      if (here != kFill) continue;
      // No interior pixel touches the paper: the outline has no gap.
      for (auto [nx, ny] : {std::pair{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}}) {
        ASSERT_NE(p.Row(ny)[nx], kPaper) << x << "," << y;
      }
    }
  }
  EXPECT_GT(ink, 40);
}

std::uint32_t Stored(BYTE r, BYTE g, BYTE b) {
  return gdi::PixelFromColor(RGB(r, g, b));
}

TRIVERTEX Vertex(LONG x, LONG y, COLORREF colour) {
  return TRIVERTEX{x,
                   y,
                   static_cast<COLOR16>((colour & 0xFF) << 8),
                   static_cast<COLOR16>(((colour >> 8) & 0xFF) << 8),
                   static_cast<COLOR16>(((colour >> 16) & 0xFF) << 8),
                   0};
}

TEST_F(GdiShapes, AHorizontalGradientRunsFromTheFirstColumnToTheLast) {
  // A brick: 38 x 18 at (3, 2), from 0x0000FF to 0x4D0000 (COLORREF).
  Canvas canvas(44, 22, kPaper);
  TRIVERTEX vertices[] = {Vertex(3, 2, 0x0000FF), Vertex(41, 20, 0x4D0000)};
  GRADIENT_RECT mesh{0, 1};
  EXPECT_TRUE(GradientFill(canvas.dc(), vertices, 2, &mesh, 1, GRADIENT_FILL_RECT_H));
  const gdi::Bitmap& p = canvas.pixels();
  gdi::Bitmap expected = Picture(44, 22, kPaper);
  for (int x = 3; x < 41; ++x) {
    // Red falls from 255 to 0 and blue rises from 0 to 77, linearly.
    const double t = (x - 3) / 37.0;
    const std::uint32_t pixel = p.Row(2)[x];
    EXPECT_NEAR(static_cast<int>(pixel >> 16), 255 * (1 - t), 1.0) << x;
    EXPECT_NEAR(static_cast<int>(pixel & 0xFF), 77 * t, 1.0) << x;
    EXPECT_EQ(pixel & 0x00FF00, 0u);
    Paint(expected, RECT{x, 2, x + 1, 20}, pixel);  // every row the same
  }
  EXPECT_EQ(p.Row(2)[3], Stored(255, 0, 0));
  EXPECT_EQ(p.Row(2)[40], Stored(0, 0, 77));
  EXPECT_TRUE(SamePixels(p, expected));
}

TEST_F(GdiShapes, GradientsRunEitherWayAndSeveralRectanglesGoInOneCall) {
  Canvas canvas(12, 10, kPaper);
  TRIVERTEX vertices[] = {Vertex(1, 1, 0x000000), Vertex(5, 4, 0xFFFFFF), Vertex(11, 9, 0x0000FF),
                          Vertex(7, 5, 0x00FF00)};
  GRADIENT_RECT mesh[] = {{1, 0}, {2, 3}};  // the first given lower right first
  EXPECT_TRUE(GradientFill(canvas.dc(), vertices, 4, mesh, 2, GRADIENT_FILL_RECT_V));
  gdi::Bitmap expected = Picture(12, 10, kPaper);
  const BYTE grey[] = {0, 127, 255};  // rows 1 to 3, from black at the top to white
  for (int i = 0; i < 3; ++i) {
    Paint(expected, RECT{1, 1 + i, 5, 2 + i}, Stored(grey[i], grey[i], grey[i]));
  }
  const BYTE red[] = {0, 85, 170, 255}, green[] = {255, 170, 85, 0};  // rows 5 to 8
  for (int i = 0; i < 4; ++i) {
    Paint(expected, RECT{7, 5 + i, 11, 6 + i}, Stored(red[i], green[i], 0));
  }
  EXPECT_TRUE(SamePixels(canvas.pixels(), expected));
}

TEST_F(GdiShapes, ABadGradientDrawsNothingAndFails) {
  Canvas canvas(6, 6, kPaper);
  TRIVERTEX vertices[] = {Vertex(0, 0, 0xFF), Vertex(6, 6, 0xFF00)};
  GRADIENT_RECT good{0, 1}, bad[] = {{0, 1}, {1, 2}};
  const gdi::Bitmap before = Snapshot(canvas.pixels());
  SetLastError(0);
  EXPECT_FALSE(GradientFill(canvas.dc(), vertices, 2, bad, 2, GRADIENT_FILL_RECT_H));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_FALSE(GradientFill(canvas.dc(), vertices, 2, &good, 1, 2));  // triangles: not drawn here
  EXPECT_FALSE(GradientFill(canvas.dc(), nullptr, 2, &good, 1, GRADIENT_FILL_RECT_H));
  EXPECT_FALSE(GradientFill(nullptr, vertices, 2, &good, 1, GRADIENT_FILL_RECT_H));
  EXPECT_TRUE(SamePixels(canvas.pixels(), before));
}

TEST_F(GdiShapes, FillAndFrameTakeBrushesAndSystemColours) {
  Canvas canvas(10, 8, kPaper);
  gdi::Bitmap expected = Snapshot(canvas.pixels());
  const RECT box{1, 1, 6, 5};
  EXPECT_TRUE(FillRect(canvas.dc(), &box, reinterpret_cast<HBRUSH>(COLOR_HIGHLIGHT + 1)));
  Paint(expected, box, gdi::PixelFromColor(GetSysColor(COLOR_HIGHLIGHT)));
  HBRUSH brush = FillBrush();
  const RECT frame{4, 3, 9, 8};
  EXPECT_TRUE(FrameRect(canvas.dc(), &frame, brush));
  Paint(expected, RECT{4, 3, 9, 4}, kFill);
  Paint(expected, RECT{4, 7, 9, 8}, kFill);
  Paint(expected, RECT{4, 3, 5, 8}, kFill);
  Paint(expected, RECT{8, 3, 9, 8}, kFill);
  const RECT reversed{6, 6, 2, 2};
  EXPECT_TRUE(FillRect(canvas.dc(), &reversed, brush));  // empty: nothing
  EXPECT_TRUE(FillRect(canvas.dc(), &box, NoBrush()));
  EXPECT_FALSE(FillRect(canvas.dc(), &box, reinterpret_cast<HBRUSH>(canvas.bitmap())));
  EXPECT_FALSE(FillRect(canvas.dc(), nullptr, brush));
  EXPECT_TRUE(SamePixels(canvas.pixels(), expected));
  DeleteObject(brush);
}

TEST_F(GdiShapes, AFocusRectangleInvertsEveryOtherOutlinePixelAndTwiceRestores) {
  Canvas canvas(9, 8, kPaper);
  gdi::Bitmap expected = Snapshot(canvas.pixels());
  const RECT focus{1, 1, 8, 6};
  for (int y = 1; y < 6; ++y) {
    for (int x = 1; x < 8; ++x) {
      const bool outline = x == 1 || x == 7 || y == 1 || y == 5;
      if (outline && (x + y) % 2 == 0) expected.Row(y)[x] = kPaper ^ 0xFFFFFF;
    }
  }
  EXPECT_TRUE(DrawFocusRect(canvas.dc(), &focus));
  EXPECT_TRUE(SamePixels(canvas.pixels(), expected));
  EXPECT_TRUE(DrawFocusRect(canvas.dc(), &focus));
  EXPECT_TRUE(SamePixels(canvas.pixels(), Picture(9, 8, kPaper)));
}

TEST_F(GdiShapes, IconsDrawTheNearestImageBlendedByAlpha) {
  // A 16 x 16 image in one colour and a 32 x 32 one whose left column is
  // transparent, the next half opaque, the rest opaque.
  gdi::IconImage small{16, 16, std::vector<std::uint32_t>(256, 0xFF0000FF)};
  gdi::IconImage large{32, 32, std::vector<std::uint32_t>(1024, 0xFF00FF00)};
  for (int y = 0; y < 32; ++y) {
    large.argb[y * 32] = 0x00123456;
    large.argb[y * 32 + 1] = 0x8000FF00;
  }
  gdi::Icon* icon = gdi::NewIcon({small, large});
  HICON handle = reinterpret_cast<HICON>(icon);
  struct Case {
    const char* name;
    int width, height;
    UINT flags;
    RECT covered;
    std::uint32_t colour;  // of the covered area's opaque part
  };
  const Case cases[] = {
      {"as asked by the buttons", 32, 32, DI_NORMAL | DI_COMPAT, {2, 1, 34, 33}, 0x00FF00},
      {"natural size", 0, 0, DI_NORMAL, {2, 1, 34, 33}, 0x00FF00},
      {"default size", 0, 0, DI_NORMAL | DI_DEFAULTSIZE, {2, 1, 34, 33}, 0x00FF00},
      {"small picks the small image", 16, 16, DI_NORMAL, {2, 1, 18, 17}, 0x0000FF},
      {"stretched from the nearest", 20, 20, DI_NORMAL, {2, 1, 22, 21}, 0x0000FF},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Canvas canvas(40, 36, kPaper);
    gdi::Bitmap expected = Snapshot(canvas.pixels());
    Paint(expected, c.covered, c.colour);
    if (c.colour == 0x00FF00) {
      Paint(expected, RECT{2, 1, 3, 33}, kPaper);    // alpha 0
      Paint(expected, RECT{3, 1, 4, 33}, 0x77F777);  // alpha 128 over 0xEEEEEE
    }
    EXPECT_TRUE(DrawIconEx(canvas.dc(), 2, 1, handle, c.width, c.height, 0, nullptr, c.flags));
    EXPECT_TRUE(SamePixels(canvas.pixels(), expected));
  }
  Canvas canvas(4, 4);
  EXPECT_FALSE(DrawIconEx(canvas.dc(), 0, 0, nullptr, 0, 0, 0, nullptr, DI_NORMAL));
  gdi::Destroy(icon);
}

}  // namespace
