#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "game/shell/form_zarvo.h"
#include "platform/gdi/objects.h"
#include "tests/framework/windows/window_fixture.h"
#include "tests/support/temp_folder.h"

namespace {

using namespace Zarvo;
using window_tests::Host;
using window_tests::RunLoop;

FormZarvo* player = nullptr;
std::int32_t stopAtLevel = 2;

// Where the ball's centre will be when it has risen `steps` steps, leaving
// the paddle with this sideways step and direction, the side limits turning it.
int CentreAfter(const SpriteBall& ball, int stepX, bool right, int steps) {
  int x = ball.x;
  for (int i = 0; i < steps; ++i) {
    x += right ? stepX : -stepX;
    if (x < ball.minX) {
      x = ball.minX;
      right = true;
    } else if (x > ball.maxX) {
      x = ball.maxX;
      right = false;
    }
  }
  return x + ball.width / 2;
}

// Keeps the paddle under the ball, placed so that the ball leaves it
// towards a brick: of the ways it can leave, the one that brings it nearest
// to the middle of some standing brick.
void CALLBACK Steer(HWND, UINT, UINT_PTR, DWORD) {
  FormZarvo& g = *player;
  if (g.level >= stopAtLevel) {
    PostQuitMessage(0);
    return;
  }
  if (g.gameState != Playing || g.ball == nullptr || g.paddle == nullptr) return;
  const SpriteBall& ball = *g.ball;
  // The ball moves sideways before it meets the paddle: aim from there.
  const int nextX = std::clamp(ball.x + (ball.movingRight ? ball.stepX : -ball.stepX), ball.minX,
                               ball.maxX);
  const int ballCentre = nextX + ball.width / 2;
  int offset = 0;
  if (!ball.movingUp && ball.y > 500) {
    // Offsets from the paddle's middle and the sideways step each gives
    // with the ball's base step of 4.
    struct Way {
      int offset;
      bool right;
    } ways[] = {{0, ball.movingRight}, {51, true}, {30, true}, {18, true},
                {-51, false}, {-30, false}, {-18, false}};
    int best = 1 << 30;
    for (const Way& way : ways) {
      const double f = 1.0 - std::abs(way.offset) / static_cast<double>(g.paddle->width);
      const int stepX = way.offset == 0 ? 0 : static_cast<int>(f * ball.baseStepX);
      for (SpriteTiles* brick : g.bricks) {
        if (!brick->alive) continue;
        const int steps = std::max(0, (g.paddle->y - (brick->y + brick->height)) / ball.stepY);
        const int miss = std::abs(CentreAfter(ball, stepX, way.right, steps) -
                                  (brick->x + brick->width / 2));
        // Straight up only when it hits: else the ball would bounce on
        // the same line for ever.
        if (miss < best && (way.offset != 0 || miss <= brick->width / 2)) {
          best = miss;
          offset = way.offset;
        }
      }
    }
  }
  g.paddle->x = ballCentre - g.paddle->width / 2 - offset;
}

// Levels 1 to 8, every brick of every layout, through the real message loop;
// the game then leaves no window and no drawing object behind.
TEST(AutomaticPlayer, ClearsTheEightWallsAndTheGameLeavesNothingBehind) {
  testing_support::TempFolder data;
  setenv("XDG_DATA_HOME", data.path().c_str(), 1);
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(std::filesystem::path(ZARVO_ASSET_DIR).parent_path());
  const auto objectsBefore = gdi::LiveObjectCount();
  player = new FormZarvo(GetModuleHandleW(nullptr), "Zarvo");
  RunLoop(nullptr, 100);
  player->OnChar('g');
  int levelsSeen = 0;
  const UINT_PTR steer = SetTimer(nullptr, 0, 10, Steer);
  for (int level = 1; level <= 8; ++level) {
    ASSERT_EQ(player->level, level);
    stopAtLevel = level + 1;
    RunLoop(nullptr, 20 * 60 * 1000);  // until the wall falls, or twenty minutes of play
    if (player->level == level) {
      ADD_FAILURE() << "the wall of level " << level << " still stands";
      break;
    }
    EXPECT_EQ(std::count_if(player->bricks.begin(), player->bricks.end(),
                            [](SpriteTiles* brick) { return brick->alive; }),
              0)
        << level;
    ++levelsSeen;
  }
  KillTimer(nullptr, steer);
  EXPECT_EQ(levelsSeen, 8);
  EXPECT_EQ(player->lives, 3) << "the paddle was under the ball every time";
  HWND window = player->hwnd;
  SendMessageW(window, WM_CLOSE, 0, 0);
  delete player;
  EXPECT_FALSE(IsWindow(window));
  player = nullptr;
  EXPECT_EQ(gdi::LiveObjectCount(), objectsBefore);
  std::filesystem::current_path(previous);
}

}  // namespace
