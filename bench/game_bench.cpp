// The game's frame on the headless host: one play frame at level 8 (90
// bricks, the ball and three coins moving), one intro frame, one StartLevel.
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

}  // namespace
