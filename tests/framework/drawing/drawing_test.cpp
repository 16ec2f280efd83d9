#include <gtest/gtest.h>

#include "framework/drawing/drawing.h"
#include "framework/elements/font.h"
#include "platform/gdi/bmp_writer.h"
#include "platform/gdi/objects.h"
#include "tests/support/temp_folder.h"

namespace {

using VexaUtility::Drawing;

constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kWhite = 0xFFFFFF;

// A back-buffer surface: a memory context holding a colour bitmap.
class Surface {
 public:
  Surface(int width, int height) : drawing(nullptr) {
    HDC memory = CreateCompatibleDC(nullptr);
    bitmap = CreateBitmap(width, height, 1, 32, nullptr);
    DeleteObject(SelectObject(memory, bitmap));
    drawing.AttachDc(memory);
  }
  COLORREF At(int x, int y) { return GetPixel(drawing.dc, x, y); }
  void Fill(COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    RECT all{0, 0, 1000, 1000};
    FillRect(drawing.dc, &all, brush);
    DeleteObject(brush);
  }
  Drawing drawing;
  HBITMAP bitmap;
};

// A picture made pixel by pixel.
HBITMAP Picture(int width, int height, const std::vector<COLORREF>& pixels) {
  HBITMAP bitmap = CreateBitmap(width, height, 1, 32, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) SetPixel(dc, x, y, pixels[static_cast<std::size_t>(y * width + x)]);
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  return bitmap;
}

TEST(Drawing, AnInactiveSurfaceDrawsNothingAndFailsNothing) {
  Drawing surface(nullptr);
  surface.PutPixel(0, 0, kRed);
  surface.OutlineRect(0, 0, 5, 5, kRed);
  surface.DrawString(0, 0, 0, 0, "x", kRed, nullptr, 0);
  EXPECT_EQ(surface.PixelAt(0, 0), 0u);
  EXPECT_EQ(surface.TextHeight(nullptr), -1);
  EXPECT_EQ(surface.CaptureRegion(0, 0, 4, 4), nullptr);
  EXPECT_EQ(surface.PasteBitmap(nullptr), 0);
}

TEST(Drawing, TheBackBufferSurfaceReleasesItsContextAndBitmap) {
  const std::size_t before = gdi::LiveObjectCount();
  {
    Surface s(10, 10);
    EXPECT_EQ(gdi::LiveObjectCount(), before + 2);
  }
  EXPECT_EQ(gdi::LiveObjectCount(), before);
}

TEST(Drawing, ShapesCoverTheirRectangleAndNoMore) {
  Surface s(20, 20);
  s.Fill(kWhite);
  s.drawing.DrawFilledRect(2, 3, 5, 4, 0x00FF00, 0, 0);
  EXPECT_EQ(s.At(2, 3), 0x00FF00u);
  EXPECT_EQ(s.At(6, 6), 0x00FF00u);
  EXPECT_EQ(s.At(7, 6), kWhite);
  EXPECT_EQ(s.At(6, 7), kWhite);
  EXPECT_EQ(s.At(1, 3), kWhite);

  s.drawing.OutlineRect(10, 10, 6, 6, kRed);  // the inside stays
  EXPECT_EQ(s.At(10, 10), kRed);
  EXPECT_EQ(s.At(15, 15), kRed);
  EXPECT_EQ(s.At(12, 12), kWhite);
  EXPECT_EQ(s.At(16, 16), kWhite);

  s.Fill(kWhite);
  s.drawing.FillEllipse(0, 0, 17, 17);  // the ball
  EXPECT_EQ(s.At(8, 8), kRed);
  EXPECT_EQ(s.At(0, 0), kWhite);
  EXPECT_EQ(s.At(16, 16), kWhite);
  EXPECT_EQ(s.At(17, 8), kWhite);
}

TEST(Drawing, GradientRunsFromTheLeftColourToTheRightOne) {
  Surface s(60, 20);
  s.Fill(kWhite);
  s.drawing.GradientRect(5, 1, 38, 18, 0x0000FF, 0xFF0000);  // a brick: red to blue
  EXPECT_EQ(s.At(5, 5), 0x0000FFu);
  const COLORREF right = s.At(42, 5);
  EXPECT_GE(GetBValue(right), 0xF0);
  EXPECT_LE(GetRValue(right), 0x0F);
  const COLORREF middle = s.At(24, 10);
  EXPECT_GT(GetRValue(middle), 0x40);
  EXPECT_GT(GetBValue(middle), 0x40);
  EXPECT_EQ(s.At(43, 5), kWhite);
  EXPECT_EQ(s.At(5, 19), kWhite);
}

struct TransparentCase {
  const char* name;
  std::vector<COLORREF> picture;  // 2 x 2
  std::vector<COLORREF> expected;
};

TEST(Drawing, OnlyExactBlackIsTransparent) {
  const TransparentCase cases[] = {
      {"all black draws nothing", {0, 0, 0, 0}, {kWhite, kWhite, kWhite, kWhite}},
      {"no black is opaque", {kRed, 0x010101, 0x00FF00, 0x123456},
       {kRed, 0x010101, 0x00FF00, 0x123456}},
      {"mixed", {0, kRed, 0x010101, 0}, {kWhite, kRed, 0x010101, kWhite}},
  };
  for (const TransparentCase& c : cases) {
    Surface s(4, 4);
    s.Fill(kWhite);
    HBITMAP picture = Picture(2, 2, c.picture);
    s.drawing.BlitTransparent(1, 1, 2, 2, picture, 0);
    const std::vector<COLORREF> got{s.At(1, 1), s.At(2, 1), s.At(1, 2), s.At(2, 2)};
    EXPECT_EQ(got, c.expected) << c.name;
    EXPECT_EQ(s.At(0, 0), kWhite) << c.name;
    EXPECT_EQ(s.At(3, 3), kWhite) << c.name;
    DeleteObject(picture);
  }
}

TEST(Drawing, ATransparentStripDrawsTheFrameOfItsSourceRow) {
  // Three frames of 2 x 1 stacked: red, green, blue; the right pixel black.
  HBITMAP strip = Picture(2, 3, {kRed, 0, 0x00FF00, 0, 0xFF0000, 0});
  Surface s(3, 1);
  s.Fill(kWhite);
  s.drawing.BlitTransparent(0, 0, 2, 1, strip, 2);  // frame 3
  EXPECT_EQ(s.At(0, 0), 0xFF0000u);
  EXPECT_EQ(s.At(1, 0), kWhite);
  s.drawing.BlitRegion(1, 0, 2, 1, strip, 0, 1);  // frame 2, opaque
  EXPECT_EQ(s.At(1, 0), 0x00FF00u);
  EXPECT_EQ(s.At(2, 0), 0u);
  DeleteObject(strip);
}

TEST(Drawing, StretchedTransparencyKeepsTransparentPixelsTransparent) {
  HBITMAP picture = Picture(2, 1, {kRed, 0});
  Surface s(5, 2);
  s.Fill(kWhite);
  s.drawing.DrawTransparent(0, 0, 4, 2, picture);
  for (int y = 0; y < 2; ++y) {
    EXPECT_EQ(s.At(0, y), kRed);
    EXPECT_EQ(s.At(1, y), kRed);
    EXPECT_EQ(s.At(2, y), kWhite);
    EXPECT_EQ(s.At(3, y), kWhite);
  }
  s.Fill(kWhite);
  s.drawing.DrawTransparent(1, 0, 0, 0, picture);  // natural size
  EXPECT_EQ(s.At(1, 0), kRed);
  EXPECT_EQ(s.At(2, 0), kWhite);
  EXPECT_EQ(s.At(1, 1), kWhite);
  DeleteObject(picture);
}

TEST(Drawing, CaptureThenDrawLeavesTheSurfaceUnchangedAndReleasesEverything) {
  Surface s(30, 30);
  s.Fill(kWhite);
  s.drawing.GradientRect(0, 0, 30, 30, kRed, 0x00FF00);
  std::vector<COLORREF> before;
  for (int i = 0; i < 30; ++i) before.push_back(s.At(i, i));
  const std::size_t objects = gdi::LiveObjectCount();
  HBITMAP saved = s.drawing.CaptureRegion(5, 5, 12, 12);
  ASSERT_NE(saved, nullptr);
  s.drawing.DrawFilledRect(0, 0, 30, 30, 0, 0, 0);
  s.drawing.DrawBitmap(5, 5, 0, 0, saved);
  EXPECT_EQ(s.At(5, 5), before[5]);
  EXPECT_EQ(s.At(16, 16), before[16]);
  EXPECT_EQ(s.At(17, 17), 0u);
  DeleteObject(saved);
  EXPECT_EQ(gdi::LiveObjectCount(), objects);
}

// A picture that is not there, null or already deleted, copies nothing
// visible by any copy operation, and the operation releases what it made.
TEST(Drawing, AMissingPictureCopiesNothingVisible) {
  using Copy = void (*)(Drawing&, HBITMAP);
  const std::pair<const char*, Copy> copies[] = {
      {"PasteBitmap", [](Drawing& d, HBITMAP b) { d.PasteBitmap(b); }},
      {"DrawBitmap", [](Drawing& d, HBITMAP b) { d.DrawBitmap(1, 1, 0, 0, b); }},
      {"DrawBitmap stretched", [](Drawing& d, HBITMAP b) { d.DrawBitmap(1, 1, 4, 4, b); }},
      {"BlitRegion", [](Drawing& d, HBITMAP b) { d.BlitRegion(1, 1, 4, 4, b, 0, 0); }},
      {"BlitTransparent", [](Drawing& d, HBITMAP b) { d.BlitTransparent(1, 1, 4, 4, b, 0); }},
      {"DrawTransparent", [](Drawing& d, HBITMAP b) { d.DrawTransparent(1, 1, 0, 0, b); }},
      {"DrawTransparent stretched",
       [](Drawing& d, HBITMAP b) { d.DrawTransparent(1, 1, 4, 4, b); }},
  };
  HBITMAP deleted = Picture(2, 2, {kRed, kRed, kRed, kRed});
  DeleteObject(deleted);
  for (HBITMAP missing : {static_cast<HBITMAP>(nullptr), deleted}) {
    for (const auto& [what, copy] : copies) {
      Surface s(6, 6);
      s.Fill(kWhite);
      const std::size_t objects = gdi::LiveObjectCount();
      copy(s.drawing, missing);
      for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x) {
          EXPECT_EQ(s.At(x, y), kWhite) << what << " at (" << x << ", " << y << ")"
                                        << (missing == nullptr ? ", null" : ", deleted");
        }
      }
      EXPECT_EQ(gdi::LiveObjectCount(), objects) << what;
    }
  }
}

