#include <gtest/gtest.h>

#include <filesystem>

#include "framework/controls/text_box.h"
#include "game/shell/form_zarvo.h"
#include "tests/framework/windows/window_fixture.h"
#include "tests/support/temp_folder.h"

namespace {

using namespace Zarvo;
using window_tests::Drain;
using window_tests::Host;
using window_tests::HostWindowOf;
using window_tests::RunLoop;

// The game as a player starts it: from the repository's root, where the
// pictures are, with a high-score folder of the test's own.
class Game : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(std::filesystem::path(ZARVO_ASSET_DIR).parent_path());
    setenv("XDG_DATA_HOME", data_.path().c_str(), 1);
    Host().onMessageBox = [](const host::headless::MessageBoxRecord&) {
      Host().KeyDown(VK_RETURN);
      Host().KeyUp(VK_RETURN);
    };
    game_ = new FormZarvo(GetModuleHandleW(nullptr), "Zarvo (c) 2026 Zarvo");
    Drain();
  }
  void TearDown() override {
    delete game_;
    std::filesystem::current_path(previous_);
  }
  FormZarvo& game() { return *game_; }
  // A pixel of the client area as the window shows it.
  COLORREF Shown(int x, int y) { return window_tests::WindowPixel(game_->hwnd, x, y); }
  void StartGame() {
    RunLoop(nullptr, 50);  // the intro's first frames
    game().OnChar('g');
  }

  testing_support::TempFolder data_;
  std::filesystem::path previous_;
  FormZarvo* game_ = nullptr;
};

TEST_F(Game, OpensOnTheSplashWithAnExactClientAreaAndTheMenu) {
  RECT client{};
  GetClientRect(game().hwnd, &client);
  EXPECT_EQ(client.right, 800);
  EXPECT_EQ(client.bottom, 640);
  EXPECT_EQ(game().GetText(), "Zarvo (c) 2026 Zarvo");
  EXPECT_EQ(game().gameState, Intro);
  EXPECT_EQ(game().imageCache.count("images_games\\logo.bmp"), 1u);
  EXPECT_NE(game().backgroundPicture, nullptr);
  EXPECT_EQ(GetMenuItemCount(GetMenu(game().hwnd)), 3);
  EXPECT_EQ(Host().MessageBoxes().size(), 0u);
  EXPECT_EQ(Shown(0, 0), 0x0000FF00u);  // the markers are on the window
  EXPECT_NE(Shown(300, 150), Shown(700, 30));  // the credit band, not the field
}

TEST_F(Game, GBuildsLevelOne) {
  StartGame();
  FormZarvo& g = game();
  EXPECT_EQ(g.gameState, Playing);
  ASSERT_EQ(g.bricks.size(), 20u);
  EXPECT_EQ(g.bricks[0]->x, 80);  // layout 1, row 1, column 2
  EXPECT_EQ(g.bricks[0]->y, 100);
  EXPECT_EQ(g.bricks[0]->width, 38);
  EXPECT_EQ(g.bricks[0]->kind, 1);
  ASSERT_NE(g.paddle, nullptr);
  EXPECT_EQ(g.paddle->width, 100);
  EXPECT_EQ(g.paddle->height, 20);
  EXPECT_EQ(g.paddle->x, 350);
  EXPECT_EQ(g.paddle->y, 620);
  ASSERT_NE(g.ball, nullptr);
  EXPECT_EQ(g.ball->width, 17);
  EXPECT_EQ(g.ball->x, 50);
  EXPECT_EQ(g.ball->y, 250);
  EXPECT_FALSE(g.ball->movingRight);
  EXPECT_FALSE(g.ball->movingUp);
  for (SpriteMonete* coin : {g.coin1, g.coin2, g.coin3}) {
    ASSERT_NE(coin, nullptr);
    EXPECT_EQ(coin->y, 20);
    EXPECT_GE(coin->x, 0);
    EXPECT_LE(coin->x, 776);
  }
  EXPECT_EQ(g.coin3->text, "150");
  EXPECT_EQ(g.movements.size(), 4u);
  EXPECT_EQ(g.elements.size(), 25u);
  EXPECT_EQ(g.elements.back(), g.coin3);
  EXPECT_EQ(Shown(0, 0), 0x0000FF00u);
  EXPECT_EQ(Shown(2, 0), 0x000000FFu);
  EXPECT_EQ(Shown(400, 630), 0x0000004Du);  // the paddle's dark red middle
  EXPECT_EQ(Shown(80, 105), 0x0000FFFFu);   // a brick's yellow left edge
  EXPECT_EQ(Shown(58, 258), 0x000000FFu);  // the red ball's middle
}

