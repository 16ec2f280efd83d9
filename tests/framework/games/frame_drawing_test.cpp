#include <gtest/gtest.h>

#include "framework/games/form_games.h"
#include "platform/gdi/objects.h"
#include "tests/framework/windows/window_fixture.h"

namespace {

using namespace VexaUtility;
using window_tests::Drain;
using window_tests::Host;
using window_tests::HostWindowOf;

constexpr COLORREF kGreen = 0x0000FF00, kWhite = 0x00FFFFFF, kRed = 0x000000FF;
constexpr COLORREF kBlue = 0x00FF0000, kBlack = 0;

struct TestGame : FormGames {
  TestGame() : FormGames(GetModuleHandleW(nullptr), "Prova") { StopTimer(); }
};

// A sprite that fills its rectangle with one colour wherever it is drawn and
// leaves its old place as it was.
struct Block : Sprite {
  Block(int w, int h, COLORREF c) : Sprite(w, h), colour(c) {}
  std::pair<std::int32_t, std::int32_t> Draw(Drawing& surface) override {
    const std::pair<std::int32_t, std::int32_t> previous{lastX, lastY};
    surface.DrawFilledRect(x, y, width, height, colour, 0, colour);
    lastX = x;
    lastY = y;
    drawn = true;
    return previous;
  }
  COLORREF colour;
};

// What the window shows now, read from the window itself.
COLORREF OnWindow(HWND window, int x, int y) { return window_tests::WindowPixel(window, x, y); }

bool MarkersOn(Drawing& surface) {
  return surface.PixelAt(0, 0) == kGreen && surface.PixelAt(1, 0) == kWhite &&
         surface.PixelAt(2, 0) == kRed;
}

HBITMAP Picture(HWND window, int w, int h, COLORREF colour) {
  HDC screen = GetDC(window);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(memory, bitmap);
  HBRUSH brush = CreateSolidBrush(colour);
  RECT all{0, 0, w, h};
  FillRect(memory, &all, brush);
  DeleteObject(brush);
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(window, screen);
  return bitmap;
}

// After a first frame, the back surface turns blue where the window stays
// black, so that the window shows blue exactly where something was copied.
struct Copies : ::testing::Test {
  void SetUp() override {
    game.BeginFrame(false);
    game.EndFrame();
    game.BeginFrame(false);
    game.backSurface->DrawFilledRect(0, 0, 800, 640, kBlue, 0, kBlue);
  }
  TestGame game;
};

TEST_F(Copies, ASpriteDrawnTheFirstTimeCopiesItsOwnRectangle) {
  Block block(24, 20, kRed);
  block.x = 100;
  block.y = 300;
  game.RedrawSprite(&block);
  game.EndFrame();
  EXPECT_EQ(OnWindow(game.hwnd, 100, 300), kRed);
  EXPECT_EQ(OnWindow(game.hwnd, 123, 319), kRed);
  EXPECT_EQ(OnWindow(game.hwnd, 124, 300), kBlack);
  EXPECT_EQ(OnWindow(game.hwnd, 99, 300), kBlack);
  EXPECT_EQ(OnWindow(game.hwnd, 100, 320), kBlack);
}

// 24 pixels wide from x = 100: to 130 the union is 54 wide, one copy; to 135
// it is 59, more than 2 x 24 + 10, two copies of 24 pixels each.
TEST_F(Copies, ASidewaysMoveCopiesTheUnionOrTheTwoPlaces) {
  struct Case {
    int to;
    COLORREF between;  // on the window between the old and the new place
  } cases[] = {{130, kBlue}, {135, kBlack}};
  for (const Case& c : cases) {
    Block block(24, 20, kRed);
    block.x = 100;
    block.y = 300;
    game.DrawSpriteOnBack(&block);  // drawn before, on the back surface only
    block.x = c.to;
    game.RedrawSprite(&block);
    EXPECT_EQ(OnWindow(game.hwnd, 100, 300), kRed) << c.to;         // the old place
    EXPECT_EQ(OnWindow(game.hwnd, c.to + 23, 319), kRed) << c.to;   // the new one
    EXPECT_EQ(OnWindow(game.hwnd, 126, 310), c.between) << c.to;
    EXPECT_EQ(OnWindow(game.hwnd, c.to + 24, 310), kBlack) << c.to;
    HDC dc = GetDC(game.hwnd);
    RECT all{0, 0, 800, 640};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ReleaseDC(game.hwnd, dc);
  }
  game.EndFrame();
}

TEST_F(Copies, DrawingOnTheBackReportsTheUnionAndCopiesNothing) {
  Block block(24, 20, kRed);
  block.x = 50;
  block.y = 60;
  RECT first = game.DrawSpriteOnBack(&block);
  EXPECT_EQ(first.left, 50);
  EXPECT_EQ(first.right, 74);
  block.x = 40;
  block.y = 90;
  const RECT moved = game.DrawSpriteOnBack(&block);
  EXPECT_EQ(moved.left, 40);
  EXPECT_EQ(moved.top, 60);
  EXPECT_EQ(moved.right, 74);
  EXPECT_EQ(moved.bottom, 110);
  game.EndFrame();
  EXPECT_EQ(OnWindow(game.hwnd, 50, 60), kBlack);
}

TEST(FrameDrawing, BoxesAndTextsAtTheTopLeftStampTheMarkersAgain) {
  TestGame game;
  game.BeginFrame(false);
  game.FillBox(0, 0, 50, 30, kBlue);
  EXPECT_TRUE(MarkersOn(*game.backSurface));
  EXPECT_TRUE(MarkersOn(*game.screen));
  EXPECT_EQ(game.backSurface->PixelAt(3, 0), kBlue);
  EXPECT_EQ(game.backSurface->PixelAt(49, 29), kBlue);  // the box ends at x + w - 1
  EXPECT_EQ(game.backSurface->PixelAt(50, 29), kBlack);
  EXPECT_EQ(game.screen->PixelAt(49, 29), kBlue);
  game.EndFrame();

  // A fresh back buffer each frame until the first one has closed: the
  // markers are only where something stamped them.
  TestGame fresh;
  fresh.BeginFrame(false);
  fresh.DrawTextAt(2, 2, "Score", kWhite);
  fresh.DrawBarText(700, 20, "Lives: 3", kWhite, 2);
  EXPECT_FALSE(MarkersOn(*fresh.backSurface));
  EXPECT_FALSE(MarkersOn(*fresh.screen));
  fresh.DrawTextAt(2, 0, "Score", kWhite);
  EXPECT_TRUE(MarkersOn(*fresh.backSurface));
  EXPECT_TRUE(MarkersOn(*fresh.screen));
  fresh.EndFrame();
}

TEST(FrameDrawing, TheBackgroundGoesOnBothSurfacesWithTheMarkers) {
  TestGame game;
  HBITMAP picture = Picture(game.hwnd, 800, 640, kBlue);
  game.BeginFrame(false);
  game.SetBackground(picture);
  EXPECT_EQ(game.backgroundPicture, picture);
  EXPECT_TRUE(MarkersOn(*game.backSurface));
  EXPECT_TRUE(MarkersOn(*game.screen));
  EXPECT_EQ(game.backSurface->PixelAt(400, 300), kBlue);
  EXPECT_EQ(game.screen->PixelAt(3, 0), kBlue);
  game.EndFrame();
  EXPECT_EQ(OnWindow(game.hwnd, 700, 500), kBlue);
  DeleteObject(picture);  // the form never owns it
}

TEST(FrameDrawing, AWindowThatLostItsPictureIsRepaintedFromTheBackSurface) {
  TestGame game;
  HBITMAP picture = Picture(game.hwnd, 800, 640, kBlue);
  game.BeginFrame(false);
  game.SetBackground(picture);
  game.EndFrame();
  Block block(24, 20, kRed);
  block.x = 300;
  block.y = 200;
  game.BeginFrame(false);
  game.DrawSpriteOnBack(&block);  // on the back surface only
  game.EndFrame();
  EXPECT_EQ(OnWindow(game.hwnd, 305, 205), kBlue);

  // The desktop lost the picture: the window is erased to black and painted.
  Host().WindowEvent(HostWindowOf(game.hwnd), host::EventType::Exposed);
  Drain();
  EXPECT_EQ(OnWindow(game.hwnd, 305, 205), kRed);
  EXPECT_EQ(OnWindow(game.hwnd, 10, 10), kBlue);
  EXPECT_EQ(OnWindow(game.hwnd, 0, 0), kGreen);
  const auto* shown = Host().Window(HostWindowOf(game.hwnd));
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->Pixel(305, 205) & 0xFFFFFF, 0xFF0000u);  // presented: 0xRRGGBB
  EXPECT_FALSE(game.frameOpen);
  DeleteObject(picture);
}

