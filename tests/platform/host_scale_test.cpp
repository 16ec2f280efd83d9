// The desktop's scale in the host seam: the density setting read, pixels
// shown as blocks, and sizes, places and the mouse kept in the program's own
// pixels through the whole platform.
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "platform/api/user.h"
#include "platform/host/headless/headless.h"
#include "platform/host/scale.h"
#include "tests/support/message_log.h"

namespace {

using testing_support::MessageLog;

host::headless::HeadlessHost& Host() {
  return host::headless::Instance();
}

TEST(DesktopScale, IsTheDensityOver96RoundedAndKeptWithin1To4) {
  struct Case {
    const char* text;
    int scale;
  };
  const Case cases[] = {
      {"96", 1},     {"192", 2},    {"144", 2}, {"143.9", 1}, {"120", 1}, {"240", 3},
      {"288", 3},    {"384", 4},    {"960", 4}, {"1e308", 4}, {"48", 1},  {"20", 1},
      {" 192\t", 2}, {"192.0", 2},  {"0", 1},   {"-192", 1},  {"", 1},    {"   ", 1},
      {"abc", 1},    {"192dpi", 1}, {"nan", 1}, {"inf", 1},   {"1,5", 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(host::ScaleFromDpiText(c.text), c.scale) << "Xft.dpi \"" << c.text << "\"";
  }
}

TEST(DesktopScale, ScreenCoordinatesRoundDownToTheProgramsPixel) {
  struct Case {
    int value, scale, expected;
  };
  const Case cases[] = {{0, 2, 0},   {1, 2, 0}, {3, 2, 1},   {-1, 2, -1}, {-2, 2, -1},
                        {-3, 2, -2}, {7, 3, 2}, {-7, 3, -3}, {5, 1, 5},   {-5, 1, -5}};
  for (const Case& c : cases) {
    EXPECT_EQ(host::ScaleDown(c.value, c.scale), c.expected) << c.value << " / " << c.scale;
  }
  // Sizes and places far out stay within int instead of wrapping round.
  const host::Rect far = host::ScaleUp({2000000000, -2000000000, 3, 4}, 4);
  EXPECT_EQ(far.x, std::numeric_limits<int>::max());
  EXPECT_EQ(far.y, std::numeric_limits<int>::min());
  EXPECT_EQ(far.width, 12);
}

// Each pixel of the rectangle fills its own block, and nothing else of the
// picture is touched.
TEST(DesktopScale, BlowUpWritesEachPixelAsABlockAndOnlyTheRectanglesBlocks) {
  constexpr int kWidth = 5, kHeight = 4, kStride = 7;
  std::vector<std::uint32_t> pixels(kStride * kHeight);
  for (int i = 0; i < kStride * kHeight; ++i) pixels[i] = 0x010203u * (i + 1);
  const host::PixelView frame{pixels.data(), kWidth, kHeight, kStride};
  const host::Rect r{1, 1, 3, 2};
  constexpr std::uint32_t kUntouched = 0xDEADBEEF;
  for (int scale : {2, 3, 4}) {
    const int width = kWidth * scale, height = kHeight * scale;
    const int pitchPixels = width + 3;  // spare pixels at the end of each row
    std::vector<std::uint32_t> shown(static_cast<std::size_t>(pitchPixels) * height, kUntouched);
    host::BlowUp(frame, r, scale, reinterpret_cast<std::uint8_t*>(shown.data()), pitchPixels * 4);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < pitchPixels; ++x) {
        const int fx = x / scale, fy = y / scale;
        const bool inside =
            x < width && fx >= r.x && fx < r.x + r.width && fy >= r.y && fy < r.y + r.height;
        const std::uint32_t expected = inside ? pixels[fy * kStride + fx] : kUntouched;
        ASSERT_EQ(shown[y * pitchPixels + x], expected)
            << "scale " << scale << " at (" << x << ", " << y << ")";
      }
    }
  }
}

TEST(HeadlessScale, IsOneUnlessATestAsksAndStaysWithin1To4) {
  host::headless::HeadlessHost host;
  EXPECT_EQ(host.Scale(), 1);
  host.SetScale(9);
  EXPECT_EQ(host.Scale(), 4);
  host.SetScale(0);
  EXPECT_EQ(host.Scale(), 1);
}

