#include <gtest/gtest.h>

#include "game/playfield/hits_paddle.h"
#include "game/playfield/wall_layouts.h"

namespace {

using namespace Zarvo;
using VexaUtility::Sprite;

TEST(WallLayouts, EachLayoutHasItsBrickCount) {
  const int counts[kWallLayoutCount] = {20, 44, 40, 39, 68, 54, 54, 90};
  for (int layout = 1; layout <= kWallLayoutCount; ++layout) {
    EXPECT_EQ(BrickCount(layout), counts[layout - 1]) << layout;
    for (const char* row : WallLayouts[static_cast<std::size_t>(layout - 1)]) {
      EXPECT_EQ(std::string(row).size(), static_cast<std::size_t>(kWallColumns)) << layout;
    }
  }
}

TEST(WallLayouts, TheWallsComeBackEveryEightLevels) {
  const std::pair<int, int> cases[] = {{1, 1}, {7, 7}, {8, 8}, {9, 1}, {16, 8}, {17, 1}, {41, 1}};
  for (auto [level, layout] : cases) EXPECT_EQ(LayoutForLevel(level), layout) << level;
}

TEST(WallLayouts, RowsStandAtFixedHeightsWithFixedKindsAndColours) {
  const std::int32_t tops[] = {100, 122, 144, 166, 188};
  const std::int32_t kinds[] = {1, 3, 2, 1, 3};
  for (int row = 1; row <= kWallRows; ++row) {
    EXPECT_EQ(RowTop(row), tops[row - 1]);
    EXPECT_EQ(RowKind(row), kinds[row - 1]);
  }
  EXPECT_EQ(ColoursOfKind(1).left, 0x00FFFFu);
  EXPECT_EQ(ColoursOfKind(1).right, 0x0000FFu);
  EXPECT_EQ(ColoursOfKind(2).left, 0x008000u);
  EXPECT_EQ(ColoursOfKind(2).right, 0x00FFFFu);
  for (std::int32_t kind : {3, 0, 7}) {
    EXPECT_EQ(ColoursOfKind(kind).left, 0xFFC105u) << kind;
    EXPECT_EQ(ColoursOfKind(kind).right, 0x333300u) << kind;
  }
  // Layout 1: the corner cells, and nothing outside the table.
  EXPECT_FALSE(HasBrick(1, 1, 1));
  EXPECT_TRUE(HasBrick(1, 1, 2));
  EXPECT_TRUE(HasBrick(8, 5, 18));
  EXPECT_FALSE(HasBrick(8, 6, 1));
  EXPECT_FALSE(HasBrick(9, 1, 1));
  EXPECT_FALSE(HasBrick(8, 1, 19));
}

// A sprite of w x h at (x, y).
struct At : Sprite {
  At(int x0, int y0, int w, int h) : Sprite(w, h) {
    x = x0;
    y = y0;
  }
};

TEST(HitsPaddle, TheBottomMustLieWithinThePaddlesHeight) {
  const At paddle(300, 620, 100, 20);
  struct Case {
    int ballY;
    bool hits;
  } cases[] = {{603, true}, {602, false}, {623, true}, {624, false}, {610, true}};
  for (const Case& c : cases) {
    EXPECT_EQ(HitsPaddle(paddle, At(340, c.ballY, 17, 17)), c.hits) << c.ballY;
  }
}

// A 24-pixel sprite at x has its middle half from x + 6 to x + 18.
TEST(HitsPaddle, OnlyTheMiddleHalfOfTheSpriteCounts) {
  struct Case {
    int paddleX, paddleWidth;
    bool hits;
  } cases[] = {
      {100 + 6 - 40, 40, true},   // right edge at x + 6
      {100 + 5 - 40, 40, false},  // right edge at x + 5
      {100 + 18, 40, true},       // left edge at x + 18
      {100 + 19, 40, false},      // left edge at x + 19
      {100 + 8, 4, true},         // narrower than the middle half, inside it
      {100 + 19, 4, false},       // narrower, beside it
      {100 + 3, 4, true},         // narrower, its right end at x + 7
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HitsPaddle(At(c.paddleX, 600, c.paddleWidth, 20), At(100, 576, 24, 24)), c.hits)
        << c.paddleX << " " << c.paddleWidth;
  }
}

}  // namespace
