// Showing the program's frame on an SDL window at the desktop's scale: the
// few small rectangles of a play frame (the ball where it was and where it
// is, the paddle's strip) and the whole 800 x 660 frame (a new screen).
// SDL's dummy video driver keeps the window surface in memory, so what is
// measured is the host's own copying; the X server's share comes on top.
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/host/sdl/sdl_host.h"

namespace {

constexpr int kWidth = 800, kHeight = 660;  // the game's menu bar and client area

struct Shown {
  explicit Shown(int scale) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    host = std::make_unique<host::sdl::SdlHost>(scale);
    host::WindowOptions options;
    options.titleUtf8 = "Zarvo";
    options.bounds = {0, 0, kWidth, kHeight};
    window = host->CreateWindow(options);
    host->SetVisibility(window, host::Visibility::Shown);
    for (int i = 0; i < kWidth * kHeight; ++i) frame[i] = 0x010203u * (i % 251);
  }
  host::PixelView View() const { return {frame.data(), kWidth, kHeight, kWidth}; }

  std::vector<std::uint32_t> frame = std::vector<std::uint32_t>(kWidth * kHeight);
  std::unique_ptr<host::sdl::SdlHost> host;
  host::WindowId window = 0;
};

void PresentPlayFrame(benchmark::State& state) {
  Shown shown(static_cast<int>(state.range(0)));
  if (shown.window == 0) {
    state.SkipWithError("no window");
    return;
  }
  int step = 0;
  for (auto _ : state) {
    const int x = 100 + (step++ % 100) * 4;
    const host::Rect changed[] = {{x, 300, 24, 24}, {x + 4, 304, 24, 24}, {x, 630, 110, 14}};
    shown.host->Present(shown.window, shown.View(), changed);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(PresentPlayFrame)->Arg(1)->Arg(2)->Arg(3)->Arg(4);

void PresentWholeFrame(benchmark::State& state) {
  Shown shown(static_cast<int>(state.range(0)));
  if (shown.window == 0) {
    state.SkipWithError("no window");
    return;
  }
  const host::Rect whole{0, 0, kWidth, kHeight};
  for (auto _ : state) shown.host->Present(shown.window, shown.View(), {&whole, 1});
  state.SetBytesProcessed(state.iterations() * kWidth * kHeight * 4);
}
BENCHMARK(PresentWholeFrame)->Arg(1)->Arg(2)->Arg(3)->Arg(4);

}  // namespace
