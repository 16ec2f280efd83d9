#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "framework/controls/button.h"
#include "framework/controls/text_box.h"
#include "game/playfield/movements.h"
#include "game/shell/form_zarvo.h"
#include "tests/framework/windows/window_fixture.h"
#include "tests/support/temp_folder.h"

namespace {

using namespace Zarvo;
using window_tests::Host;
using window_tests::RunLoop;

// A game started with G, its frame timer stopped: the test calls the frame
// step itself and moves the clock between the calls.
class FrameStep : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(std::filesystem::path(ZARVO_ASSET_DIR).parent_path());
    setenv("XDG_DATA_HOME", data_.path().c_str(), 1);
    game_ = new FormZarvo(GetModuleHandleW(nullptr), "Zarvo");
    RunLoop(nullptr, 50);
    game_->OnChar('g');
    game_->StopTimer();
  }
  void TearDown() override {
    delete game_;
    std::filesystem::current_path(previous_);
  }

 public:
  // A frame `ms` after the last one; whether the ball stepped in it.
  bool Frame(std::int64_t ms) {
    const int x = game_->ball->x;
    Host().Advance(ms);
    game_->OnFrame();
    return game_->ball->x != x;
  }

 protected:
  testing_support::TempFolder data_;
  std::filesystem::path previous_;
  FormZarvo* game_ = nullptr;
};

TEST_F(FrameStep, SixteenMillisecondFramesStepEverySecondFrame_ThirtyOneEveryFrame) {
  Frame(16);  // the accumulators start from what the intro left
  std::vector<bool> steps;
  for (int i = 0; i < 6; ++i) steps.push_back(Frame(16));
  const int stepped = static_cast<int>(std::count(steps.begin(), steps.end(), true));
  EXPECT_EQ(stepped, 3);
  for (std::size_t i = 1; i < steps.size(); ++i) EXPECT_NE(steps[i], steps[i - 1]) << i;
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(Frame(31)) << i;
}

TEST_F(FrameStep, AFrameWithTheSameClockReadingDoesNothing) {
  while (!Frame(31)) {
  }
  game_->keys[VK_LEFT] = true;  // any frame that works moves the paddle
  const int paddleX = game_->paddle->x;
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(Frame(0));
  EXPECT_EQ(game_->paddle->x, paddleX);
  EXPECT_TRUE(Frame(31));
  EXPECT_EQ(game_->paddle->x, paddleX - 4);
}

TEST_F(FrameStep, PPausesAndResumesWithoutAJump) {
  while (!Frame(31)) {
  }
  // A step has just run, so its movement starts gathering from 0 again.
  game_->OnChar('p');
  EXPECT_EQ(game_->gameState, Paused);
  EXPECT_FALSE(Frame(500));
  game_->OnChar('P');
  EXPECT_EQ(game_->gameState, Playing);
  EXPECT_FALSE(Frame(16));  // the paused half second is not released into it
  EXPECT_TRUE(Frame(16));
}

// A step that leaves Playing ends the frame's run: the coins after the ball
// do not step and the paddle does not move, though an arrow is held.
TEST_F(FrameStep, AStepThatLeavesPlayingStopsTheRestOfTheFrame) {
  struct Case {
    const char* what;
    void (*set)(FormZarvo&);
    int state;
  } cases[] = {
      {"the ball is lost",
       [](FormZarvo& g) {
         g.ball->y = g.ball->maxY;
         g.ball->movingUp = false;
         g.paddle->x = 700;
       },
       Interlude},
      {"the wall is cleared",
       [](FormZarvo& g) {
         for (SpriteTiles* brick : g.bricks) brick->alive = false;
       },
       Interlude},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(game_->gameState, Playing);  // a level just built: all movements in step
    c.set(*game_);
    game_->keys[VK_LEFT] = true;
    const int paddleX = game_->paddle->x;
    std::vector<int> coins;
    for (SpriteMonete* coin : {game_->coin1, game_->coin2, game_->coin3}) coins.push_back(coin->y);
    Frame(31);
    EXPECT_EQ(game_->gameState, c.state) << c.what;
    EXPECT_EQ(game_->paddle->x, paddleX) << c.what;
    EXPECT_EQ(game_->coin1->y, coins[0]) << c.what;
    EXPECT_EQ(game_->coin2->y, coins[1]) << c.what;
    EXPECT_EQ(game_->coin3->y, coins[2]) << c.what;
    while (game_->gameState == Interlude) Frame(100);
  }
}