TEST_F(Game, MovementsStepOnceTheirThirtyMillisecondsHaveGathered) {
  StartGame();
  const int x = game().ball->x;
  RunLoop(nullptr, 60);  // three frames of 20 ms: 20, 40 (a step), 20
  EXPECT_EQ(game().ball->x, x - 4);
  EXPECT_EQ(game().ball->y, 254);
}

TEST_F(Game, NClearsTheLevelAndTheNextOneStandsAfterTheInterlude) {
  StartGame();
  game().score = 1250;
  game().OnChar('n');
  EXPECT_EQ(game().gameState, Interlude);
  EXPECT_EQ(game().level, 2);
  EXPECT_EQ(game().score, 1250);
  EXPECT_TRUE(game().movements.empty());
  game().OnChar('p');  // nothing in the interlude
  EXPECT_EQ(game().gameState, Interlude);
  RunLoop(nullptr, 1000);
  EXPECT_EQ(game().gameState, Interlude);
  RunLoop(nullptr, 1000);
  EXPECT_EQ(game().gameState, Playing);
  EXPECT_EQ(game().bricks.size(), 44u);  // layout 2
}

TEST_F(Game, TheJoystickItemSwitchesSteering) {
  EXPECT_FALSE(game().joystickEnabled);
  for (bool expected : {true, false}) {
    PostMessageW(game().hwnd, WM_COMMAND, MAKELONG(game().joystickItem->id, 0), 0);
    Drain();
    EXPECT_EQ(game().joystickEnabled, expected);
  }
}

TEST_F(Game, TheLastLostBallAsksForANameAndRecordsTheResult) {
  StartGame();
  FormZarvo& g = game();
  g.lives = 1;
  g.score = 1250;
  g.paddle->x = 700;  // out of the ball's way
  g.ball->y = g.ball->maxY;
  RunLoop(nullptr, 100);
  EXPECT_EQ(g.gameState, EnteringName);
  EXPECT_EQ(g.lives, 0);
  ASSERT_NE(g.nameForm, nullptr);
  g.nameForm->nameBox->Focus();
  Drain();
  Host().Type(u"anna");
  Host().KeyDown(VK_RETURN);
  Host().KeyUp(VK_RETURN);
  Drain();
  EXPECT_EQ(g.gameState, GameOver);
  const std::string file = data_ / "Zarvo/Score/Classifica.txt";
  EXPECT_EQ(testing_support::ReadBytes(file), "00001250 ANNA         Level 1\r\n");
  g.OnChar('x');  // any key: back to the intro
  EXPECT_EQ(g.gameState, Intro);
  ASSERT_EQ(g.highScores.size(), 1u);
  EXPECT_EQ(g.highScores[0], "00001250 ANNA         Level 1");
  // The intro's first tick shows it in black on a white strip at the top.
  RunLoop(nullptr, 600);
  EXPECT_EQ(Shown(700, 10), 0x00FFFFFFu);
  int black = 0;
  for (int y = 2; y < 18; ++y) {
    for (int x = 4; x < 400; ++x) black += Shown(x, y) == 0;
  }
  EXPECT_GT(black, 100) << "the line's text";
}

