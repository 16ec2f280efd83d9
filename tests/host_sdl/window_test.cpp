#include <algorithm>
#include <clocale>
#include <gtest/gtest.h>
#include <vector>

#include "tests/host_sdl/host_fixture.h"
#include "tests/host_sdl/x11_probe.h"

namespace sdl_testing {
namespace {

using host::EventType;
using host::Rect;

// A frame of one colour, with spare pixels at the end of each row.
struct Frame {
  int width, height, stride;
  std::vector<std::uint32_t> pixels;
  Frame(int w, int h, std::uint32_t colour)
      : width(w), height(h), stride(w + 5), pixels(static_cast<std::size_t>(stride) * h, colour) {}
  void Fill(std::uint32_t colour) { std::fill(pixels.begin(), pixels.end(), colour); }
  host::PixelView View() const { return {pixels.data(), width, height, stride}; }
};

constexpr std::uint32_t kBlue = 0x2050C0;
constexpr std::uint32_t kRed = 0xD03010;
constexpr std::uint32_t kGreen = 0x30B040;

class PresentOnScreen : public OnXvfb, public ::testing::WithParamInterface<int> {
 protected:
  PresentOnScreen() : OnXvfb(GetParam()) {}
  // 16-bit screens keep 5 or 6 bits of each channel.
  int Tolerance() const { return GetParam() == 16 ? 8 : 0; }
};

TEST_P(PresentOnScreen, OnlyTheChangedRectanglesReachTheScreen_AtTheWindowsPlace) {
  const Rect bounds{120, 80, 64, 48};
  const host::WindowId window = ShowWindow(bounds);
  ASSERT_NE(window, 0u);
  Frame frame(64, 48, kBlue);
  const Rect whole{0, 0, 64, 48};
  host().Present(window, frame.View(), {&whole, 1});

  frame.Fill(kRed);
  // One inside, one hanging over the bottom-right corner, one wholly outside.
  const std::vector<Rect> changed = {{8, 4, 16, 10}, {56, 40, 20, 20}, {-30, -30, 10, 10}};
  host().Present(window, frame.View(), changed);
  AwaitServer(host().NativeWindow(window));

  XProbe probe;
  ASSERT_TRUE(probe.connected());
  const Screenshot shot = probe.Capture();
  auto at = [&](int x, int y) { return shot.At(bounds.x + x, bounds.y + y); };
  const int t = Tolerance();
  EXPECT_TRUE(SameColour(at(8, 4), kRed, t));
  EXPECT_TRUE(SameColour(at(23, 13), kRed, t));
  EXPECT_TRUE(SameColour(at(7, 4), kBlue, t));
  EXPECT_TRUE(SameColour(at(24, 13), kBlue, t));
  EXPECT_TRUE(SameColour(at(8, 14), kBlue, t));
  EXPECT_TRUE(SameColour(at(56, 40), kRed, t));
  EXPECT_TRUE(SameColour(at(63, 47), kRed, t));
  EXPECT_TRUE(SameColour(at(55, 47), kBlue, t));
  EXPECT_TRUE(SameColour(at(0, 0), kBlue, t));
  EXPECT_FALSE(SameColour(at(-1, 0), kBlue, 32)) << "the window is not where it was asked to be";
  EXPECT_FALSE(SameColour(at(64, 47), kRed, 32));
}

INSTANTIATE_TEST_SUITE_P(ScreenDepth, PresentOnScreen, ::testing::Values(24, 16));

class HostWindows : public OnXvfb {};

TEST_F(HostWindows, NewBoundsMoveAndResize_AndTheNextFrameFillsTheNewSize) {
  const host::WindowId window = ShowWindow({120, 80, 64, 48});
  ASSERT_NE(window, 0u);
  host().SetBounds(window, {300, 200, 96, 72});
  const auto events = EventsUntil(host(), Is(EventType::Resized, window));
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.back().type, EventType::Resized);
  EXPECT_EQ(events.back().width, 96);
  EXPECT_EQ(events.back().height, 72);

