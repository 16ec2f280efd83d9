// The intro's top strip and prompt, and the status line, read from the game
// window and held against the same texts drawn by the same calls on a
// canvas of the test's own.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "framework/elements/font.h"
#include "framework/util/text.h"
#include "game/shell/form_zarvo.h"
#include "tests/framework/windows/window_fixture.h"
#include "tests/support/temp_folder.h"
#include "tests/support/text_canvas.h"

namespace {

using namespace Zarvo;
using testing_support::TextCanvas;
using VexaUtility::FontSpec;
using window_tests::Host;

constexpr COLORREF kWhite = 0xFFFFFF, kBlack = 0, kBlue = 0xFF0000, kRed = 0x0000FF;

// The three marker pixels a frame leaves in the top-left corner.
void StampMarkers(HDC dc) {
  SetPixel(dc, 0, 0, 0x00FF00);
  SetPixel(dc, 1, 0, 0xFFFFFF);
  SetPixel(dc, 2, 0, 0x0000FF);
}

// A canvas the size of a box of the window, filled, with text drawn on it as
// the game's text operations draw it: transparent, in the game's font.
class Expected {
 public:
  Expected(int width, int height, COLORREF fill, FontSpec* font) : canvas(width, height, fill) {
    SelectObject(canvas.dc, font->Realize());
    SetBkMode(canvas.dc, TRANSPARENT);
  }
  // As DrawTextAt: written from a point.
  void TextAt(int x, int y, const std::u16string& text, COLORREF colour) {
    SetTextColor(canvas.dc, colour);
    TextOutW(canvas.dc, x, y, text.c_str(), static_cast<int>(text.size()));
  }
  // As DrawBarText: in the box from (2, 2), aligned.
  void InBox(int width, int height, const std::u16string& text, COLORREF colour, UINT align) {
    SetTextColor(canvas.dc, colour);
    RECT box{2, 2, 2 + width, 2 + height};
    DrawTextW(canvas.dc, text.c_str(), static_cast<int>(text.size()), &box, align);
  }
  TextCanvas canvas;
};

// The window's pixels from (left, top), the canvas's size, against the canvas.
::testing::AssertionResult Shows(HWND window, const TextCanvas& expected, int left, int top) {
  HDC dc = GetDC(window);
  const RECT all = expected.All();
  ::testing::AssertionResult result = ::testing::AssertionSuccess();
  for (int y = 0; y < all.bottom && result; ++y) {
    for (int x = 0; x < all.right; ++x) {
      const COLORREF shown = GetPixel(dc, left + x, top + y);
      const COLORREF wanted = GetPixel(expected.dc, x, y);
      if (shown == wanted) continue;
      result = ::testing::AssertionFailure()
               << "at (" << left + x << ", " << top + y << ") the window shows " << std::hex
               << shown << ", expected " << wanted;
      break;
    }
  }
  ReleaseDC(window, dc);
  return result;
}

// The game at the repository root with a high-score table of the test's
// own, its frame timer stopped: the test runs the frames and moves the clock.
class Screens : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(std::filesystem::path(ZARVO_ASSET_DIR).parent_path());
    setenv("XDG_DATA_HOME", data_.path().c_str(), 1);
  }
  void TearDown() override {
    delete game_;
    std::filesystem::current_path(previous_);
  }
  // The table as the game stores it, best first.
  void WriteScores(int count) {
    const std::filesystem::path folder = data_ / "Zarvo/Score";
    std::filesystem::create_directories(folder);
    std::string bytes;
    for (int i = 0; i < count; ++i) bytes += Line(i) + "\r\n";
    testing_support::WriteBytes(folder / "Classifica.txt", bytes);
  }
  // Line i of the table: the scores go down as the names change.
  static std::string Line(int i) {
    return VexaUtility::ZeroPadded(9000 - 100 * i, 8) + " PLAYER" + std::to_string(i + 1) +
           "      Level " + std::to_string(i + 1);
  }
  void Start() {
    game_ = new FormZarvo(GetModuleHandleW(nullptr), "Zarvo");
    game_->StopTimer();
    Frame(0);   // the first frame: the time of the last frame
    Frame(10);  // the intro's first step: the time of the last tick
  }
  void Frame(std::int64_t ms) {
    Host().Advance(ms);
    game_->OnFrame();
  }
  void Tick() { Frame(501); }

  // The white strip at the top with line `index` of the table.
  ::testing::AssertionResult ShowsLine(int index) {
    Expected strip(800, 20, kWhite, game_->font);
    const std::string rank = VexaUtility::PadLeft(std::to_string(index + 1), ' ', 2);
    strip.TextAt(0, 0, VexaUtility::ToWide("Classifica: " + rank + "\xB0 Score " + Line(index)),
                 kBlack);
    StampMarkers(strip.canvas.dc);
    return Shows(game_->hwnd, strip.canvas, 0, 0);
  }
  // The top strip as the splash picture has it.
  ::testing::AssertionResult ShowsTheSplashOnTop() {
    Expected strip(800, 20, kBlack, game_->font);
    HDC picture = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(picture, game_->imageCache.at("images_games\\logo.bmp"));
    BitBlt(strip.canvas.dc, 0, 0, 800, 20, picture, 0, 0, SRCCOPY);
    SelectObject(picture, old);
    DeleteDC(picture);
    StampMarkers(strip.canvas.dc);
    return Shows(game_->hwnd, strip.canvas, 0, 0);
  }
  ::testing::AssertionResult ShowsThePrompt(COLORREF colour) {
    Expected prompt(320, 20, kBlue, game_->font);
    prompt.TextAt(0, 0, u"Premi il tasto [G] per giocare", colour);
    return Shows(game_->hwnd, prompt.canvas, 480, 570);
  }

  testing_support::TempFolder data_;
  std::filesystem::path previous_;
  FormZarvo* game_ = nullptr;
};