// A movement whose first step opens a message box, as a damaged picture
// does in the middle of a frame.
struct MovementWithABox : VexaUtility::SpriteAnim {
  explicit MovementWithABox(int* steps) : steps(steps) {}
  void Step() override {
    if (++*steps == 1) MessageBoxA(nullptr, "Prova", "Errore", MB_OK);
  }
  SpriteAnim* Clone() override { return new MovementWithABox(*this); }
  int* steps;
};

// The box is answered a fifth of a second after it opened.
void AnswerTheBox(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  Host().KeyDown(VK_RETURN);
  Host().KeyUp(VK_RETURN);
}

TEST_F(FrameStep, AFrameEnteredFromAMessageBoxOfAFrameDoesNothing) {
  int steps = 0;
  game_->movements.push_back(new MovementWithABox(&steps));
  Host().onMessageBox = [](const host::headless::MessageBoxRecord&) {
    SetTimer(nullptr, 0, 200, AnswerTheBox);
  };
  game_->frameTimer->Start();  // its ticks reach the frame step from the box's loop
  const int x = game_->ball->x;
  const int y = game_->ball->y;
  EXPECT_TRUE(Frame(31));
  ASSERT_EQ(Host().MessageBoxes().size(), 1u);
  EXPECT_EQ(steps, 1);
  EXPECT_EQ(game_->ball->x, x - 4);  // one step, in the outer frame only
  EXPECT_EQ(game_->ball->y, y + 4);
  EXPECT_EQ(game_->gameState, Playing);
  game_->StopTimer();
}

TEST_F(FrameStep, AClockSetBackHoldsTheMovementsUntilTheTimeIsMadeUp) {
  while (!Frame(31)) {
  }
  EXPECT_FALSE(Frame(-100));  // -100 in every accumulator
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(Frame(31)) << i;  // -69, -38, -7, 24
  EXPECT_TRUE(Frame(31));  // 55
}

TEST_F(FrameStep, TheInterludeLastsOneAndAHalfSecondsFromItsFirstFrame) {
  game_->OnChar('n');
  ASSERT_EQ(game_->gameState, Interlude);
  Frame(100);  // the first frame of the interlude sets the deadline
  int frames = 0;
  while (game_->gameState == Interlude && frames < 100) {
    Host().Advance(100);
    game_->OnFrame();
    ++frames;
  }
  EXPECT_EQ(frames, 16);  // 1.5 s is not yet later than the deadline; 1.6 s is
  EXPECT_EQ(game_->gameState, Playing);
  EXPECT_EQ(game_->level, 2);
}

// Letters beyond Latin-1 whose low byte is that of G, g, P, p, N or n.
constexpr std::int32_t kLookalikes[] = {0x0447, 0x0167, 0x0150, 0x0170, 0x044E, 0x016E, 0x1F47};

TEST_F(FrameStep, OnlyGPAndNThemselvesSteerTheGame) {
  struct Case {
    const char* what;
    int state;
    std::int32_t key;  // the real key of the state
    int after;         // the state it leads to
  } cases[] = {
      {"play", Playing, 'p', Paused},
      {"pause", Paused, 'P', Playing},
      {"intro", Intro, 'G', Playing},
  };
  for (const Case& c : cases) {
    if (c.state == Intro) game_->Load();
    game_->gameState = c.state;
    const int level = game_->level;
    for (std::int32_t code : kLookalikes) {
      game_->OnChar(code);
      EXPECT_EQ(game_->gameState, c.state) << c.what << " " << std::hex << code;
      EXPECT_EQ(game_->level, level) << c.what << " " << std::hex << code;
    }
    game_->OnChar(c.key);
    EXPECT_EQ(game_->gameState, c.after) << c.what;
  }
  // After a game, any character at all leads back to the intro.
  game_->gameState = GameOver;
  game_->OnChar(0x0447);
  EXPECT_EQ(game_->gameState, Intro);
}