  const Frame frame(96, 72, kGreen);
  const Rect whole{0, 0, 96, 72};
  host().Present(window, frame.View(), {&whole, 1});
  AwaitServer(host().NativeWindow(window));
  const Screenshot shot = XProbe().Capture();
  EXPECT_EQ(shot.At(300, 200), kGreen);
  EXPECT_EQ(shot.At(395, 271), kGreen);
  EXPECT_NE(shot.At(299, 200), kGreen);
  EXPECT_NE(shot.At(396, 271), kGreen);
}

TEST_F(HostWindows, TitleAndIconReachTheWindowManager) {
  host::WindowOptions options;
  options.titleUtf8 = "Partita à due";
  options.bounds = {10, 10, 50, 40};
  const host::WindowId window = host().CreateWindow(options);
  ASSERT_NE(window, 0u);
  XProbe probe;
  const unsigned long xwindow = X11WindowOf(host().NativeWindow(window));
  AwaitServer(host().NativeWindow(window));
  EXPECT_EQ(probe.Text(xwindow, "_NET_WM_NAME"), "Partita à due");
  // The ICCCM name in a type every X client decodes: Latin-1 as STRING,
  // the rest (here an en dash) as UTF8_STRING.
  EXPECT_EQ(probe.TypeOf(xwindow, "WM_NAME"), "STRING");
  EXPECT_EQ(probe.Text(xwindow, "WM_NAME"), "Partita \xE0 due");
  EXPECT_EQ(probe.Decoded(xwindow, "WM_NAME"), "Partita à due");
  host().SetTitle(window, "Punteggi – più alti");
  // Two by two, read through a stride of three.
  const std::uint32_t icon[] = {0xFF102030, 0x80405060, 0xDEADBEEF, 0x00708090, 0xFFA0B0C0, 0};
  host().SetIcon(window, {icon, 2, 2, 3});
  AwaitServer(host().NativeWindow(window));
  EXPECT_EQ(probe.Text(xwindow, "_NET_WM_NAME"), "Punteggi – più alti");
  EXPECT_EQ(probe.TypeOf(xwindow, "WM_NAME"), "UTF8_STRING");
  EXPECT_EQ(probe.Decoded(xwindow, "WM_NAME"), "Punteggi – più alti");
  EXPECT_STREQ(std::setlocale(LC_CTYPE, nullptr), "C") << "the program's own locale is left alone";
  EXPECT_EQ(probe.Longs(xwindow, "_NET_WM_ICON"),
            (std::vector<unsigned long>{2, 2, 0xFF102030, 0x80405060, 0x00708090, 0xFFA0B0C0}));
}

// What a window manager reads to decide how a window looks and behaves.
struct WindowLook {
  bool fixedSize;    // WM_NORMAL_HINTS: smallest and largest size alike
  bool decorated;    // _MOTIF_WM_HINTS
  bool above;        // _NET_WM_STATE_ABOVE
  std::string type;  // _NET_WM_WINDOW_TYPE
};

// The size-hint flags of a smallest and a largest size (ICCCM).
constexpr unsigned long kMinSize = 1 << 4;
constexpr unsigned long kMaxSize = 1 << 5;

WindowLook LookOf(const XProbe& probe, unsigned long xwindow) {
  WindowLook look{};
  const auto hints = probe.Longs(xwindow, "WM_NORMAL_HINTS");
  // flags, x, y, width, height, min width, min height, max width, max height, ...
  look.fixedSize = hints.size() >= 9 &&
                   (hints[0] & (kMinSize | kMaxSize)) == (kMinSize | kMaxSize) &&
                   hints[5] == hints[7] && hints[6] == hints[8];
  const auto motif = probe.Longs(xwindow, "_MOTIF_WM_HINTS");
  look.decorated = motif.size() < 3 || motif[2] != 0;
  for (unsigned long atom : probe.Longs(xwindow, "_NET_WM_STATE")) {
    look.above = look.above || probe.AtomName(atom) == "_NET_WM_STATE_ABOVE";
  }
  const auto type = probe.Longs(xwindow, "_NET_WM_WINDOW_TYPE");
  look.type = type.empty() ? "" : probe.AtomName(type[0]);
  return look;
}

struct TraitsCase {
  const char* name;
  host::WindowTraits traits;
  WindowLook look;
};

TEST_F(HostWindows, TraitsBecomeWhatTheWindowManagerReads) {
  const TraitsCase cases[] = {
      {"a fixed frame", {}, {true, true, false, "_NET_WM_WINDOW_TYPE_NORMAL"}},
      {"resizable", {.resizable = true}, {false, true, false, "_NET_WM_WINDOW_TYPE_NORMAL"}},
      {"tool window", {.utility = true}, {true, true, false, "_NET_WM_WINDOW_TYPE_UTILITY"}},
      {"topmost", {.topmost = true}, {true, true, true, "_NET_WM_WINDOW_TYPE_NORMAL"}},
      {"popup",
       {.caption = false, .popup = true},
       {true, false, false, "_NET_WM_WINDOW_TYPE_NORMAL"}},
      // What the window manager asks of a drop-down: a tool window, topmost,
      // without a frame.
      {"drop-down menu",
       {.caption = false, .utility = true, .topmost = true, .popup = true, .menu = true},
       {true, false, true, "_NET_WM_WINDOW_TYPE_POPUP_MENU"}},
  };
  XProbe probe;
  for (const TraitsCase& c : cases) {
    host::WindowOptions options;
    options.bounds = {10, 10, 50, 40};
    options.traits = c.traits;
    const host::WindowId window = host().CreateWindow(options);
    ASSERT_NE(window, 0u) << c.name;
    AwaitServer(host().NativeWindow(window));
    const WindowLook look = LookOf(probe, X11WindowOf(host().NativeWindow(window)));
    EXPECT_EQ(look.fixedSize, c.look.fixedSize) << c.name;
    EXPECT_EQ(look.decorated, c.look.decorated) << c.name;
    EXPECT_EQ(look.above, c.look.above) << c.name;
    EXPECT_EQ(look.type, c.look.type) << c.name;
    host().DestroyWindow(window);
  }
}

TEST_F(HostWindows, TraitsChangeOnAWindowThatExists) {
  XProbe probe;
  host::WindowOptions options;
  options.bounds = {10, 10, 50, 40};
  const host::WindowId window = host().CreateWindow(options);
  ASSERT_NE(window, 0u);
  host().SetTraits(window, {.resizable = true, .topmost = true, .popup = true});
  AwaitServer(host().NativeWindow(window));
  const WindowLook look = LookOf(probe, X11WindowOf(host().NativeWindow(window)));
  EXPECT_FALSE(look.fixedSize);
  EXPECT_FALSE(look.decorated);
  EXPECT_TRUE(look.above);
}

// Without a window manager nobody draws a close box to click; the test sends
// what a window manager sends when it is clicked.
TEST_F(HostWindows, TheCloseBoxIsACloseForThatWindow_NotAQuit) {
  const host::WindowId window = ShowWindow({50, 50, 80, 60});
  ASSERT_NE(window, 0u);
  XProbe probe;
  probe.SendDeleteWindow(X11WindowOf(host().NativeWindow(window)));
  const auto events = EventsUntil(host(), Is(EventType::Close));
  ASSERT_TRUE(Contains(events, Is(EventType::Close, window)));
  const auto later = EventsUntil(host(), Is(EventType::Quit), 150);
  EXPECT_FALSE(Contains(later, Is(EventType::Quit)));
  EXPECT_NE(host().NativeWindow(window), nullptr) << "closing is the program's decision";
}

TEST_F(HostWindows, NothingQueuedForADestroyedWindowIsDelivered) {
  host::WindowOptions options;
  options.bounds = {50, 50, 80, 60};
  const host::WindowId gone = host().CreateWindow(options);
  const host::WindowId kept = host().CreateWindow(options);
  host().SetVisibility(gone, host::Visibility::Shown);
  host().SetVisibility(kept, host::Visibility::Shown);
  host().DestroyWindow(gone);
  const auto events = EventsUntil(
      host(), [](const host::Event&) { return false; }, 300);
  EXPECT_TRUE(Contains(events, Is(EventType::Exposed, kept)));
  EXPECT_FALSE(Contains(events, [gone](const host::Event& e) { return e.window == gone; }));
}

TEST_F(HostWindows, ShownInactiveLeavesTheKeyboardWhereItWas) {
  const host::WindowId main = ShowWindow({50, 50, 80, 60});
  host::WindowOptions options;
  options.bounds = {200, 50, 80, 60};
  options.traits.popup = true;
  const host::WindowId tip = host().CreateWindow(options);
  host().SetVisibility(tip, host::Visibility::ShownInactive);
  const auto events = EventsUntil(
      host(), [](const host::Event&) { return false; }, 300);
  ASSERT_TRUE(Contains(events, Is(EventType::Exposed, tip)));
  // The last word on the focus is the main window's.
  auto last = std::find_if(events.rbegin(), events.rend(), [](const host::Event& e) {
    return e.type == EventType::FocusGained || e.type == EventType::FocusLost;
  });
  if (last != events.rend()) {
    EXPECT_EQ(last->type, EventType::FocusGained);
    EXPECT_EQ(last->window, main);
  }
  EXPECT_EQ(SDL_GetKeyboardFocus(), host().NativeWindow(main));
}

TEST_F(HostWindows, ScreenBoundsAreTheDisplays) {
  const Rect screen = host().ScreenBounds();
  EXPECT_EQ(screen.x, 0);
  EXPECT_EQ(screen.y, 0);
  EXPECT_EQ(screen.width, 1024);
  EXPECT_EQ(screen.height, 768);
}

}  // namespace
}  // namespace sdl_testing