TEST(HeadlessScale, ThePictureShownIsTheFrameDoubledInTheChangedRectanglesOnly) {
  host::headless::HeadlessHost host;
  host.SetScale(2);
  const host::WindowId id = host.CreateWindow(host::WindowOptions{"t", {10, 20, 4, 3}, {}});
  EXPECT_EQ(host.Window(id)->options.bounds.x, 20);
  EXPECT_EQ(host.Window(id)->options.bounds.y, 40);
  EXPECT_EQ(host.Window(id)->options.bounds.width, 8);
  EXPECT_EQ(host.Window(id)->options.bounds.height, 6);
  std::uint32_t first[15], second[15];  // 4 x 3 with a spare pixel a row
  for (int i = 0; i < 15; ++i) {
    first[i] = 0x100000u + i;
    second[i] = 0x200000u + i;
  }
  const host::Rect all{0, 0, 4, 3}, corner{2, 1, 9, 9};  // clipped to the frame
  host.Present(id, host::PixelView{first, 4, 3, 5}, std::span(&all, 1));
  host.Present(id, host::PixelView{second, 4, 3, 5}, std::span(&corner, 1));
  const auto* window = host.Window(id);
  ASSERT_EQ(window->shownWidth, 8);
  ASSERT_EQ(window->shownHeight, 6);
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 8; ++x) {
      const int fx = x / 2, fy = y / 2;
      const std::uint32_t* source = fx >= 2 && fy >= 1 ? second : first;
      EXPECT_EQ(window->ShownPixel(x, y), source[fy * 5 + fx]) << x << ", " << y;
      EXPECT_EQ(window->ShownPixel(x, y), window->Pixel(fx, fy));
    }
  }
  EXPECT_EQ(window->ShownPixel(8, 0), 0xFFFFFFFFu);
  host.SetBounds(id, {-3, 5, 6, 7});
  EXPECT_EQ(host.Window(id)->options.bounds.x, -6);
  EXPECT_EQ(host.Window(id)->options.bounds.width, 12);
}

TEST(HeadlessScale, InputFromTheScreenReachesTheProgramDivided) {
  host::headless::HeadlessHost host;
  host.SetScale(2);
  EXPECT_EQ(host.ScreenBounds().width, 960);
  EXPECT_EQ(host.ScreenBounds().height, 540);
  host.Click(1, 41, 30);
  host.WindowEvent(1, host::EventType::Moved, 101, -3);
  host.WindowEvent(1, host::EventType::Resized, 1601, 1280);
  host::Event e;
  for (host::EventType type :
       {host::EventType::MouseMove, host::EventType::MouseDown, host::EventType::MouseUp}) {
    ASSERT_TRUE(host.WaitEvent(e, 0));
    EXPECT_EQ(e.type, type);
    EXPECT_EQ(e.x, 20);
    EXPECT_EQ(e.y, 15);
  }
  ASSERT_TRUE(host.WaitEvent(e, 0));
  EXPECT_EQ(e.x, 50);
  EXPECT_EQ(e.y, -2);
  ASSERT_TRUE(host.WaitEvent(e, 0));
  EXPECT_EQ(e.width, 800);
  EXPECT_EQ(e.height, 640);
}

constexpr DWORD kGameStyle = 0x10CA0000;  // visible, caption, system menu, minimise box
constexpr UINT kFirstItem = 11;

// A window with a menu bar, as the game has, made on a host at scale 2.
struct ScaledMenuWindow {
  ScaledMenuWindow() {
    Host().SetScale(2);
    window = log.Create(u"t", kGameStyle, 30, 40, 400, 300);
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, kFirstItem, u"&Esci");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), u"&File");
    SetMenu(window, bar);
    log.DrainQueue();
    log.Clear();
    hostWindow = Host().Windows().front();
  }
  ~ScaledMenuWindow() { DestroyWindow(window); }

  MessageLog log;
  HWND window;
  host::WindowId hostWindow;
};

