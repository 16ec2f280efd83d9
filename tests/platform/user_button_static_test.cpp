#include <gtest/gtest.h>

#include <vector>

#include "tests/support/control_form.h"

namespace {

using testing_support::ControlForm;
using testing_support::Host;
using testing_support::SysPixel;

TEST(Button, AClickByMouseOrBySpaceIsToldOnceAndAPressReleasedOutsideIsNot) {
  ControlForm form;
  HWND button = form.Add(u"Button", u"OK", WS_TABSTOP, 130, 35, 80, 25, 9);
  form.Run();
  Host().Click(form.hostWindow, 150, 45);
  form.Run();
  EXPECT_EQ(form.Codes(button), std::vector<WORD>{BN_CLICKED});
  const auto clicks = form.log.Entries(WM_COMMAND);
  ASSERT_EQ(clicks.size(), 1u);
  EXPECT_EQ(LOWORD(clicks[0].wParam), 9);
  EXPECT_EQ(GetFocus(), button);  // a click takes the focus

  form.log.Clear();
  Host().MouseButton(form.hostWindow, 150, 45, 1, true);
  Host().MoveMouse(form.hostWindow, 250, 100);
  Host().MouseButton(form.hostWindow, 250, 100, 1, false);
  form.Run();
  EXPECT_TRUE(form.Codes(button).empty());
  EXPECT_EQ(GetCapture(), nullptr);

  Host().KeyDown(VK_SPACE);
  form.Run();
  EXPECT_TRUE(form.Codes(button).empty());  // told on release, not on press
  Host().KeyUp(VK_SPACE);
  form.Run();
  EXPECT_EQ(form.Codes(button), std::vector<WORD>{BN_CLICKED});
}

TEST(Button, ADisabledButtonTakesNoClickAndGreysItsCaption) {
  ControlForm form;
  HWND enabled = form.Add(u"Button", u"OK", 0, 10, 10, 80, 25, 1);
  HWND disabled = form.Add(u"Button", u"OK", WS_DISABLED, 110, 10, 80, 25, 2);
  form.Run();
  Host().Click(form.hostWindow, 150, 20);
  SendMessageW(disabled, BM_CLICK, 0, 0);
  form.Run();
  EXPECT_TRUE(form.Codes(disabled).empty());
  // The same caption in another colour: the pixels of the two insides differ.
  int differing = 0;
  for (int y = 13; y < 32; ++y) {
    for (int x = 13; x < 87; ++x) differing += form.Pixel(x, y) != form.Pixel(x + 100, y);
  }
  EXPECT_GT(differing, 0);
  SendMessageW(enabled, BM_CLICK, 0, 0);
  EXPECT_EQ(form.Codes(enabled), std::vector<WORD>{BN_CLICKED});
}

TEST(Button, PushButtonsAreRaisedSinkWhileHeldAndShowFocusAndDefault) {
  struct Case {
    DWORD style;
    bool held;
    std::uint32_t topLeft, bottomRight;
  };
  const std::uint32_t frame = SysPixel(COLOR_WINDOWFRAME);
  const Case cases[] = {
      {BS_PUSHBUTTON, false, SysPixel(COLOR_3DHIGHLIGHT), SysPixel(COLOR_3DDKSHADOW)},
      {BS_PUSHBUTTON, true, SysPixel(COLOR_3DDKSHADOW), SysPixel(COLOR_3DHIGHLIGHT)},
      {BS_DEFPUSHBUTTON, false, frame, frame},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.style << (c.held ? " held" : ""));
    ControlForm form;
    HWND button = form.Add(u"Button", u"", c.style, 10, 10, 80, 25, 1);
    form.Run();
    if (c.held) Host().MouseButton(form.hostWindow, 50, 20, 1, true);
    form.Run();
    EXPECT_EQ(form.Pixel(10, 10), c.topLeft);
    EXPECT_EQ(form.Pixel(89, 34), c.bottomRight);
    EXPECT_EQ(form.Pixel(50, 22), SysPixel(COLOR_BTNFACE));
    const LRESULT code = SendMessageW(button, WM_GETDLGCODE, 0, 0);
    EXPECT_EQ((code & DLGC_DEFPUSHBUTTON) != 0, c.style == BS_DEFPUSHBUTTON);
    if (c.held) Host().MouseButton(form.hostWindow, 50, 20, 1, false);
    form.Run();
  }
}

// The column where a push button's focus rectangle runs, inside its edges.
std::vector<std::uint32_t> FocusColumn(const ControlForm& form) {
  std::vector<std::uint32_t> column;
  for (int y = 13; y < 32; ++y) column.push_back(form.Pixel(13, y));
  return column;
}