TEST_F(Screens, TheIntroTicksOnlyOnceMoreThanHalfASecondHasPassed) {
  WriteScores(3);
  Start();
  Frame(500);  // exactly 500 ms since the last tick: not yet
  EXPECT_TRUE(ShowsTheSplashOnTop());
  EXPECT_FALSE(ShowsThePrompt(kWhite));
  Frame(1);
  EXPECT_TRUE(ShowsLine(0));
  EXPECT_TRUE(ShowsThePrompt(kWhite));  // white after the first tick
  Tick();
  EXPECT_TRUE(ShowsThePrompt(kRed));  // then red again
}

// Three lines: the first at the first tick, the next one five ticks later.
TEST_F(Screens, TheTopStripShowsEachLineForFiveTicksInTurn) {
  WriteScores(3);
  Start();
  const std::pair<int, int> shown[] = {{1, 0}, {5, 0}, {6, 1}, {10, 1}, {11, 2}, {16, 0}};
  int tick = 0;
  for (const auto& [at, line] : shown) {
    while (tick < at) {
      Tick();
      ++tick;
    }
    EXPECT_TRUE(ShowsLine(line)) << "tick " << tick;
  }
}

TEST_F(Screens, TheTenthLineIsRankedTenAndTheNextOneIsTheFirst) {
  WriteScores(10);
  Start();
  game_->highScoreIndex = 9;
  Tick();
  EXPECT_TRUE(ShowsLine(9));  // "Classifica: 10"
  for (int i = 0; i < 5; ++i) Tick();
  EXPECT_TRUE(ShowsLine(0));
}

TEST_F(Screens, WithoutHighScoresTheTopStripKeepsTheSplash) {
  Start();
  for (int tick = 1; tick <= 6; ++tick) {
    Tick();
    EXPECT_TRUE(ShowsTheSplashOnTop()) << "tick " << tick;
  }
  EXPECT_TRUE(ShowsThePrompt(kRed));  // the prompt blinks on all the same
}

// Back at the intro after a game, the lines go on from where they were; a
// table that got shorter in the meantime starts again from its first line.
TEST_F(Screens, TheLineShownNextIsKeptAcrossAReturnToTheIntro) {
  WriteScores(3);
  Start();
  // Splash and intro again, with the table as the game left it; the line
  // changes on the fifth tick after the one that last changed it.
  const auto returnToTheIntro = [this](int lines, int shownNext) {
    WriteScores(lines);
    game_->gameState = GameOver;
    game_->OnChar('x');
    ASSERT_EQ(game_->gameState, Intro);
    for (int i = 0; i < 4; ++i) Tick();
    EXPECT_TRUE(ShowsTheSplashOnTop()) << lines;
    Tick();
    EXPECT_TRUE(ShowsLine(shownNext)) << lines;
  };
  for (int i = 0; i < 6; ++i) Tick();
  ASSERT_TRUE(ShowsLine(1));
  returnToTheIntro(3, 2);
  for (int i = 0; i < 10; ++i) Tick();
  ASSERT_TRUE(ShowsLine(1));
  returnToTheIntro(2, 0);
}

// The status line: the score with at least six digits at the left, the lives
// in the middle and the level at the right of the box from x = 2 to 798.
TEST_F(Screens, TheStatusLineShowsScoreLivesAndLevelAcrossTheField) {
  Start();
  game_->OnChar('g');
  struct Case {
    int score, lives, level;
    const char16_t* scoreText;
  } cases[] = {{150, 3, 1, u"Score: 000150"}, {1234567, 1, 12, u"Score: 1234567"}};
  for (const Case& c : cases) {
    game_->score = c.score;
    game_->lives = c.lives;
    game_->level = c.level;
    game_->BeginFrame(false);
    game_->DrawStatusLine();
    game_->EndFrame();
    const int h = game_->lineHeight + 4;
    ASSERT_GT(h, 4);
    Expected line(800, h, kBlack, game_->font);
    line.TextAt(2, 2, c.scoreText, kWhite);
    line.InBox(796, h, u"Lives: " + VexaUtility::ToWide(std::to_string(c.lives)), kWhite,
               DT_CENTER);
    line.InBox(796, h, u"Level: " + VexaUtility::ToWide(std::to_string(c.level)), kWhite, DT_RIGHT);
    StampMarkers(line.canvas.dc);
    EXPECT_TRUE(Shows(game_->hwnd, line.canvas, 0, 0)) << c.score;
  }
}

}  // namespace

namespace {

// The intro's very first step reads the time of the last tick before now:
// on a clock that moves on by more than half a second at each reading, it
// ticks at once.
TEST_F(Screens, TheFirstIntroStepReadsTheLastTickBeforeNow) {
  game_ = new FormZarvo(GetModuleHandleW(nullptr), "Zarvo");
  game_->StopTimer();
  Host().SetReadingStep(501);
  game_->OnFrame();
  Host().SetReadingStep(0);
  EXPECT_TRUE(ShowsThePrompt(kWhite));
}

}  // namespace
