#include <gtest/gtest.h>

#include "platform/api/user.h"
#include "platform/host/headless/headless.h"
#include "tests/support/message_log.h"

namespace {

using testing_support::MessageLog;
using Messages = std::vector<UINT>;

host::headless::HeadlessHost& Host() { return host::headless::Instance(); }

Messages Only(const Messages& all, std::initializer_list<UINT> wanted) {
  Messages out;
  for (UINT m : all) {
    if (std::find(wanted.begin(), wanted.end(), m) != wanted.end()) out.push_back(m);
  }
  return out;
}

TEST(MessageQueue, PostedAndInputComeBeforePaintAndTimers) {
  MessageLog log;
  HWND w = log.Create(u"t", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  log.DrainQueue();
  log.Clear();
  SetTimer(w, 1, 20, nullptr);
  Host().Advance(25);  // the timer is due
  InvalidateRect(w, nullptr, FALSE);
  Host().KeyDown('G');
  PostMessageW(w, WM_USER, 0, 0);
  PostQuitMessage(3);
  EXPECT_EQ(log.RunUntilQuit(), 3);
  EXPECT_EQ(Only(log.Messages(w), {WM_USER, WM_KEYDOWN, WM_PAINT, WM_TIMER}),
            (Messages{WM_USER, WM_KEYDOWN}));  // WM_QUIT came before paint and timer
  PostQuitMessage(0);
  log.Clear();
  Host().KeyDown('H');
  PostMessageW(w, WM_USER + 1, 0, 0);
  MSG msg;
  std::vector<UINT> order;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE) && msg.message != WM_QUIT) {
    order.push_back(msg.message);
  }
  EXPECT_EQ(order, (std::vector<UINT>{WM_USER + 1, WM_KEYDOWN}));
  EXPECT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_PAINT);
  DispatchMessageW(&msg);
  EXPECT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_TIMER);
  DestroyWindow(w);
}

TEST(MessageQueue, CharactersComeBetweenTheirKeyDownAndKeyUp) {
  MessageLog log;
  HWND w = log.Create(u"t", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  log.DrainQueue();
  log.Clear();
  Host().Type(u"gA");
  for (int key : {VK_BACK, VK_TAB, VK_RETURN, VK_ESCAPE}) {
    Host().KeyDown(static_cast<std::uint32_t>(key));
    Host().KeyUp(static_cast<std::uint32_t>(key));
  }
  log.DrainQueue();
  std::vector<WPARAM> chars;
  for (const auto& e : log.Entries(WM_CHAR)) chars.push_back(e.wParam);
  EXPECT_EQ(chars, (std::vector<WPARAM>{'g', 'A', 8, 9, 13, 27}));
  const Messages keys = Only(log.Messages(w), {WM_KEYDOWN, WM_CHAR, WM_KEYUP});
  EXPECT_EQ(Messages(keys.begin(), keys.begin() + 3), (Messages{WM_KEYDOWN, WM_CHAR, WM_KEYUP}));
  // Shift, held for the capital, reached the window as the generic key.
  EXPECT_EQ(log.Entries(WM_KEYDOWN)[1].wParam, static_cast<WPARAM>(VK_SHIFT));
  DestroyWindow(w);
}

TEST(MessageQueue, KeyStateFollowsTheMessagesTakenFromTheQueue) {
  MessageLog log;
  HWND w = log.Create(u"t", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  log.DrainQueue();
  Host().KeyDown(VK_LSHIFT);
  Host().KeyDown(VK_LEFT);
  EXPECT_FALSE(GetKeyState(VK_SHIFT) & 0x8000);  // not yet taken from the queue
  log.DrainQueue();
  EXPECT_TRUE(GetKeyState(VK_SHIFT) & 0x8000);
  EXPECT_TRUE(GetKeyState(VK_LSHIFT) & 0x8000);
  EXPECT_FALSE(GetKeyState(VK_RSHIFT) & 0x8000);
  EXPECT_TRUE(GetKeyState(VK_LEFT) & 0x8000);
  Host().KeyUp(VK_LSHIFT);
  log.DrainQueue();
  EXPECT_FALSE(GetKeyState(VK_SHIFT) & 0x8000);
  const auto downs = log.Entries(WM_KEYDOWN);
  ASSERT_EQ(downs.size(), 2u);
  EXPECT_TRUE(downs[1].lParam & (1 << 24));  // an arrow is an extended key
  DestroyWindow(w);
}

TEST(Timers, TickEveryIntervalOfVirtualTimeThroughTheWait) {
  MessageLog log;
  HWND w = log.Create(u"t", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  log.DrainQueue();
  log.Clear();
  const std::uint64_t start = Host().Milliseconds();
  SetTimer(w, 42, 20, nullptr);
  std::vector<std::uint64_t> ticks;
  MSG msg;
  while (ticks.size() < 5 && GetMessageW(&msg, nullptr, 0, 0)) {
    if (msg.message == WM_TIMER) {
      EXPECT_EQ(msg.wParam, 42u);
      ticks.push_back(Host().Milliseconds() - start);
    }
    DispatchMessageW(&msg);
  }
  EXPECT_EQ(ticks, (std::vector<std::uint64_t>{20, 40, 60, 80, 100}));
  // A slow tick delays the next one instead of making up for the missed ones.
  Host().Advance(75);
  int dueNow = 0;
  while (PeekMessageW(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) ++dueNow;
  EXPECT_EQ(dueNow, 1);
  EXPECT_TRUE(KillTimer(w, 42));
  EXPECT_FALSE(KillTimer(w, 42));
  Host().Advance(100);
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
  DestroyWindow(w);
}

TEST(Timers, GoWithTheirWindow) {
  MessageLog log;
  HWND w = log.Create(u"t", WS_POPUP, 0, 0, 100, 100);
  SetTimer(w, 1, 10, nullptr);
  DestroyWindow(w);
  Host().Advance(50);
  MSG msg;
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
}

TEST(MessageLoop, AScriptThatRunsOutEndsTheSession) {
  MessageLog log;
  HWND w = log.Create(u"t", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  EXPECT_EQ(log.RunUntilQuit(), 0);
  DestroyWindow(w);
}

}  // namespace