TEST(FrameDrawing, AMissingBackgroundShowsItsErrorWithTheSystemErrorNumber) {
  TestGame game;
  Host().onMessageBox = [](const host::headless::MessageBoxRecord&) {
    Host().KeyDown(VK_RETURN);
    Host().KeyUp(VK_RETURN);
  };
  game.BeginFrame(false);
  game.FillBox(0, 0, 10, 10, kBlue);
  SetLastError(ERROR_FILE_NOT_FOUND);
  game.SetBackground(nullptr);
  EXPECT_TRUE(MarkersOn(*game.backSurface));
  EXPECT_EQ(game.backSurface->PixelAt(5, 5), kBlue);  // nothing pasted over it
  game.EndFrame();
  ASSERT_EQ(Host().MessageBoxes().size(), 1u);
  EXPECT_EQ(Host().MessageBoxes()[0].textUtf8, "Errore caricamento immagine - codice errore: 2");
  EXPECT_EQ(Host().MessageBoxes()[0].captionUtf8, "Errore");
  EXPECT_TRUE(IsWindow(game.hwnd));  // and the game goes on
}

TEST(FrameDrawing, ASpriteNeverDrawnErasesNothingAndTheMarkersStay) {
  TestGame game;
  HBITMAP picture = Picture(game.hwnd, 800, 640, kBlue);
  game.BeginFrame(false);
  game.SetBackground(picture);
  Sprite sprite(20, 10);
  sprite.x = 0;
  sprite.y = 0;
  game.EraseSprite(&sprite);  // never drawn: nothing restored, the markers stay
  EXPECT_TRUE(MarkersOn(*game.backSurface));
  game.EndFrame();
  DeleteObject(picture);
}

