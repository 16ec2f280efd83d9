// The SDL host at the desktop's scale on a private X server: the density
// read from the server's resources, pixels shown as blocks, and the mouse
// divided back into the program's pixels.
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "tests/host_sdl/host_fixture.h"
#include "tests/host_sdl/x11_probe.h"

namespace sdl_testing {
namespace {

using host::EventType;
using host::Rect;

// Puts the resources a desktop would on the server of DISPLAY; empty text
// takes them all away.
bool SetResources(const std::string& text) {
  if (text.empty()) return std::system("xrdb -remove") == 0;
  FILE* xrdb = popen("xrdb -nocpp -merge", "w");
  if (xrdb == nullptr) return false;
  std::fputs(text.c_str(), xrdb);
  return pclose(xrdb) == 0;
}

TEST(SdlDesktopScale, IsReadFromTheServersXftDpiWhenTheHostStarts) {
  testing_support::XvfbServer server;
  ASSERT_TRUE(server.started());
  // The server forgets its resources when its last client leaves, as a
  // desktop's server never does: a connection of the test's keeps them.
  XProbe session;
  ASSERT_TRUE(session.connected());
  unsetenv("SDL_VIDEODRIVER");
  struct Case {
    const char* resources;
    int scale;
  };
  const Case cases[] = {
      {"", 1},
      {"Xft.dpi: 96\n", 1},
      {"Xft.dpi: 192\n", 2},
      {"Xft.dpi: 144\n", 2},
      {"Xft.antialias: 1\nXft.dpi:\t288\nXcursor.size: 48\n", 3},
      {"Xft.dpi: large\n", 1},
      {"Xcursor.size: 48\n", 1},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(SetResources("")) << "xrdb";
    if (*c.resources != '\0') {
      ASSERT_TRUE(SetResources(c.resources)) << "xrdb";
    }
    host::sdl::SdlHost host;
    EXPECT_EQ(host.Scale(), c.scale) << c.resources;
  }
}

TEST(SdlDesktopScale, IsOneOffX11AndWithinOneToFourWhenGiven) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  EXPECT_EQ(host::sdl::SdlHost().Scale(), 1);
  EXPECT_EQ(host::sdl::SdlHost(7).Scale(), 4);
  EXPECT_EQ(host::sdl::SdlHost(-2).Scale(), 1);
}

// A frame whose every pixel differs from its neighbours, so that a block
// put one pixel out of place shows.
struct Pattern {
  int width, height, stride;
  std::vector<std::uint32_t> pixels;
  Pattern(int w, int h, std::uint32_t seed)
      : width(w), height(h), stride(w + 3), pixels(static_cast<std::size_t>(stride) * h) {
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        pixels[y * stride + x] = (seed + 0x2F1B07u * (y * w + x)) & 0xF8FCF8u;
      }
    }
  }
  std::uint32_t At(int x, int y) const { return pixels[y * stride + x]; }
  host::PixelView View() const { return {pixels.data(), width, height, stride}; }
};

class ScaledOnScreen : public ::testing::TestWithParam<int> {
 protected:
  ScaledOnScreen() : server_(GetParam()) {}
  void SetUp() override {
    ASSERT_TRUE(server_.started());
    unsetenv("SDL_VIDEODRIVER");
    host_ = std::make_unique<host::sdl::SdlHost>(2);
  }
  void TearDown() override { host_.reset(); }

  host::WindowId ShowWindow(Rect bounds) {
    host::WindowOptions options;
    options.titleUtf8 = "Zarvo";
    options.bounds = bounds;
    const host::WindowId window = host_->CreateWindow(options);
    if (window == 0) return 0;
    host_->SetVisibility(window, host::Visibility::Shown);
    host_->Focus(window);
    EventsUntil(*host_, Is(EventType::FocusGained, window));
    return window;
  }

  testing_support::XvfbServer server_;
  std::unique_ptr<host::sdl::SdlHost> host_;
};

// 16-bit screens keep 5 or 6 bits of each channel: the pattern uses only
// those, and the picture goes through a conversion there.
TEST_P(ScaledOnScreen, EachPixelIsATwoByTwoBlockAndOnlyTheChangedBlocksChange) {
  const Rect bounds{60, 40, 24, 18};
  const host::WindowId window = ShowWindow(bounds);
  ASSERT_NE(window, 0u);
  int width = 0, height = 0, x = 0, y = 0;
  SDL_GetWindowSize(host_->NativeWindow(window), &width, &height);
  SDL_GetWindowPosition(host_->NativeWindow(window), &x, &y);
  EXPECT_EQ(width, 48);
  EXPECT_EQ(height, 36);
  EXPECT_EQ(x, 120);
  EXPECT_EQ(y, 80);

  const Pattern first(24, 18, 0x102030), second(24, 18, 0x806040);
  const Rect whole{0, 0, 24, 18}, changed{5, 3, 7, 4};
  host_->Present(window, first.View(), {&whole, 1});
  host_->Present(window, second.View(), {&changed, 1});
  AwaitServer(host_->NativeWindow(window));

  XProbe probe;
  ASSERT_TRUE(probe.connected());
  const Screenshot shot = probe.Capture();
  const int tolerance = GetParam() == 16 ? 8 : 0;
  for (int sy = 0; sy < 36; ++sy) {
    for (int sx = 0; sx < 48; ++sx) {
      const int fx = sx / 2, fy = sy / 2;
      const bool inside = fx >= 5 && fx < 12 && fy >= 3 && fy < 7;
      const std::uint32_t expected = inside ? second.At(fx, fy) : first.At(fx, fy);
      const std::uint32_t got = shot.At(120 + sx, 80 + sy);
      ASSERT_TRUE(SameColour(got, expected, tolerance)) << "screen pixel " << sx << ", " << sy;
      // The whole block is one colour, whatever the screen's depth.
      ASSERT_EQ(got, shot.At(120 + fx * 2, 80 + fy * 2)) << "screen pixel " << sx << ", " << sy;
    }
  }
}

TEST_P(ScaledOnScreen, TheMouseAndTheScreenReachTheProgramInItsOwnPixels) {
  const Rect bounds{60, 40, 24, 18};
  const host::WindowId window = ShowWindow(bounds);
  ASSERT_NE(window, 0u);
  const Rect screen = host_->ScreenBounds();
  EXPECT_EQ(screen.width, 512);  // the server's 1024 x 768
  EXPECT_EQ(screen.height, 384);

  ASSERT_TRUE(Xdotool("mousemove 141 111 click 1"));  // screen pixel (21, 31) of the window
  const auto events = EventsUntil(*host_, Is(EventType::MouseUp, window));
  ASSERT_TRUE(Contains(events, Is(EventType::MouseDown, window)));
  for (const host::Event& e : events) {
    if (e.type != EventType::MouseDown && e.type != EventType::MouseUp) continue;
    EXPECT_EQ(e.x, 10);
    EXPECT_EQ(e.y, 15);
  }

  host_->SetBounds(window, {100, 90, 30, 20});
  const auto moved = EventsUntil(*host_, Is(EventType::Resized, window));
  ASSERT_FALSE(moved.empty());
  EXPECT_EQ(moved.back().width, 30);
  EXPECT_EQ(moved.back().height, 20);
  int x = 0, y = 0;
  SDL_GetWindowPosition(host_->NativeWindow(window), &x, &y);
  EXPECT_EQ(x, 200);
  EXPECT_EQ(y, 180);
}

INSTANTIATE_TEST_SUITE_P(ScreenDepth, ScaledOnScreen, ::testing::Values(24, 16));

}  // namespace
}  // namespace sdl_testing