TEST(HeadlessScale, TheProgramKeepsItsOwnPixelsWhileTheScreenShowsThemDoubled) {
  ScaledMenuWindow m;
  RECT rect{}, client{};
  GetWindowRect(m.window, &rect);
  GetClientRect(m.window, &client);
  EXPECT_EQ(rect.left, 30);
  EXPECT_EQ(rect.top, 40);
  EXPECT_EQ(rect.right, 430);
  EXPECT_EQ(rect.bottom, 340);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 960);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 540);

  // The menu bar and the client area, on the screen at twice their size
  // and twice as far from the screen's corner.
  const auto* shown = Host().Window(m.hostWindow);
  const int menuBar = GetSystemMetrics(SM_CYMENU);
  EXPECT_EQ(shown->options.bounds.width, 2 * client.right);
  EXPECT_EQ(shown->options.bounds.height, 2 * (client.bottom + menuBar));
  POINT origin{0, 0};
  ClientToScreen(m.window, &origin);
  EXPECT_EQ(shown->options.bounds.x, 2 * origin.x);
  EXPECT_EQ(shown->options.bounds.y, 2 * (origin.y - menuBar));
  ASSERT_EQ(shown->shownWidth, 2 * shown->frameWidth);
  ASSERT_EQ(shown->shownHeight, 2 * shown->frameHeight);
  for (int y = 0; y < shown->shownHeight; ++y) {
    for (int x = 0; x < shown->shownWidth; ++x) {
      ASSERT_EQ(shown->ShownPixel(x, y), shown->Pixel(x / 2, y / 2)) << x << ", " << y;
    }
  }

  // Moved and resized by the program, in its own pixels.
  SetWindowPos(m.window, nullptr, 50, 60, 300, 200, SWP_NOZORDER);
  GetWindowRect(m.window, &rect);
  EXPECT_EQ(rect.left, 50);
  EXPECT_EQ(rect.right, 350);
  ClientToScreen(m.window, &(origin = POINT{0, 0}));
  EXPECT_EQ(shown->options.bounds.x, 2 * origin.x);
  GetClientRect(m.window, &client);
  EXPECT_EQ(shown->options.bounds.width, 2 * client.right);

  // Moved on the screen by the desktop: 20 screen pixels are 10 of the
  // program's.
  Host().WindowEvent(m.hostWindow, host::EventType::Moved, shown->options.bounds.x + 20,
                     shown->options.bounds.y + 41);
  m.log.DrainQueue();
  GetWindowRect(m.window, &rect);
  EXPECT_EQ(rect.left, 60);
  EXPECT_EQ(rect.top, 80);
}

TEST(HeadlessScale, AClickAtTheDoubledPlaceOpensTheMenuAndChoosesItsItem) {
  ScaledMenuWindow m;
  Host().Click(m.hostWindow, 2 * 12, 2 * 8);  // on the doubled "File"
  m.log.DrainQueue();
  ASSERT_EQ(Host().Windows().size(), 2u);
  const host::WindowId dropDown = Host().Windows().back();
  const auto* shown = Host().Window(dropDown);
  EXPECT_EQ(shown->options.bounds.width, 2 * shown->frameWidth);
  EXPECT_EQ(shown->ShownPixel(2 * 20 + 1, 2 * 10 + 1), shown->Pixel(20, 10));
  // Where the program put the drop-down: under "File", in its own pixels.
  POINT origin{0, 0};
  ClientToScreen(m.window, &origin);
  EXPECT_EQ(shown->options.bounds.x / 2, origin.x);

  Host().Click(dropDown, 2 * 20, 2 * 10);  // the first item
  m.log.DrainQueue();
  const auto commands = m.log.Entries(WM_COMMAND);
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(LOWORD(commands[0].wParam), kFirstItem);

  // A click in the client area arrives at the program's own place in it.
  m.log.Clear();
  Host().Click(m.hostWindow, 2 * 100 + 1, 2 * (GetSystemMetrics(SM_CYMENU) + 50) + 1);
  m.log.DrainQueue();
  const auto downs = m.log.Entries(WM_LBUTTONDOWN);
  ASSERT_EQ(downs.size(), 1u);
  EXPECT_EQ(downs[0].lParam, MAKELONG(100, 50));
}

}  // namespace
