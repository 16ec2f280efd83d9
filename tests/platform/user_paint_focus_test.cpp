#include <gtest/gtest.h>

#include "platform/api/user.h"
#include "platform/host/headless/headless.h"
#include "tests/support/message_log.h"

namespace {

using testing_support::MessageLog;
using Messages = std::vector<UINT>;

host::headless::HeadlessHost& Host() { return host::headless::Instance(); }
const host::headless::WindowRecord& Shown() { return *Host().Window(Host().Windows().front()); }

// The frame buffer holds 0x00RRGGBB; colours are given as COLORREF.
std::uint32_t Rgb(COLORREF c) {
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

TEST(Painting, ExposureErasesWithTheClassBrushAndPaintsOnce) {
  MessageLog log;
  static RECT painted{};
  static BOOL erased = FALSE;
  log.reply = [](HWND h, UINT m, WPARAM, LPARAM, bool& handled) -> LRESULT {
    if (m != WM_PAINT) return 0;
    handled = true;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    painted = ps.rcPaint;
    erased = !ps.fErase;
    SetPixel(dc, 3, 4, RGB(255, 0, 0));
    EndPaint(h, &ps);
    return 0;
  };
  HWND w = log.Create(u"t", WS_POPUP | WS_VISIBLE, 0, 0, 40, 30);
  log.DrainQueue();
  EXPECT_EQ(log.Count(w, WM_PAINT), 1);
  EXPECT_EQ(log.Count(w, WM_ERASEBKGND), 1);
  EXPECT_TRUE(erased);
  EXPECT_EQ(painted.right, 40);
  EXPECT_EQ(painted.bottom, 30);
  EXPECT_EQ(Shown().Pixel(3, 4), 0xFF0000u);  // presented when the queue ran dry
  EXPECT_EQ(Shown().Pixel(0, 0), Rgb(GetSysColor(COLOR_BTNFACE)));

  log.Clear();
  Host().WindowEvent(Host().Windows().front(), host::EventType::Exposed);
  log.DrainQueue();
  EXPECT_EQ(log.Messages(w), (Messages{WM_PAINT, WM_ERASEBKGND}));
  DestroyWindow(w);
}

// A program that keeps a window's context past the window draws nowhere:
// the frame buffer went with the window, the context stays safe to use.
TEST(Painting, AContextKeptPastItsWindowDrawsNothing) {
  MessageLog log;
  HWND w = log.Create(u"t", WS_POPUP | WS_VISIBLE, 0, 0, 40, 30);
  HDC kept = GetDC(w);
  ASSERT_NE(kept, nullptr);
  DestroyWindow(w);
  EXPECT_EQ(GetPixel(kept, 1, 1), CLR_INVALID);
  EXPECT_EQ(SetPixel(kept, 1, 1, RGB(255, 0, 0)), static_cast<COLORREF>(-1));
  HDC memory = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateBitmap(10, 10, 1, 32, nullptr);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(kept, 0, 0, 10, 10, memory, 0, 0, SRCCOPY);
  BitBlt(memory, 0, 0, 10, 10, kept, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(w, kept);
}

TEST(Painting, InvalidatedAreasMergeAndValidationClearsThem) {
  MessageLog log;
  HWND w = log.Create(u"t", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  log.DrainQueue();
  RECT a{10, 10, 20, 20}, inside{12, 12, 15, 15}, b{50, 60, 70, 80};
  InvalidateRect(w, &a, FALSE);
  InvalidateRect(w, &inside, FALSE);
  InvalidateRect(w, &b, FALSE);
  RECT update{};
  EXPECT_TRUE(GetUpdateRect(w, &update, FALSE));
  EXPECT_EQ(update.left, 10);
  EXPECT_EQ(update.bottom, 80);
  PAINTSTRUCT ps;
  BeginPaint(w, &ps);
  EXPECT_EQ(ps.rcPaint.left, 10);
  EXPECT_EQ(ps.rcPaint.right, 70);
  EXPECT_EQ(ps.fErase, TRUE);  // nothing erased: not asked to
  EndPaint(w, &ps);
  EXPECT_FALSE(GetUpdateRect(w, &update, FALSE));
  InvalidateRect(w, nullptr, TRUE);
  ValidateRect(w, nullptr);
  log.Clear();
  log.DrainQueue();
  EXPECT_EQ(log.Count(w, WM_PAINT), 0);
  DestroyWindow(w);
}

TEST(Painting, AChildDrawsIntoItsParentsFrameAtItsOffsetClippedToItself) {
  MessageLog log;
  HWND top = log.Create(u"t", WS_POPUP | WS_VISIBLE, 0, 0, 100, 80);
  HWND child = log.Create(u"c", WS_CHILD | WS_VISIBLE | WS_BORDER, 20, 10, 30, 20, top, 1);
  log.DrainQueue();
  HDC dc = GetDC(child);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  RECT all{-50, -50, 500, 500};
  FillRect(dc, &all, red);  // far larger than the child
  DeleteObject(red);
  ReleaseDC(child, dc);
  log.DrainQueue();
  // The border of one pixel is outside the client area and stays as it was.
  EXPECT_EQ(Shown().Pixel(21, 11), 0xFF0000u);
  EXPECT_EQ(Shown().Pixel(48, 28), 0xFF0000u);
  EXPECT_NE(Shown().Pixel(20, 10), 0xFF0000u);
  EXPECT_NE(Shown().Pixel(49, 29), 0xFF0000u);
  EXPECT_NE(Shown().Pixel(60, 15), 0xFF0000u);
  DestroyWindow(top);
}

TEST(Focus, ActivationMovesBetweenTopLevelWindowsWithTheForegroundAlreadySet) {
  MessageLog log;
  static std::vector<std::pair<HWND, bool>> activations;  // window, foreground at that time
  log.reply = [](HWND h, UINT m, WPARAM, LPARAM, bool&) -> LRESULT {
    if (m == WM_ACTIVATE) activations.push_back({h, GetForegroundWindow() == h});
    return 0;
  };
  HWND a = log.Create(u"a", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
  HWND b = log.Create(u"b", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
  EXPECT_EQ(GetForegroundWindow(), b);
  ASSERT_EQ(activations.size(), 3u);
  EXPECT_EQ(activations[1], std::make_pair(a, false));  // a deactivated: b is foreground
  EXPECT_EQ(activations[2], std::make_pair(b, true));
  // The desktop gives the keyboard away and back.
  Host().WindowEvent(Host().Windows()[1], host::EventType::FocusLost);
  log.DrainQueue();
  EXPECT_EQ(GetForegroundWindow(), nullptr);
  EXPECT_EQ(GetFocus(), nullptr);
  Host().WindowEvent(Host().Windows()[0], host::EventType::FocusGained);
  log.DrainQueue();
  EXPECT_EQ(GetForegroundWindow(), a);
  EXPECT_EQ(GetFocus(), a);
  // Destroying the active window activates another.
  DestroyWindow(a);
  EXPECT_EQ(GetForegroundWindow(), b);
  DestroyWindow(b);
}

TEST(Focus, KeysGoToTheFocusWindowAndFocusMessagesPair) {
  MessageLog log;
  HWND top = log.Create(u"t", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  HWND edit = log.Create(u"e", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 50, 20, top, 1);
  log.DrainQueue();
  log.Clear();
  EXPECT_EQ(SetFocus(edit), top);
  EXPECT_EQ(log.Messages(), (Messages{WM_KILLFOCUS, WM_SETFOCUS}));
  Host().Type(u"x");
  log.DrainQueue();
  EXPECT_EQ(log.Count(edit, WM_CHAR), 1);
  EXPECT_EQ(log.Count(top, WM_CHAR), 0);
  // Focus given back on reactivation is the one the window had.
  Host().WindowEvent(Host().Windows()[0], host::EventType::FocusLost);
  Host().WindowEvent(Host().Windows()[0], host::EventType::FocusGained);
  log.DrainQueue();
  EXPECT_EQ(GetFocus(), edit);
  // A disabled window loses the focus.
  EnableWindow(edit, FALSE);
  EXPECT_EQ(GetFocus(), nullptr);
  DestroyWindow(top);
}

TEST(HotKeys, ArriveInsteadOfTheKeyWhileTheProgramHasTheKeyboard) {
  MessageLog log;
  HWND w = log.Create(u"t", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
  log.DrainQueue();
  EXPECT_TRUE(RegisterHotKey(w, 1, MOD_CONTROL, 'K'));
  EXPECT_FALSE(RegisterHotKey(w, 2, MOD_CONTROL, 'K'));  // taken
  log.Clear();
  Host().KeyDown(VK_LCONTROL);
  Host().KeyDown('K');
  Host().KeyUp('K');
  Host().KeyUp(VK_LCONTROL);
  log.DrainQueue();
  const auto hot = log.Entries(WM_HOTKEY);
  ASSERT_EQ(hot.size(), 1u);
  EXPECT_EQ(hot[0].wParam, 1u);
  EXPECT_EQ(hot[0].lParam, MAKELONG(MOD_CONTROL, 'K'));
  EXPECT_EQ(log.Entries(WM_KEYDOWN).size(), 1u);  // only Ctrl: the K became the hot key

  Host().WindowEvent(Host().Windows()[0], host::EventType::FocusLost);
  log.DrainQueue();
  log.Clear();
  Host().KeyDown(VK_LCONTROL);
  Host().KeyDown('K');
  log.DrainQueue();
  EXPECT_TRUE(log.Entries(WM_HOTKEY).empty());
  EXPECT_TRUE(UnregisterHotKey(w, 1));
  EXPECT_FALSE(UnregisterHotKey(w, 1));
  DestroyWindow(w);
}

TEST(Dialogs, TabMovesAmongTabStopsAndEnterIsTheDefaultCommand) {
  MessageLog log;
  HWND dialog = log.Create(u"d", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100);
  HWND first = log.Create(u"1", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 10, 10, dialog, 1);
  log.Create(u"skip", WS_CHILD | WS_VISIBLE, 0, 20, 10, 10, dialog, 2);
  HWND second = log.Create(u"2", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 40, 10, 10, dialog, 3);
  EXPECT_EQ(GetNextDlgTabItem(dialog, first, FALSE), second);
  EXPECT_EQ(GetNextDlgTabItem(dialog, second, FALSE), first);
  EXPECT_EQ(GetNextDlgTabItem(dialog, first, TRUE), second);
  SetFocus(first);
  log.DrainQueue();
  log.Clear();
  auto pump = [&] {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (!IsDialogMessageW(dialog, &msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
    }
  };
  Host().KeyDown(VK_TAB);
  Host().KeyUp(VK_TAB);
  pump();
  EXPECT_EQ(GetFocus(), second);
  EXPECT_EQ(log.Count(second, WM_CHAR), 0);
  Host().KeyDown(VK_RETURN);
  pump();
  const auto commands = log.Entries(WM_COMMAND);
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(commands[0].window, dialog);
  EXPECT_EQ(LOWORD(commands[0].wParam), IDOK);
  DestroyWindow(dialog);
}

TEST(Mouse, ButtonsReachTheWindowUnderThePointerInClientCoordinates) {
  MessageLog log;
  HWND top = log.Create(u"t", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  HWND child = log.Create(u"c", WS_CHILD | WS_VISIBLE, 30, 40, 20, 20, top, 1);
  log.DrainQueue();
  log.Clear();
  Host().Click(Host().Windows()[0], 35, 47);
  Host().Click(Host().Windows()[0], 5, 6);
  log.DrainQueue();
  const auto downs = log.Entries(WM_LBUTTONDOWN);
  ASSERT_EQ(downs.size(), 2u);
  EXPECT_EQ(downs[0].window, child);
  EXPECT_EQ(downs[0].lParam, MAKELONG(5, 7));
  EXPECT_EQ(downs[1].window, top);
  EXPECT_EQ(downs[1].wParam & MK_LBUTTON, MK_LBUTTON);
  // Leaving the tracked window tells it so.
  TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE | TME_HOVER, top, HOVER_DEFAULT};
  EXPECT_TRUE(TrackMouseEvent(&track));
  Host().Advance(500);
  log.DrainQueue();
  EXPECT_EQ(log.Count(top, WM_MOUSEHOVER), 1);
  Host().MoveMouse(Host().Windows()[0], 35, 47);
  log.DrainQueue();
  EXPECT_EQ(log.Count(top, WM_MOUSELEAVE), 1);
  DestroyWindow(top);
}

}  // namespace