TEST(Drawing, TextLandsInItsBoxInItsColourAlignedAsAsked) {
  VexaUtility::FontSpec font("Lucida Console", 16);
  for (int alignment : {0, 1, 2}) {
    Surface s(200, 40);
    s.Fill(0);
    s.drawing.DrawString(10, 5, 180, 30, "Score: 000100", kWhite, &font, alignment);
    int left = 200, right = -1, top = 40, bottom = -1;
    for (int y = 0; y < 40; ++y) {
      for (int x = 0; x < 200; ++x) {
        if (s.At(x, y) == 0) continue;
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
    }
    ASSERT_GE(right, 0) << alignment;
    EXPECT_GE(left, 10);
    EXPECT_LT(right, 190);
    EXPECT_GE(top, 5);
    EXPECT_LT(bottom, 35);
    const int expectedNear[] = {left - 10, 189 - right, (left + right) / 2 - 100};
    EXPECT_LE(std::abs(expectedNear[alignment]), 4) << "alignment " << alignment;
  }
  Surface s(50, 30);
  EXPECT_EQ(s.drawing.TextHeight(nullptr), -1);
  EXPECT_EQ(s.drawing.TextHeight(&font), 16);
}

TEST(Drawing, TextWithoutABoxStartsAtItsPointWhateverTheAlignment) {
  VexaUtility::FontSpec font("Lucida Console", 16);
  Surface s(200, 30);
  s.Fill(0);
  s.drawing.DrawString(50, 5, 0, 20, "Level: 1", kWhite, &font, 1);
  int left = 200;
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 200; ++x) {
      if (s.At(x, y) != 0) left = std::min(left, x);
    }
  }
  EXPECT_GE(left, 50);
  EXPECT_LT(left, 54);
  EXPECT_EQ(GetTextColor(s.drawing.dc), 0u);  // the colour is given back
}