TEST_F(FrameStep, CharactersAreIgnoredWhileALevelIsBuiltShownOrTheNameAsked) {
  game_->OnChar('n');
  ASSERT_EQ(game_->gameState, Interlude);
  for (int state : {Interlude, Idle, EnteringName}) {
    game_->gameState = state;
    // G, g, P, p, N, n, x and a letter beyond Latin-1
    for (std::int32_t code : {0x47, 0x67, 0x50, 0x70, 0x4E, 0x6E, 0x78, 0x0447}) {
      game_->OnChar(code);
      EXPECT_EQ(game_->gameState, state) << std::hex << code;
      EXPECT_EQ(game_->level, 2) << std::hex << code;
      EXPECT_EQ(game_->lives, 3) << std::hex << code;
    }
  }
}

// Whether every pixel of a grid over the window, below the markers' row,
// shows the picture.
::testing::AssertionResult WindowShows(HWND window, HBITMAP picture) {
  HDC shown = GetDC(window);
  HDC source = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(source, picture);
  ::testing::AssertionResult result = ::testing::AssertionSuccess();
  for (int y = 5; y < 640 && result; y += 10) {
    for (int x = 5; x < 800; x += 10) {
      if (GetPixel(shown, x, y) == GetPixel(source, x, y)) continue;
      result = ::testing::AssertionFailure() << "the window differs at (" << x << ", " << y << ")";
      break;
    }
  }
  SelectObject(source, old);
  DeleteDC(source);
  ReleaseDC(window, shown);
  return result;
}

// N shows the level picture on the window at once, as the ball does when it
// breaks the last brick.
TEST_F(FrameStep, NShowsTheLevelPictureAtOnceAsAClearedWallDoes) {
  struct Case {
    const char* what;
    void (*clear)(FormZarvo&, FrameStep&);
  } cases[] = {
      {"N", [](FormZarvo& g, FrameStep&) { g.OnChar('N'); }},
      {"the last brick",
       [](FormZarvo& g, FrameStep& test) {
         for (SpriteTiles* brick : g.bricks) brick->alive = false;
         while (g.gameState == Playing) test.Frame(31);
       }},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(game_->gameState, Playing) << c.what;
    Frame(31);
    const int level = game_->level;
    const int score = game_->score;
    HBITMAP picture = game_->LoadCheckedImage("..\\images_games\\livello.bmp");
    ASSERT_FALSE(WindowShows(game_->hwnd, picture)) << c.what;  // the field, until now
    c.clear(*game_, *this);
    EXPECT_EQ(game_->gameState, Interlude) << c.what;
    EXPECT_EQ(game_->level, level + 1) << c.what;
    EXPECT_EQ(game_->score, score) << c.what;
    EXPECT_TRUE(WindowShows(game_->hwnd, picture)) << c.what;
    while (game_->gameState == Interlude) Frame(100);
  }
}

TEST_F(FrameStep, SizesShrinkAndGrowEveryEightLevels) {
  struct Case {
    int level, paddle, ball, bricks;
  } cases[] = {{8, 100, 17, 90}, {9, 90, 18, 20}, {17, 80, 19, 20}, {41, 50, 22, 20},
               {50, 50, 22, 44}};
  for (const Case& c : cases) {
    game_->level = c.level;
    game_->StartLevel();
    EXPECT_EQ(game_->paddle->width, c.paddle) << c.level;
    EXPECT_EQ(game_->ball->width, c.ball) << c.level;
    EXPECT_EQ(game_->ball->height, c.ball) << c.level;
    EXPECT_EQ(game_->bricks.size(), static_cast<std::size_t>(c.bricks)) << c.level;
  }
}