// A block whose Erase paints its place grey on the surface, as a sprite
// restores the background under it.
struct ErasableBlock : Block {
  using Block::Block;
  void Erase(Drawing& surface) override {
    surface.DrawFilledRect(x, y, width, height, kGrey, 0, kGrey);
    drawn = false;
  }
  static constexpr COLORREF kGrey = 0x00808080;
};

TEST_F(Copies, ErasingASpriteCopiesExactlyItsRectangleToTheWindow) {
  ErasableBlock block(24, 20, kRed);
  block.x = 100;
  block.y = 300;
  game.DrawSpriteOnBack(&block);  // on the back surface only
  game.EraseSprite(&block);
  game.EndFrame();
  EXPECT_EQ(game.backSurface->PixelAt(110, 310), ErasableBlock::kGrey);
  EXPECT_EQ(OnWindow(game.hwnd, 100, 300), ErasableBlock::kGrey);
  EXPECT_EQ(OnWindow(game.hwnd, 123, 319), ErasableBlock::kGrey);
  EXPECT_EQ(OnWindow(game.hwnd, 99, 310), kBlack);
  EXPECT_EQ(OnWindow(game.hwnd, 124, 310), kBlack);
  EXPECT_EQ(OnWindow(game.hwnd, 110, 320), kBlack);
}

// A sprite drawn or erased over the top-left corner puts the markers back on
// the back surface, and the copy of its rectangle brings them to the window.
TEST_F(Copies, ASpriteOverTheCornerPutsTheMarkersBack) {
  struct Case {
    const char* what;
    int x;
    bool erase;
  } cases[] = {
      {"drawn at x = 0", 0, false}, {"drawn at x = 2", 2, false}, {"erased at x = 1", 1, true}};
  for (const Case& c : cases) {
    ErasableBlock block(24, 20, kBlue);
    block.x = c.x;
    block.y = 0;
    if (c.erase) {
      game.DrawSpriteOnBack(&block);
      game.EraseSprite(&block);
    } else {
      game.RedrawSprite(&block);
    }
    EXPECT_TRUE(MarkersOn(*game.backSurface)) << c.what;
    EXPECT_EQ(game.backSurface->PixelAt(c.x + 3, 0), c.erase ? ErasableBlock::kGrey : kBlue)
        << c.what;
    EXPECT_EQ(OnWindow(game.hwnd, c.x, 0), game.backSurface->PixelAt(c.x, 0)) << c.what;
    EXPECT_EQ(OnWindow(game.hwnd, 2, 0), kRed) << c.what;
  }
  game.EndFrame();
}

// The picture of the built level: the back surface, captured at the
// window's outer size; a new snapshot replaces the old one.
TEST(FrameDrawing, TheSnapshotHoldsTheBackSurfaceAndReplacesTheLastOne) {
  TestGame game;
  HBITMAP picture = Picture(game.hwnd, 800, 640, kBlue);
  game.BeginFrame(false);
  game.SetBackground(picture);
  Block block(24, 20, kRed);
  block.x = 100;
  block.y = 300;
  game.DrawSpriteOnBack(&block);
  game.SnapshotPlayField();
  ASSERT_NE(game.levelSnapshot, nullptr);
  RECT outer{};
  GetWindowRect(game.hwnd, &outer);
  BITMAP info{};
  ASSERT_NE(GetObjectW(game.levelSnapshot, sizeof info, &info), 0);
  EXPECT_EQ(info.bmWidth, outer.right - outer.left);
  EXPECT_EQ(info.bmHeight, outer.bottom - outer.top);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, game.levelSnapshot);
  EXPECT_EQ(GetPixel(dc, 110, 310), kRed);
  EXPECT_EQ(GetPixel(dc, 50, 50), kBlue);
  EXPECT_EQ(GetPixel(dc, 0, 0), kGreen);
  SelectObject(dc, old);
  DeleteDC(dc);
  const std::size_t objects = gdi::LiveObjectCount();
  game.SnapshotPlayField();
  EXPECT_EQ(gdi::LiveObjectCount(), objects);  // the last one was deleted
  game.EndFrame();
  DeleteObject(picture);
}

}  // namespace