TEST(Drawing, LoadBitmapFileReadsABitmapAndRefusesWhatIsNot) {
  testing_support::TempFolder folder;
  HBITMAP made = Picture(3, 2, {kRed, 0, kWhite, 0x00FF00, 0xFF0000, 0x123456});
  ASSERT_TRUE(gdi::WriteBmpFile(folder / "p.bmp", *gdi::LookupBitmap(made), 24));
  DeleteObject(made);
  HBITMAP loaded = VexaUtility::LoadBitmapFile(folder.path() + "\\p.bmp");
  ASSERT_NE(loaded, nullptr);
  BITMAP info{};
  GetObjectW(loaded, sizeof info, &info);
  EXPECT_EQ(info.bmWidth, 3);
  EXPECT_EQ(info.bmHeight, 2);
  Surface s(3, 2);
  s.drawing.PasteBitmap(loaded);
  EXPECT_EQ(s.At(0, 0), kRed);
  EXPECT_EQ(s.At(2, 1), 0x123456u);
  DeleteObject(loaded);
  EXPECT_EQ(VexaUtility::LoadBitmapFile(folder.path() + "\\missing.bmp"), nullptr);
  testing_support::WriteBytes(folder / "text.bmp", "not a picture");
  EXPECT_EQ(VexaUtility::LoadBitmapFile(folder.path() + "\\text.bmp"), nullptr);
}

TEST(RandomBetween, StaysInItsRange) {
  for (int i = 0; i < 200; ++i) EXPECT_EQ(VexaUtility::RandomBetween(1, 1), 1);
  bool seen[3] = {};
  for (int i = 0; i < 300; ++i) {
    const int r = VexaUtility::RandomBetween(5, 7);
    ASSERT_GE(r, 5);
    ASSERT_LE(r, 7);
    seen[r - 5] = true;
  }
  EXPECT_TRUE(seen[0] && seen[1] && seen[2]);
  for (int i = 0; i < 100; ++i) {
    const int x = VexaUtility::RandomBetween(0, 776);
    ASSERT_GE(x, 0);
    ASSERT_LE(x, 776);
  }
  EXPECT_EQ(VexaUtility::RandomBetween(3, 2), 3);  // an empty range
}

}  // namespace