TEST_F(FrameStep, ALostLifeRebuildsTheWholeWallAndKeepsTheScore) {
  for (int i = 0; i < 5; ++i) game_->bricks[static_cast<std::size_t>(i)]->alive = false;
  game_->score = 250;
  game_->paddle->x = 700;
  game_->ball->y = game_->ball->maxY;
  while (game_->gameState == Playing) Frame(31);
  EXPECT_EQ(game_->gameState, Interlude);
  EXPECT_EQ(game_->lives, 2);
  while (game_->gameState == Interlude) Frame(100);
  EXPECT_EQ(game_->gameState, Playing);
  ASSERT_EQ(game_->bricks.size(), 20u);
  for (SpriteTiles* brick : game_->bricks) EXPECT_TRUE(brick->alive);
  EXPECT_EQ(game_->score, 250);
  EXPECT_EQ(game_->level, 1);
}

TEST_F(FrameStep, OneStepBreaksTwoBricksAndTheLaterOneSetsTheDirection) {
  game_->OnChar('p');
  SpriteBall& ball = *game_->ball;
  ball.stepX = 0;
  ball.x = 85;  // under row 1's brick at x = 80 and row 2's at x = 80
  ball.y = 108;
  ball.movingUp = false;
  const int score = game_->score;
  MovementBall(&game_->ballSettings, &ball, game_).Step();
  EXPECT_EQ(game_->score, score + 100);
  EXPECT_TRUE(ball.movingUp);  // row 2's brick, the later, is below the ball's top
  EXPECT_EQ(std::count_if(game_->bricks.begin(), game_->bricks.end(),
                          [](SpriteTiles* b) { return !b->alive; }),
            2);
}

TEST_F(FrameStep, TheLevelEndsOnTheStepAfterTheLastBrick) {
  game_->OnChar('p');
  for (std::size_t i = 1; i < game_->bricks.size(); ++i) game_->bricks[i]->alive = false;
  SpriteBall& ball = *game_->ball;
  ball.stepX = 0;
  ball.x = 90;  // under the one brick left, row 1 at x = 80
  ball.y = 116;
  ball.movingUp = true;
  game_->gameState = Playing;
  MovementBall movement(&game_->ballSettings, &ball, game_);
  movement.Step();
  EXPECT_FALSE(game_->bricks[0]->alive);
  EXPECT_EQ(game_->gameState, Playing);
  movement.Step();
  EXPECT_EQ(game_->gameState, Interlude);
  EXPECT_EQ(game_->level, 2);
}

}  // namespace