// Alt+F and Esc during play leave the menu bar lit, holding the keyboard;
// the name box that the game over opens takes the focus, and with it the keys.
TEST_F(Game, TheNameBoxTakesTheKeysFromAMenuLeftLitDuringPlay) {
  StartGame();
  FormZarvo& g = game();
  Host().KeyDown(VK_LMENU);
  Host().KeyDown('F');
  Host().KeyUp('F');
  Host().KeyUp(VK_LMENU);
  Drain();
  Host().KeyDown(VK_ESCAPE);
  Host().KeyUp(VK_ESCAPE);
  Drain();
  g.lives = 1;
  g.paddle->x = 700;
  g.ball->y = g.ball->maxY;
  RunLoop(nullptr, 100);
  ASSERT_EQ(g.gameState, EnteringName);
  ASSERT_NE(g.nameForm, nullptr);
  EXPECT_EQ(GetFocus(), g.nameForm->nameBox->hwnd);
  Host().Type(u"anna");
  Host().KeyDown(VK_RETURN);
  Host().KeyUp(VK_RETURN);
  Drain();
  EXPECT_EQ(g.gameState, GameOver);
  EXPECT_EQ(testing_support::ReadBytes(data_ / "Zarvo/Score/Classifica.txt"),
            "00000000 ANNA         Level 1\r\n");
}

}  // namespace

#include "game/playfield/movements.h"

