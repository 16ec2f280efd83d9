#include <gtest/gtest.h>

#include "platform/api/user.h"
#include "platform/gdi/objects.h"
#include "platform/host/headless/headless.h"
#include "tests/support/message_log.h"

namespace {

using testing_support::MessageLog;

SCROLLINFO Info(UINT mask, int min = 0, int max = 0, UINT page = 0, int pos = 0) {
  return SCROLLINFO{sizeof(SCROLLINFO), mask, min, max, page, pos, 0};
}

SCROLLINFO Read(HWND w, int bar) {
  SCROLLINFO info = Info(SIF_ALL);
  EXPECT_TRUE(GetScrollInfo(w, bar, &info));
  return info;
}

TEST(ScrollBars, APositionIsKeptWhereAWholePageStillFits) {
  MessageLog log;
  HWND w = log.Create(u"t", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  SCROLLINFO range = Info(SIF_RANGE | SIF_PAGE, 0, 100, 10);
  SetScrollInfo(w, SB_VERT, &range, TRUE);
  struct Case {
    int asked, kept;
  };
  for (const Case c : {Case{50, 50}, Case{91, 91}, Case{95, 91}, Case{-5, 0}}) {
    SCROLLINFO pos = Info(SIF_POS, 0, 0, 0, c.asked);
    EXPECT_EQ(SetScrollInfo(w, SB_VERT, &pos, TRUE), c.kept) << c.asked;
    EXPECT_EQ(Read(w, SB_VERT).nPos, c.kept) << c.asked;
    EXPECT_EQ(Read(w, SB_VERT).nTrackPos, c.kept) << c.asked;
  }
  // A page larger than the range shrinks to it, and the position to the start.
  SCROLLINFO big = Info(SIF_PAGE, 0, 0, 500);
  EXPECT_EQ(SetScrollInfo(w, SB_VERT, &big, TRUE), 0);
  EXPECT_EQ(Read(w, SB_VERT).nPage, 101u);
  // Each bar keeps its own numbers.
  SCROLLINFO horizontal = Info(SIF_RANGE | SIF_POS, 10, 20, 0, 15);
  EXPECT_EQ(SetScrollInfo(w, SB_HORZ, &horizontal, TRUE), 15);
  EXPECT_EQ(Read(w, SB_VERT).nMax, 100);
  DestroyWindow(w);
}

TEST(ScrollBars, OnlyAWindowWithABarHasItsNumbersAndTheStyleGivesTheDefaultRange) {
  MessageLog log;
  HWND plain = log.Create(u"t", WS_POPUP, 0, 0, 50, 50);
  SCROLLINFO info = Info(SIF_ALL);
  EXPECT_FALSE(GetScrollInfo(plain, SB_VERT, &info));
  EXPECT_FALSE(GetScrollInfo(plain, SB_CTL, &info));
  HWND barred = log.Create(u"t", WS_POPUP | WS_VSCROLL, 0, 0, 50, 50);
  const SCROLLINFO initial = Read(barred, SB_VERT);
  EXPECT_EQ(initial.nMin, 0);
  EXPECT_EQ(initial.nMax, 100);
  EXPECT_EQ(initial.nPos, 0);
  SCROLLINFO wrongSize = Info(SIF_ALL);
  wrongSize.cbSize = 4;
  EXPECT_FALSE(GetScrollInfo(barred, SB_VERT, &wrongSize));
  DestroyWindow(plain);
  DestroyWindow(barred);
}

TEST(ScrollBars, ScrollingAWindowPaintsItAgain) {
  MessageLog log;
  HWND w = log.Create(u"t", WS_POPUP | WS_VISIBLE, 0, 0, 60, 40);
  log.DrainQueue();
  log.Clear();
  EXPECT_TRUE(ScrollWindow(w, 0, -10, nullptr, nullptr));
  log.DrainQueue();
  EXPECT_EQ(log.Count(w, WM_PAINT), 1);
  EXPECT_EQ(log.Count(w, WM_ERASEBKGND), 1);
  DestroyWindow(w);
}

TEST(DialogButtons, TheCheckStateIsAskedOfAndGivenToTheButtonItself) {
  MessageLog log;
  static UINT state = BST_UNCHECKED;
  log.reply = [](HWND, UINT m, WPARAM wParam, LPARAM, bool& handled) -> LRESULT {
    if (m == BM_GETCHECK) {
      handled = true;
      return state;
    }
    if (m == BM_SETCHECK) {
      handled = true;
      state = static_cast<UINT>(wParam);
    }
    return 0;
  };
  HWND dialog = log.Create(u"d", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  log.Create(u"box", WS_CHILD | WS_VISIBLE, 5, 5, 50, 20, dialog, 7);
  EXPECT_EQ(IsDlgButtonChecked(dialog, 7), BST_UNCHECKED);
  EXPECT_TRUE(CheckDlgButton(dialog, 7, BST_CHECKED));
  EXPECT_EQ(state, BST_CHECKED);
  EXPECT_EQ(IsDlgButtonChecked(dialog, 7), BST_CHECKED);
  // No such control: nothing is checked and nothing can be.
  EXPECT_EQ(IsDlgButtonChecked(dialog, 8), BST_UNCHECKED);
  EXPECT_FALSE(CheckDlgButton(dialog, 8, BST_CHECKED));
  DestroyWindow(dialog);
}

LRESULT CALLBACK Plain(HWND w, UINT m, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(w, m, wParam, lParam);
}

TEST(Classes, UnregisteringAClassDeletesItsBrushButNotAStockOne) {
  WNDCLASSW own{};
  own.lpfnWndProc = Plain;
  own.hbrBackground = CreateSolidBrush(RGB(1, 2, 3));
  own.lpszClassName = u"OwnBrush";
  ASSERT_NE(RegisterClassW(&own), 0);
  WNDCLASSW stock = own;
  stock.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  stock.lpszClassName = u"StockBrush";
  ASSERT_NE(RegisterClassW(&stock), 0);
  const std::size_t before = gdi::LiveObjectCount();
  EXPECT_TRUE(UnregisterClassW(u"OwnBrush", nullptr));
  EXPECT_EQ(gdi::LiveObjectCount(), before - 1);
  EXPECT_EQ(gdi::LookupBrush(own.hbrBackground), nullptr);
  EXPECT_TRUE(UnregisterClassW(u"StockBrush", nullptr));
  EXPECT_NE(gdi::LookupBrush(stock.hbrBackground), nullptr);
}

}  // namespace

namespace {

TEST(Icons, TheApplicationIconIsAStockObjectThatNothingDeletes) {
  const std::size_t before = gdi::LiveObjectCount();
  HICON icon = LoadIconW(nullptr, IDI_APPLICATION);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(gdi::LiveObjectCount(), before);
  DestroyIcon(icon);
  EXPECT_NE(gdi::LookupIcon(icon), nullptr);
  EXPECT_EQ(LoadIconW(nullptr, IDI_APPLICATION), icon);
}

}  // namespace
