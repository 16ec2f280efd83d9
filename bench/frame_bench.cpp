// What the game form does around each sprite in a frame: the sprite drawn on
// the back surface and its changed rectangle copied to the window, and a
// whole frame opened and closed.
#include <benchmark/benchmark.h>

#include "framework/games/form_games.h"

namespace {

using namespace VexaUtility;

struct Game : FormGames {
  Game() : FormGames(GetModuleHandleW(nullptr), "Bench") {
    StopTimer();
    SetClientSize();
    BeginFrame(false);
    EndFrame();
  }
};

// Fills its rectangle, as the game's shape-drawn sprites do.
struct Block : Sprite {
  Block() : Sprite(24, 24) {}
  std::pair<std::int32_t, std::int32_t> Draw(Drawing& surface) override {
    const std::pair<std::int32_t, std::int32_t> previous{lastX, lastY};
    surface.DrawFilledRect(x, y, width, height, 0x0000FF, 0, 0x0000FF);
    lastX = x;
    lastY = y;
    return previous;
  }
};

void RedrawAMovingSprite(benchmark::State& state) {
  Game game;
  Block block;
  block.y = 300;
  game.BeginFrame(false);
  int step = 0;
  for (auto _ : state) {
    block.x = 100 + (step++ % 50) * 3;  // a small step each time, one copy
    game.RedrawSprite(&block);
  }
  game.EndFrame();
}
BENCHMARK(RedrawAMovingSprite);

void OpenAndCloseAFrame(benchmark::State& state) {
  Game game;
  for (auto _ : state) {
    game.BeginFrame(false);
    game.EndFrame();
  }
}
BENCHMARK(OpenAndCloseAFrame);

void StatusText(benchmark::State& state) {
  Game game;
  game.BeginFrame(false);
  for (auto _ : state) game.DrawTextAt(10, 10, "Score: 001250", 0xFFFFFF);
  game.EndFrame();
}
BENCHMARK(StatusText);

}  // namespace
