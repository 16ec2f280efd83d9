// The game's frame on the headless host: one play frame at level 8 (90
// bricks, the ball and three coins moving), one intro frame, one StartLevel,
// and a whole second of play with the paddle kept under the ball.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "game/shell/form_zarvo.h"
#include "platform/host/headless/headless.h"

namespace {

using namespace Zarvo;

// The game as the player starts it, from the folder with its pictures.
struct Game {
  Game() {
    std::filesystem::current_path(ZARVO_SOURCE_DIR);
    setenv("XDG_DATA_HOME", "/tmp/zarvo-bench-data", 1);
    form = new FormZarvo(GetModuleHandleW(nullptr), "Bench");
    form->StopTimer();
  }
  ~Game() { delete form; }
  void StartLevel(int level) {
    form->OnChar('g');
    form->level = level;
    form->StartLevel();
  }
  // Lets the clock move on so that the next frame has work to do.
  static void Tick() { host::headless::Instance().Advance(31); }
  FormZarvo* form;
};

void PlayFrameAtLevel8(benchmark::State& state) {
  Game game;
  game.StartLevel(8);
  for (auto _ : state) {
    Game::Tick();
    game.form->OnFrame();
    if (game.form->gameState != Playing) {  // the ball was lost or the wall cleared
      state.PauseTiming();
      game.form->lives = 3;
      game.form->StartLevel();
      state.ResumeTiming();
    }
  }
}
BENCHMARK(PlayFrameAtLevel8);

void IntroFrame(benchmark::State& state) {
  Game game;
  for (auto _ : state) {
    host::headless::Instance().Advance(501);  // a tick every frame: the dearest case
    game.form->OnFrame();
  }
}
BENCHMARK(IntroFrame);

void StartLevel8(benchmark::State& state) {
  Game game;
  game.StartLevel(8);
  for (auto _ : state) game.form->StartLevel();
}
BENCHMARK(StartLevel8);

// Fifty 20-ms frames of level 8, the arrows held towards the ball as a player
// would: paddle moves, paddle hits with their sound, bricks breaking.
void OneSecondOfPlayAtLevel8(benchmark::State& state) {
  Game game;
  game.StartLevel(8);
  FormZarvo& g = *game.form;
  std::int64_t bricksBroken = 0;
  for (auto _ : state) {
    for (int frame = 0; frame < 50; ++frame) {
      const int ball = g.ball->x + g.ball->width / 2;
      const int paddle = g.paddle->x + g.paddle->width / 2;
      g.keys[VK_LEFT] = ball < paddle - 8;
      g.keys[VK_RIGHT] = ball > paddle + 8;
      host::headless::Instance().Advance(20);
      const int score = g.score;
      g.OnFrame();
      bricksBroken += (g.score - score) / 50;
      if (g.gameState != Playing) {
        state.PauseTiming();
        g.lives = 3;
        g.StartLevel();
        state.ResumeTiming();
      }
    }
  }
  state.counters["bricks/s"] = benchmark::Counter(static_cast<double>(bricksBroken) /
                                                  static_cast<double>(state.iterations()));
}
BENCHMARK(OneSecondOfPlayAtLevel8)->Unit(benchmark::kMicrosecond);

}  // namespace