TEST(Button, TheFocusedButtonShowsTheFocusRectangle) {
  ControlForm form;
  HWND button = form.Add(u"Button", u"", 0, 10, 10, 80, 25, 1);
  HWND other = form.Add(u"Button", u"", 0, 100, 10, 80, 25, 2);
  form.Run();
  const auto plain = FocusColumn(form);
  SetFocus(button);
  form.Run();
  EXPECT_NE(FocusColumn(form), plain);
  SetFocus(other);
  form.Run();
  EXPECT_EQ(FocusColumn(form), plain);
}

std::vector<DRAWITEMSTRUCT> drawn;
HGDIOBJ fontSelected = nullptr;

LRESULT RecordDrawing(HWND, UINT message, WPARAM, LPARAM lParam, bool& handled) {
  if (message != WM_DRAWITEM) return 0;
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  drawn.push_back(*item);
  fontSelected = GetCurrentObject(item->hDC, OBJ_FONT);
  handled = true;
  return TRUE;
}

TEST(Button, AnOwnerDrawnButtonAsksItsParentWithItsStateAndDrawsNothingItself) {
  ControlForm form;
  form.log.reply = RecordDrawing;
  HWND button = form.Add(u"Button", u"OK", BS_OWNERDRAW, 130, 35, 80, 25, 12);
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  form.Run();
  ASSERT_FALSE(drawn.empty());
  const DRAWITEMSTRUCT first = drawn.back();
  EXPECT_EQ(first.CtlType, ODT_BUTTON);
  EXPECT_EQ(first.CtlID, 12u);
  EXPECT_EQ(first.hwndItem, button);
  EXPECT_EQ(first.itemAction, ODA_DRAWENTIRE);
  EXPECT_EQ(first.itemState, 0u);
  EXPECT_EQ(first.rcItem.right, 80);
  EXPECT_EQ(first.rcItem.bottom, 25);
  EXPECT_EQ(fontSelected, font);
  EXPECT_EQ(form.Pixel(150, 45), SysPixel(COLOR_BTNFACE));  // the parent drew nothing

  Host().MouseButton(form.hostWindow, 150, 45, 1, true);
  form.Run();
  EXPECT_EQ(drawn.back().itemState, UINT{ODS_SELECTED | ODS_FOCUS});
  EXPECT_EQ(drawn.back().itemAction & ODA_SELECT, ODA_SELECT);
  Host().MouseButton(form.hostWindow, 150, 45, 1, false);
  form.Run();
  EXPECT_EQ(drawn.back().itemState, UINT{ODS_FOCUS});
  EXPECT_EQ(form.Codes(button), std::vector<WORD>{BN_CLICKED});

  EnableWindow(button, FALSE);
  form.Run();
  EXPECT_EQ(drawn.back().itemState, UINT{ODS_DISABLED});
}

TEST(Button, CheckBoxesKeepTheirStateAndAutomaticOnesFlipOnAClick) {
  ControlForm form;
  HWND automatic = form.Add(u"Button", u"Sound", BS_AUTOCHECKBOX, 10, 10, 100, 20, 3);
  HWND manual = form.Add(u"Button", u"Music", BS_CHECKBOX, 10, 40, 100, 20, 4);
  form.Run();
  EXPECT_EQ(IsDlgButtonChecked(form.window, 3), BST_UNCHECKED);
  const std::uint32_t emptyBox = form.Pixel(16, 20);
  Host().Click(form.hostWindow, 50, 20);
  Host().Click(form.hostWindow, 50, 50);
  form.Run();
  EXPECT_EQ(IsDlgButtonChecked(form.window, 3), BST_CHECKED);
  EXPECT_EQ(IsDlgButtonChecked(form.window, 4), BST_UNCHECKED);  // the parent decides
  EXPECT_EQ(form.Count(manual, BN_CLICKED), 1);
  EXPECT_NE(form.Pixel(16, 20), emptyBox);  // the tick

  EXPECT_TRUE(CheckDlgButton(form.window, 4, BST_CHECKED));
  EXPECT_EQ(SendMessageW(manual, BM_GETCHECK, 0, 0), BST_CHECKED);
  CheckDlgButton(form.window, 3, BST_UNCHECKED);
  EXPECT_EQ(SendMessageW(automatic, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_FALSE(CheckDlgButton(form.window, 99, BST_CHECKED));
}

// Where a line of pixels differs from the background: first and last x.
std::pair<int, int> Inked(const ControlForm& form, int left, int right, int top, int bottom) {
  const std::uint32_t background = form.Pixel(left, top);
  int first = -1, last = -1;
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      if (form.Pixel(x, y) == background) continue;
      if (first < 0 || x < first) first = x;
      last = std::max(last, x);
    }
  }
  return {first, last};
}

