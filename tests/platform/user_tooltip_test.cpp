#include <gtest/gtest.h>

#include "platform/api/commctrl.h"
#include "platform/api/user.h"
#include "platform/host/headless/headless.h"
#include "tests/support/message_log.h"

namespace {

using testing_support::MessageLog;

host::headless::HeadlessHost& Host() {
  return host::headless::Instance();
}

std::uint32_t Rgb(COLORREF c) {
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

void InitTooltips() {
  const INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
  ASSERT_TRUE(InitCommonControlsEx(&init));
}

HWND MakeTip(HWND owner) {
  return CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                         WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0, 0, 0, 0, owner, nullptr,
                         nullptr, nullptr);
}

TOOLINFOW Tool(HWND window, RECT rect, const char16_t* text) {
  TOOLINFOW info{};
  info.cbSize = sizeof(TOOLINFOW);
  info.uFlags = TTF_SUBCLASS;
  info.hwnd = window;
  info.uId = 1;
  info.rect = rect;
  info.lpszText = const_cast<LPWSTR>(text);
  return info;
}

std::u16string TextOf(HWND tip, HWND window) {
  WCHAR buffer[64] = {};
  TOOLINFOW info = Tool(window, RECT{}, nullptr);
  info.lpszText = buffer;
  SendMessageW(tip, TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&info));
  return buffer;
}

TEST(Tooltip, TheClassExistsOnlyOnceTheCommonControlsAreStarted) {
  MessageLog log;
  HWND owner = log.Create(u"o", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  EXPECT_EQ(MakeTip(owner), nullptr);
  const INITCOMMONCONTROLSEX wrongSize{4, ICC_WIN95_CLASSES};
  EXPECT_FALSE(InitCommonControlsEx(&wrongSize));
  InitTooltips();
  HWND tip = MakeTip(owner);
  ASSERT_NE(tip, nullptr);
  EXPECT_FALSE(IsWindowVisible(tip));
  // The tip belongs to its owner and goes with it.
  DestroyWindow(owner);
  EXPECT_FALSE(IsWindow(tip));
}

TEST(Tooltip, ToolsAreAddedRenamedAndRemovedByWindowAndId) {
  MessageLog log;
  InitTooltips();
  HWND owner = log.Create(u"o", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  HWND tip = MakeTip(owner);
  TOOLINFOW info = Tool(owner, RECT{0, 0, 50, 50}, u"Primo");
  EXPECT_TRUE(SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)));
  EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
  EXPECT_EQ(TextOf(tip, owner), u"Primo");
  info.lpszText = const_cast<LPWSTR>(u"Secondo");
  SendMessageW(tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(TextOf(tip, owner), u"Secondo");
  SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 0);
  TOOLINFOW tooSmall = info;
  tooSmall.cbSize = 8;
  EXPECT_FALSE(SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tooSmall)));
  DestroyWindow(owner);
}

class TooltipHover : public ::testing::Test {
 protected:
  void SetUp() override {
    InitTooltips();
    owner = log.Create(u"o", WS_POPUP | WS_VISIBLE, 0, 0, 200, 150);
    ownProcedure = GetWindowLongPtrW(owner, GWLP_WNDPROC);
    ownerHost = Host().Windows().back();
    tip = MakeTip(owner);
    tipHost = Host().Windows().back();
    TOOLINFOW info = Tool(owner, RECT{10, 10, 60, 40}, u"Suggerimento");
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    log.DrainQueue();
  }
  void TearDown() override {
    if (IsWindow(owner)) DestroyWindow(owner);
  }
  void Rest(int x, int y, int ms) {
    Host().MoveMouse(ownerHost, x, y);
    log.DrainQueue();
    Host().Advance(ms);
    log.DrainQueue();
  }

  MessageLog log;
  HWND owner = nullptr, tip = nullptr;
  LONG_PTR ownProcedure = 0;
  host::WindowId ownerHost = 0, tipHost = 0;
};

TEST_F(TooltipHover, APointerRestingOnTheToolShowsTheTipBelowItAndLeavingHidesIt) {
  Rest(20, 20, 100);
  EXPECT_FALSE(IsWindowVisible(tip));  // not rested long enough
  Host().Advance(500);
  log.DrainQueue();
  ASSERT_TRUE(IsWindowVisible(tip));
  RECT box{};
  GetWindowRect(tip, &box);
  EXPECT_EQ(box.left, 20);
  EXPECT_EQ(box.top, 40);
  EXPECT_GT(box.right - box.left, 8);
  const auto* shown = Host().Window(tipHost);
  EXPECT_EQ(shown->visibility, host::Visibility::ShownInactive);
  EXPECT_EQ(shown->Pixel(0, 0), Rgb(GetSysColor(COLOR_WINDOWFRAME)));
  EXPECT_EQ(shown->Pixel(2, 2), Rgb(GetSysColor(COLOR_INFOBK)));
  EXPECT_EQ(GetForegroundWindow(), owner);  // the tip never takes the keyboard
  // The owner still gets its own messages.
  EXPECT_GT(log.Count(owner, WM_MOUSEMOVE), 0);

  Rest(100, 100, 0);  // off the tool
  EXPECT_FALSE(IsWindowVisible(tip));
}

TEST_F(TooltipHover, PointerOutsideTheToolOrAClickShowsNothing) {
  Rest(100, 100, 1000);
  EXPECT_FALSE(IsWindowVisible(tip));
  Rest(20, 20, 100);
  Host().Click(ownerHost, 20, 20);
  log.DrainQueue();
  Host().Advance(1000);
  log.DrainQueue();
  EXPECT_FALSE(IsWindowVisible(tip));
}

TEST_F(TooltipHover, ATipShowsForAWhileOnlyAndGivesTheWindowItsProcedureBack) {
  Rest(20, 20, 600);
  ASSERT_TRUE(IsWindowVisible(tip));
  Host().Advance(5000);
  log.DrainQueue();
  EXPECT_FALSE(IsWindowVisible(tip));
  EXPECT_NE(GetWindowLongPtrW(owner, GWLP_WNDPROC), ownProcedure);
  DestroyWindow(tip);
  EXPECT_EQ(GetWindowLongPtrW(owner, GWLP_WNDPROC), ownProcedure);
}

}  // namespace