namespace {

// Plays out the last life: the ball falls past the paddle.
void LoseTheLastBall(FormZarvo& g, const std::function<void(std::int64_t)>& frame) {
  g.lives = 1;
  g.paddle->x = 700;
  g.ball->x = 50;
  g.ball->y = g.ball->maxY;
  g.ball->movingUp = false;
  while (g.gameState == Playing) frame(31);
}

TEST_F(FrameStep, TheNameFormIsCentredAndASecondGameOverReplacesIt) {
  LoseTheLastBall(*game_, [this](std::int64_t ms) { Frame(ms); });
  ASSERT_EQ(game_->gameState, EnteringName);
  ASSERT_NE(game_->nameForm, nullptr);
  RECT gameRect{}, nameRect{};
  GetWindowRect(game_->hwnd, &gameRect);
  GetWindowRect(game_->nameForm->hwnd, &nameRect);
  EXPECT_EQ(nameRect.left - gameRect.left,
            ((gameRect.right - gameRect.left) - (nameRect.right - nameRect.left)) / 2);
  EXPECT_EQ(nameRect.top - gameRect.top,
            ((gameRect.bottom - gameRect.top) - (nameRect.bottom - nameRect.top)) / 2);
  // The close box: recorded under the name confirmed so far (none: blanks).
  SendMessageW(game_->nameForm->hwnd, WM_CLOSE, 0, 0);
  EXPECT_EQ(game_->gameState, GameOver);
  game_->OnChar('a');
  game_->OnChar('g');
  LoseTheLastBall(*game_, [this](std::int64_t ms) { Frame(ms); });
  ASSERT_EQ(game_->gameState, EnteringName);
  EXPECT_TRUE(IsWindow(game_->nameForm->hwnd));
  EXPECT_TRUE(game_->nameForm->nameBox->GetText().empty());
}

// On a desktop of twice the usual density: the game sees the same pixels,
// the screen shows them doubled.
class FrameStepAtScale2 : public FrameStep {
 protected:
  void SetUp() override {
    Host().SetScale(2);
    FrameStep::SetUp();
  }
};

host::Rect ShownBounds(HWND window) {
  return Host().Window(window_tests::HostWindowOf(window))->options.bounds;
}

TEST_F(FrameStepAtScale2, TheNameFormIsCentredOnTheScreenAndTakesAClickAtTheDoubledPlace) {
  LoseTheLastBall(*game_, [this](std::int64_t ms) { Frame(ms); });
  ASSERT_EQ(game_->gameState, EnteringName);
  ASSERT_NE(game_->nameForm, nullptr);
  const HWND dialog = game_->nameForm->hwnd;
  RECT gameRect{}, nameRect{};
  GetWindowRect(game_->hwnd, &gameRect);
  GetWindowRect(dialog, &nameRect);
  EXPECT_EQ(nameRect.left - gameRect.left,
            ((gameRect.right - gameRect.left) - (nameRect.right - nameRect.left)) / 2);
  // On the screen the dialog is twice its size at twice its place, so it
  // stays in the middle of the doubled game.
  const host::Rect nameShown = ShownBounds(dialog);
  RECT nameClient{};
  GetClientRect(dialog, &nameClient);
  POINT origin{0, 0};
  ClientToScreen(dialog, &origin);
  EXPECT_EQ(nameShown.x, 2 * origin.x);
  EXPECT_EQ(nameShown.y, 2 * origin.y);
  EXPECT_EQ(nameShown.width, 2 * nameClient.right);
  EXPECT_EQ(nameShown.height, 2 * nameClient.bottom);

  // The keyboard taken away, then a click in the middle of the doubled box.
  SetFocus(game_->nameForm->okButton->hwnd);
  ASSERT_NE(GetFocus(), game_->nameForm->nameBox->hwnd);
  RECT box{};
  GetWindowRect(game_->nameForm->nameBox->hwnd, &box);
  Host().Click(window_tests::HostWindowOf(dialog), (box.left + box.right) - 2 * origin.x,
               (box.top + box.bottom) - 2 * origin.y);
  window_tests::Drain();
  EXPECT_EQ(GetFocus(), game_->nameForm->nameBox->hwnd);
}

TEST_F(FrameStep, ClosingTheGameWhileTheNameFormIsOpenRecordsTheGame) {
  game_->score = 300;
  LoseTheLastBall(*game_, [this](std::int64_t ms) { Frame(ms); });
  ASSERT_EQ(game_->gameState, EnteringName);
  SendMessageW(game_->hwnd, WM_CLOSE, 0, 0);
  delete game_;
  game_ = nullptr;
  EXPECT_EQ(testing_support::ReadBytes(data_ / "Zarvo/Score/Classifica.txt"),
            "00000300              Level 1\r\n");
}

}  // namespace

namespace {

// A pixel of a picture of the game's cache, as it stands in the bitmap.
COLORREF PicturePixel(HBITMAP picture, int x, int y) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, picture);
  const COLORREF c = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteDC(dc);
  return c;
}

