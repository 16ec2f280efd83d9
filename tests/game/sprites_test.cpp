#include <gtest/gtest.h>

#include <memory>

#include "game/playfield/sprites.h"
#include "game/playfield/wall_layouts.h"

namespace {

using namespace Zarvo;

constexpr COLORREF kBlue = 0x00FF0000, kRed = 0x000000FF, kField = 0x00402010;

struct TestGame : FormGames {
  TestGame() : FormGames(GetModuleHandleW(nullptr), "Prova") {
    StopTimer();
    SetClientSize();
    HDC screen = GetDC(hwnd);
    HDC memory = CreateCompatibleDC(screen);
    picture = CreateCompatibleBitmap(screen, 800, 640);
    HGDIOBJ old = SelectObject(memory, picture);
    HBRUSH brush = CreateSolidBrush(kField);
    RECT all{0, 0, 800, 640};
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(hwnd, screen);
    BeginFrame(false);
    SetBackground(picture);
  }
  ~TestGame() override {
    EndFrame();
    DeleteObject(picture);
  }
  COLORREF Back(int x, int y) { return backSurface->PixelAt(x, y); }
  HBITMAP picture;
};

TEST(SpriteBall, ARedDiscThatGivesItsOldPlaceBackAndRepairsWhatItCovered) {
  TestGame game;
  SpriteTiles brick(38, 18, &game);
  brick.x = 40;
  brick.y = 100;
  brick.kind = 1;
  game.AddElement(&brick);
  game.DrawSpriteOnBack(&brick);
  SpriteBall ball(17, 17, &game);
  ball.x = 30;
  ball.y = 95;
  game.AddElement(&ball);
  EXPECT_EQ(ball.Draw(*game.backSurface), Position(-1, -1));
  EXPECT_EQ(game.Back(38, 103), kRed);     // the disc's middle, over the brick
  EXPECT_EQ(game.Back(30, 95), kField);    // its corner stays clear
  ball.x = 200;
  ball.y = 300;
  EXPECT_EQ(ball.Draw(*game.backSurface), Position(30, 95));
  EXPECT_EQ(game.Back(208, 308), kRed);
  EXPECT_EQ(game.Back(35, 103), kField);   // the old place has its background back
  EXPECT_EQ(game.Back(40, 103), 0x00FFFFu);  // and the brick its left edge colour
  ball.Erase(*game.backSurface);
  EXPECT_EQ(game.Back(208, 308), kField);
}

TEST(SpriteTiles, AGradientFromItsKindsLeftColourToItsRight_NothingOnceBroken) {
  TestGame game;
  for (std::int32_t kind : {1, 2, 3}) {
    SpriteTiles brick(38, 18, &game);
    brick.kind = kind;
    brick.x = 40;
    brick.y = 100;
    brick.Draw(*game.backSurface);
    EXPECT_EQ(game.Back(40, 105), ColoursOfKind(kind).left) << kind;
    EXPECT_EQ(game.Back(77, 105), ColoursOfKind(kind).right) << kind;
    EXPECT_EQ(game.Back(78, 105), kField) << kind;
    EXPECT_EQ(game.Back(40, 118), kField) << kind;
    brick.Erase(*game.backSurface);
    EXPECT_EQ(game.Back(40, 105), kField);
    brick.alive = false;
    EXPECT_EQ(brick.Draw(*game.backSurface), Position(40, 100));
    EXPECT_EQ(game.Back(40, 105), kField);
  }
}

TEST(SpritePlayer, BlueEndsAndADarkRedMiddle_TheLastColumnOfA100PixelPaddleUndrawn) {
  TestGame game;
  SpritePlayer paddle(100, 20, &game);
  paddle.x = 350;
  paddle.y = 620;
  paddle.Draw(*game.backSurface);
  EXPECT_EQ(game.Back(350, 625), kBlue);
  EXPECT_EQ(game.Back(400, 625), 0x00004Du);
  EXPECT_EQ(game.Back(448, 625), kBlue);   // the 99th column, the last drawn
  EXPECT_EQ(game.Back(449, 625), kField);  // 3 x 33 = 99 columns
  paddle.x = 354;
  paddle.Draw(*game.backSurface);
  EXPECT_EQ(game.Back(351, 625), kField);  // the old place wiped
  EXPECT_TRUE(paddle.sharedImage);
}

TEST(SpriteMonete, ItsLabelInItsColourAtTheTopLeft) {
  TestGame game;
  SpriteMonete coin(24, 24, &game);
  coin.text = "150";
  coin.color = kBlue;
  coin.x = 100;
  coin.y = 20;
  coin.Draw(*game.backSurface);
  int blue = 0;
  for (int y = 20; y < 44; ++y) {
    for (int x = 100; x < 124; ++x) blue += game.Back(x, y) == kBlue;
  }
  EXPECT_GT(blue, 10);
  EXPECT_EQ(game.Back(99, 25), kField);
  coin.y = 40;
  coin.Draw(*game.backSurface);
  int left = 0;
  for (int x = 100; x < 124; ++x) left += game.Back(x, 22) == kBlue;
  EXPECT_EQ(left, 0);  // the old place wiped before the new label
}

}  // namespace

#include "game/playfield/sprite_settings.h"

namespace {

using namespace Zarvo;

TEST(SpriteSettings, TheFactoryMakesEachKindWithItsSettingsAndListsIt) {
  TestGame game;
  game.elements.clear();
  SpriteSettings settings;
  EXPECT_EQ(settings.fieldWidth, 400);
  EXPECT_EQ(settings.height, 63);
  settings.fieldWidth = 800;
  settings.fieldHeight = 640;
  settings.width = 24;
  settings.height = 24;

  settings.kind = "ball";
  std::unique_ptr<VexaUtility::Sprite> ball(settings.CreateSprite(&game, 0));
  auto* asBall = dynamic_cast<SpriteBall*>(ball.get());
  ASSERT_NE(asBall, nullptr);
  EXPECT_EQ(asBall->maxX, 776);
  EXPECT_EQ(asBall->maxY, 616);
  EXPECT_EQ(asBall->form, &game);

  settings.kind = "money";
  std::unique_ptr<VexaUtility::Sprite> coin(settings.CreateSprite(&game, 0x00FFFF));
  auto* asCoin = dynamic_cast<SpriteMonete*>(coin.get());
  ASSERT_NE(asCoin, nullptr);
  EXPECT_EQ(asCoin->color, 0x00FFFFu);
  EXPECT_EQ(asCoin->maxX, 776);
  EXPECT_TRUE(asCoin->text.empty());

  settings.kind = "tiles";
  settings.width = 38;
  settings.height = 18;
  std::unique_ptr<VexaUtility::Sprite> brick(settings.CreateSprite(&game, 3));
  auto* asBrick = dynamic_cast<SpriteTiles*>(brick.get());
  ASSERT_NE(asBrick, nullptr);
  EXPECT_EQ(asBrick->kind, 3);
  EXPECT_TRUE(asBrick->alive);
  EXPECT_EQ(asBrick->width, 38);

  settings.kind = "player";
  std::unique_ptr<VexaUtility::Sprite> paddle(settings.CreateSprite(&game, 0));
  EXPECT_NE(dynamic_cast<SpritePlayer*>(paddle.get()), nullptr);

  settings.kind = "Player";  // keys compare exactly
  EXPECT_EQ(settings.CreateSprite(&game, 0), nullptr);
  EXPECT_EQ(game.elements, (std::vector<VexaUtility::GameElement*>{ball.get(), coin.get(),
                                                                   brick.get(), paddle.get()}));
  game.elements.clear();
}

}  // namespace