TEST(Static, TextIsAlignedLeftCentredOrRight) {
  constexpr int kWidth = 200;
  ControlForm form(kWidth, 90);
  form.Add(u"static", u"Score", SS_LEFT, 0, 0, kWidth, 30, 1);
  form.Add(u"static", u"Score", SS_CENTER, 0, 30, kWidth, 30, 2);
  form.Add(u"static", u"Score", SS_RIGHT, 0, 60, kWidth, 30, 3);
  form.Run();
  const auto left = Inked(form, 0, kWidth, 0, 30);
  const auto centre = Inked(form, 0, kWidth, 30, 60);
  const auto right = Inked(form, 0, kWidth, 60, 90);
  ASSERT_GE(left.first, 0);
  EXPECT_LE(left.first, 2);
  EXPECT_GE(right.second, kWidth - 3);
  EXPECT_NEAR(centre.first, kWidth - 1 - centre.second, 2);
  EXPECT_EQ(left.second - left.first, right.second - right.first);  // the same text, moved
}

LRESULT RedBackground(HWND, UINT message, WPARAM wParam, LPARAM, bool& handled) {
  if (message != WM_CTLCOLORSTATIC) return 0;
  static HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
  handled = true;
  return reinterpret_cast<LRESULT>(red);
}

TEST(Static, TheParentsBrushIsTheBackgroundAndTheFaceColourWithoutOne) {
  ControlForm form;
  form.Add(u"static", u"", 0, 10, 10, 50, 20, 1);
  form.Run();
  EXPECT_EQ(form.Pixel(30, 20), SysPixel(COLOR_BTNFACE));
  form.log.reply = RedBackground;
  form.Add(u"static", u"", 0, 100, 10, 50, 20, 2);
  form.Run();
  EXPECT_EQ(form.Pixel(120, 20), 0xFF0000u);
}

TEST(Static, ItsBorderAndSunkenEdgeAreDrawnAroundItsClientArea) {
  ControlForm form;
  HWND label = form.Add(u"static", u"", WS_BORDER, 10, 10, 60, 25, 1, WS_EX_CLIENTEDGE);
  form.Run();
  RECT client{};
  GetClientRect(label, &client);
  EXPECT_EQ(client.right, 60 - 6);  // one pixel of border and two of edge on each side
  EXPECT_EQ(form.Pixel(10, 10), SysPixel(COLOR_WINDOWFRAME));
  EXPECT_EQ(form.Pixel(11, 11), SysPixel(COLOR_3DSHADOW));
  EXPECT_EQ(form.Pixel(12, 12), SysPixel(COLOR_3DDKSHADOW));
  EXPECT_EQ(form.Pixel(68, 33), SysPixel(COLOR_3DHIGHLIGHT));
  EXPECT_EQ(form.Pixel(67, 32), SysPixel(COLOR_3DLIGHT));
  // The parent painting over the frame alone has the control draw it again.
  RECT frameOnly{10, 10, 11, 11};
  InvalidateRect(form.window, &frameOnly, TRUE);
  form.Run();
  EXPECT_EQ(form.Pixel(10, 10), SysPixel(COLOR_WINDOWFRAME));
}

TEST(Static, ClicksAreToldOnlyWhenAskedForAndNewTextIsShown) {
  ControlForm form;
  HWND notifying = form.Add(u"static", u"", SS_NOTIFY, 10, 10, 80, 20, 1);
  HWND quiet = form.Add(u"static", u"", 0, 10, 40, 80, 20, 2);
  form.Run();
  Host().Click(form.hostWindow, 30, 20);
  Host().Click(form.hostWindow, 30, 50);
  form.Run();
  EXPECT_EQ(form.Codes(notifying), std::vector<WORD>{STN_CLICKED});
  EXPECT_TRUE(form.Codes(quiet).empty());
  EXPECT_EQ(Inked(form, 10, 90, 10, 30).first, -1);
  SetWindowTextW(notifying, u"Level 2");
  form.Run();
  EXPECT_GE(Inked(form, 10, 90, 10, 30).first, 10);
}

WNDPROC previousStatic = nullptr;
int timerTicks = 0;
LRESULT CALLBACK CountingTicks(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER) ++timerTicks;
  return CallWindowProcW(previousStatic, window, message, wParam, lParam);
}

TEST(Static, AHiddenStaticSubclassedForATimerGetsItsTicksAndDrawsNothing) {
  ControlForm form;
  HWND holder = CreateWindowExW(0, u"static", u"timer", WS_CHILD, 0, 0, 300, 120, form.window,
                                reinterpret_cast<HMENU>(5), nullptr, nullptr);
  previousStatic = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(holder, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingTicks)));
  SetTimer(holder, 5, 20, nullptr);
  MSG msg;
  while (timerTicks < 3 && GetMessageW(&msg, nullptr, 0, 0)) DispatchMessageW(&msg);
  EXPECT_EQ(timerTicks, 3);
  EXPECT_EQ(Inked(form, 0, 300, 0, 120).first, -1);
  KillTimer(holder, 5);
}

}  // namespace