TEST_F(FrameStep, ThreeLostBallsShowTheReplayPictureTwiceAndThenGameOver) {
  std::vector<std::string> shown;
  for (int life = 3; life >= 1; --life) {
    ASSERT_EQ(game_->gameState, Playing) << life;
    game_->paddle->x = 700;
    game_->ball->x = 50;
    game_->ball->y = game_->ball->maxY;
    game_->ball->movingUp = false;
    while (game_->gameState == Playing) Frame(31);
    EXPECT_EQ(game_->lives, life - 1);
    for (const auto& [name, picture] : game_->imageCache) {
      if (picture == game_->backgroundPicture) shown.push_back(name);
    }
    // The window shows that picture, and the red ball over it at the bottom.
    EXPECT_EQ(window_tests::WindowPixel(game_->hwnd, 100, 50),
              PicturePixel(game_->backgroundPicture, 100, 50));
    const SpriteBall& ball = *game_->ball;
    EXPECT_EQ(ball.y, ball.maxY);
    EXPECT_EQ(
        window_tests::WindowPixel(game_->hwnd, ball.x + ball.width / 2, ball.y + ball.height / 2),
        0x0000FFu)
        << life;
    while (game_->gameState == Interlude) Frame(100);
  }
  EXPECT_EQ(shown, (std::vector<std::string>{"images_games\\replay.bmp",
                                             "images_games\\replay.bmp",
                                             "images_games\\gameover.bmp"}));
  EXPECT_EQ(game_->gameState, EnteringName);
  EXPECT_NE(PicturePixel(game_->imageCache.at("images_games\\replay.bmp"), 100, 50),
            PicturePixel(game_->imageCache.at("images_games\\gameover.bmp"), 100, 50))
      << "the two pictures must differ where the test looks";
}

// The paddle slid under a falling ball, whose bottom is now 12 pixels inside
// it: each step up catches it again, with a sound and a new sideways speed,
// until its bottom is above the paddle's top.
TEST_F(FrameStep, ABallDeepInsideThePaddleIsCaughtAgainUntilItRisesAboveIt) {
  game_->OnChar('p');
  SpriteBall& ball = *game_->ball;
  SpritePlayer& paddle = *game_->paddle;
  paddle.x = 300;
  ball.stepX = 0;
  ball.movingUp = true;
  ball.x = 300 + 50 - 8;  // over the paddle's centre
  ball.y = 620 + 12 - 17;
  MovementBall movement(&game_->ballSettings, &ball, game_);
  struct Step {
    int paddleX;  // where the paddle is for this step
    int bottom;   // the ball's bottom after it
    bool caught;
    int stepX;
  } steps[] = {
      {300, 628, true, 0},  // centre: straight up
      {270, 624, true, 2},  // the paddle went left: the ball leaves right
      {250, 620, true, 1},  // level with the paddle's top: still inside
      {300, 616, false, 1}, // above it: no catch, the speed stays
  };
  for (const Step& s : steps) {
    paddle.x = s.paddleX;
    const std::size_t sounds = Host().Sounds().size();
    movement.Step();
    EXPECT_EQ(ball.y + ball.height, s.bottom);
    EXPECT_EQ(Host().Sounds().size(), sounds + (s.caught ? 1 : 0)) << s.bottom;
    EXPECT_TRUE(ball.movingUp);
    EXPECT_EQ(ball.stepX, s.stepX) << s.bottom;
  }
}

}  // namespace

namespace {

// The very first frame of the process, on a clock that moves on by a
// millisecond each time it is read: the time of the last frame is read
// first, so that the first frame sees time going forward.
TEST(FirstFrame, ReadsTheLastFrameTimeBeforeNow) {
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(std::filesystem::path(ZARVO_ASSET_DIR).parent_path());
  testing_support::TempFolder data;
  setenv("XDG_DATA_HOME", data.path().c_str(), 1);
  auto* game = new FormZarvo(GetModuleHandleW(nullptr), "Zarvo");
  game->StopTimer();
  game->OnChar('g');
  ASSERT_EQ(game->gameState, Playing);
  Host().SetReadingStep(1);
  game->OnFrame();
  Host().SetReadingStep(0);
  for (VexaUtility::SpriteAnim* movement : game->movements) EXPECT_EQ(movement->elapsed, 1);
  delete game;
  std::filesystem::current_path(previous);
}

}  // namespace
