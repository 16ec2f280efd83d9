#include <gtest/gtest.h>

#include "framework/drawing/drawing.h"
#include "framework/games/sprite.h"

namespace {

using namespace VexaUtility;

constexpr COLORREF kBlue = 0x00FF0000, kRed = 0x000000FF, kBlack = 0;

// A memory surface of 100 x 60, all blue.
struct Surface {
  Surface() {
    dc = CreateCompatibleDC(nullptr);
    bitmap = CreateBitmap(100, 60, 1, 32, nullptr);
    old = SelectObject(dc, bitmap);
    drawing.dc = dc;
    drawing.DrawFilledRect(0, 0, 100, 60, kBlue, 0, kBlue);
    EXPECT_EQ(drawing.PixelAt(99, 59), kBlue);
  }
  ~Surface() {
    drawing.dc = nullptr;
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  HDC dc;
  HBITMAP bitmap;
  HGDIOBJ old;
  Drawing drawing{nullptr};
};

// A two-frame strip 10 x 5 each: frame 1 red with a black (see-through)
// left column, frame 2 all red.
HBITMAP Strip() {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP strip = CreateBitmap(10, 10, 1, 32, nullptr);
  HGDIOBJ old = SelectObject(dc, strip);
  HBRUSH red = CreateSolidBrush(kRed);
  RECT all{0, 0, 10, 10}, hole{0, 0, 1, 5};
  FillRect(dc, &all, red);
  FillRect(dc, &hole, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  DeleteObject(red);
  SelectObject(dc, old);
  DeleteDC(dc);
  return strip;
}

TEST(Sprite, EachSpriteTakesTheNextCountAsItsId) {
  const std::int32_t before = spriteCount;
  Sprite a(10, 5), b(10, 5);
  EXPECT_EQ(a.id, before + 1);
  EXPECT_EQ(b.id, before + 2);
  EXPECT_EQ(spriteCount, before + 2);
  EXPECT_EQ(a.lastX, -1);
  EXPECT_FALSE(a.drawn);
}

TEST(Sprite, TheDefaultDrawSavesWhatItCoversAndEraseRestoresIt) {
  Surface s;
  Sprite sprite(10, 5);
  sprite.image = Strip();
  sprite.x = 20;
  sprite.y = 10;
  EXPECT_EQ(sprite.Draw(s.drawing), std::make_pair(-1, -1));
  EXPECT_EQ(s.drawing.PixelAt(20, 10), kBlue);  // black is see-through
  EXPECT_EQ(s.drawing.PixelAt(21, 10), kRed);
  // Same place again: nothing restored, drawn over the same pixels.
  EXPECT_EQ(sprite.Draw(s.drawing), std::make_pair(20, 10));
  sprite.x = 50;
  sprite.SetFrame(1);
  EXPECT_EQ(sprite.frame, 2);
  EXPECT_EQ(sprite.Draw(s.drawing), std::make_pair(20, 10));
  EXPECT_EQ(s.drawing.PixelAt(21, 10), kBlue);  // the old place is repaired
  EXPECT_EQ(s.drawing.PixelAt(50, 10), kRed);   // frame 2 has no hole
  sprite.Erase(s.drawing);
  EXPECT_EQ(s.drawing.PixelAt(51, 10), kBlue);
  EXPECT_FALSE(sprite.drawn);
  EXPECT_EQ(sprite.lastX, -1);
  EXPECT_EQ(sprite.savedBackground, nullptr);
}

TEST(Sprite, AnOpaqueSpriteDrawsItsBlackAndEraseOfAnUndrawnOneDoesNothing) {
  Surface s;
  Sprite sprite(10, 5);
  sprite.image = Strip();
  sprite.transparent = false;
  sprite.Erase(s.drawing);
  EXPECT_EQ(sprite.lastX, -1);
  sprite.Draw(s.drawing);
  EXPECT_EQ(s.drawing.PixelAt(0, 0), kBlack);
}

TEST(Sprite, RectanglesThatOnlyTouchDoNotIntersect) {
  Sprite a(10, 10), b(10, 10);
  b.x = 10;  // shares the edge x = 10
  EXPECT_FALSE(a.Intersects(b));
  b.x = 9;
  EXPECT_TRUE(a.Intersects(b));
  b.x = 0;
  b.y = 10;
  EXPECT_FALSE(a.Intersects(b));
  b.y = 9;
  EXPECT_TRUE(b.Intersects(a));
}

}  // namespace