namespace {

using namespace Zarvo;

// The ball meets the 100-pixel paddle at x = 300: how it leaves.
TEST_F(Game, ThePaddleSetsTheBallsSidewaysSpeedByWhereItIsMet) {
  StartGame();
  FormZarvo& g = game();
  g.OnChar('p');  // the test steps the ball itself
  struct Case {
    int ballX;
    bool right;
    int stepX;
  } cases[] = {
      {370, true, 2},         // offset 28 > 17: right, trunc(0.72 x 4)
      {300 + 50 - 8, false, 0},  // offset 0: straight up, direction kept
      {300 + 50 - 8 + 17, false, 0},  // offset exactly the ball's width: still straight up
      {300 + 50 - 8 - 18, false, 3},  // offset -18: left, trunc(0.82 x 4)
  };
  for (const Case& c : cases) {
    g.paddle->x = 300;
    g.ball->stepX = 0;  // so that the horizontal move changes nothing
    g.ball->movingRight = false;
    g.ball->movingUp = false;
    g.ball->x = c.ballX;
    g.ball->y = 620 - 17 - 4;  // the step lands its bottom on the paddle's top
    MovementBall(&g.ballSettings, g.ball, &g).Step();
    EXPECT_TRUE(g.ball->movingUp) << c.ballX;
    EXPECT_EQ(g.ball->movingRight, c.right) << c.ballX;
    EXPECT_EQ(g.ball->stepX, c.stepX) << c.ballX;
  }
}

TEST_F(Game, TheBallClampsAndTurnsAtTheLimits) {
  StartGame();
  FormZarvo& g = game();
  g.OnChar('p');
  g.ball->x = 2;
  g.ball->y = 22;
  g.ball->movingUp = true;
  MovementBall(&g.ballSettings, g.ball, &g).Step();
  EXPECT_EQ(g.ball->x, 0);
  EXPECT_TRUE(g.ball->movingRight);
  EXPECT_EQ(g.ball->y, 20);
  EXPECT_FALSE(g.ball->movingUp);
}

TEST_F(Game, CoinsAreMissedAfterTheirNumberOfStepsAndACatchScoresOnce) {
  StartGame();
  FormZarvo& g = game();
  g.OnChar('p');
  g.paddle->x = -90;  // out of the way
  const std::pair<SpriteMonete*, int> cases[] = {{g.coin1, 597}, {g.coin2, 299}, {g.coin3, 199}};
  for (auto [coin, steps] : cases) {
    coin->x = 400;
    coin->y = coin->minY;
    MovementMoney movement(&g.coinSettings, coin, &g);
    for (int i = 1; i < steps; ++i) movement.Step();
    EXPECT_GT(coin->y, 560) << coin->text;
    movement.Step();
    EXPECT_EQ(coin->y, 20) << coin->text;  // missed: back at the top
    EXPECT_GE(coin->x, 0);
    EXPECT_LE(coin->x, 776);
  }
  // Caught: exactly its value, once, then it slides right.
  g.paddle->x = 350;
  SpriteMonete* coin = g.coin3;
  coin->x = 380;
  coin->y = 620 - 24 - 2;
  const int before = g.score;
  MovementMoney movement(&g.coinSettings, coin, &g);
  movement.Step();
  EXPECT_TRUE(coin->caught);
  EXPECT_EQ(g.score, before + 150);
  const int y = coin->y;
  movement.Step();
  EXPECT_EQ(g.score, before + 150);
  EXPECT_EQ(coin->x, 383);
  EXPECT_EQ(coin->y, y);
}

TEST_F(Game, ThePaddleStopsWhereOnlyTenPixelsWouldStayInside) {
  StartGame();
  FormZarvo& g = game();
  g.OnChar('p');
  g.keys[VK_LEFT] = true;
  for (int i = 0; i < 200; ++i) g.MovePaddle();
  EXPECT_EQ(g.paddle->x, -90);
  g.keys[VK_LEFT] = false;
  g.keys[VK_RIGHT] = true;
  for (int i = 0; i < 400; ++i) g.MovePaddle();
  EXPECT_EQ(g.paddle->x, 790);
  g.keys[VK_LEFT] = true;  // both held: left, then right, in the same step
  g.paddle->x = 350;
  g.MovePaddle();
  EXPECT_EQ(g.paddle->x, 350);
}

host::JoystickState Stick(std::uint32_t x) {
  host::JoystickState state;
  state.plugged = true;
  state.x = x;
  state.axes = 2;
  return state;
}

// Steering with the joystick, one MovePaddle at a time from x = 350.
TEST_F(Game, TheJoystickSteersThePaddleWhileSteeringIsOn) {
  StartGame();
  FormZarvo& g = game();
  g.OnChar('p');
  struct Case {
    const char* what;
    bool enabled;
    int slots;       // how many joysticks the driver reports
    int stick;       // which one is plugged in
    std::uint32_t x;
    bool leftKey;
    int paddleX;
  } cases[] = {
      {"pushed left", true, 16, 0, 0, false, 346},
      {"pushed right", true, 16, 0, 65535, false, 354},
      {"pushed right, steering off", false, 16, 0, 65535, false, 350},
      {"at the centre", true, 16, 0, 32767, false, 350},
      {"one unit right of the centre", true, 16, 0, 32768, false, 350},
      {"a little more than half a percent right", true, 16, 0, 32768 + 328, false, 354},
      {"only joystick 2, two reported", true, 2, 1, 0, false, 346},
      {"only joystick 2, one reported", true, 1, 1, 0, false, 350},
      {"left key held, stick right: both ways", true, 16, 0, 65535, true, 350},
  };
  for (const Case& c : cases) {
    for (int i = 0; i < 2; ++i) Host().UnplugJoystick(i);
    Host().SetJoystickSlots(c.slots);
    Host().PlugJoystick(c.stick, Stick(c.x));
    if (g.joystickEnabled != c.enabled) {
      PostMessageW(g.hwnd, WM_COMMAND, MAKELONG(g.joystickItem->id, 0), 0);
      Drain();
    }
    g.keys[VK_LEFT] = c.leftKey;
    g.paddle->x = 350;
    g.MovePaddle();
    EXPECT_EQ(g.paddle->x, c.paddleX) << c.what;
  }
}

}  // namespace

namespace {

// A damaged splash picture: reported, the game window closed, nothing cached.
TEST(GameWithADamagedPicture, ReportsItAndClosesTheGame) {
  testing_support::TempFolder root;
  std::filesystem::create_directories(root / "images_games");
  testing_support::WriteBytes(root / "images_games/logo.bmp", "not the splash");
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(root.path());
  Host().onMessageBox = [](const host::headless::MessageBoxRecord&) {
    Host().KeyDown(VK_RETURN);
    Host().KeyUp(VK_RETURN);
  };
  auto* game = new FormZarvo(GetModuleHandleW(nullptr), "Zarvo");
  ASSERT_GE(Host().MessageBoxes().size(), 1u);
  EXPECT_EQ(Host().MessageBoxes()[0].textUtf8,
            "Immagine corrotta o dannegiata. Ripristinare la cartella immagine");
  EXPECT_EQ(Host().MessageBoxes()[0].captionUtf8, "errore");
  EXPECT_FALSE(IsWindow(game->hwnd));
  EXPECT_FALSE(game->created);
  EXPECT_TRUE(game->imageCache.empty());
  delete game;
  std::filesystem::current_path(previous);
}

}  // namespace
