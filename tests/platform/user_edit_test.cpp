#include <gtest/gtest.h>

#include <string>

#include "tests/support/control_form.h"

namespace {

using testing_support::ControlForm;
using testing_support::Host;
using testing_support::SysPixel;

std::u16string TextOf(HWND window) {
  char16_t buffer[256] = {};
  GetWindowTextW(window, buffer, 256);
  return buffer;
}

void Press(int key) {
  Host().KeyDown(static_cast<std::uint32_t>(key));
  Host().KeyUp(static_cast<std::uint32_t>(key));
}

void ShiftPress(int key) {
  Host().KeyDown(VK_LSHIFT);
  Press(key);
  Host().KeyUp(VK_LSHIFT);
}

std::pair<DWORD, DWORD> Selection(HWND edit) {
  DWORD from = 99, to = 99;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  return {from, to};
}

constexpr DWORD kBox = WS_BORDER | ES_AUTOHSCROLL;

TEST(Edit, TypedCharactersStopAtTheLimitInCapitalsAndEachChangeIsTold) {
  ControlForm form;
  HWND edit = form.Add(u"edit", u"", kBox | ES_UPPERCASE, 5, 35, 115, 25, 7, WS_EX_CLIENTEDGE);
  SendMessageW(edit, EM_LIMITTEXT, 10, 0);
  SetFocus(edit);
  Host().Type(u"abcdefghijklm");
  form.Run();
  EXPECT_EQ(TextOf(edit), u"ABCDEFGHIJ");
  EXPECT_EQ(form.Count(edit, EN_CHANGE), 10);
  EXPECT_EQ(form.Count(edit, EN_MAXTEXT), 3);  // one for each refused character
  EXPECT_EQ(SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0), 10);
}

TEST(Edit, StylesFilterAndChangeTypedCharacters) {
  struct Case {
    DWORD style;
    std::u16string typed;
    std::u16string kept;
  };
  const Case cases[] = {
      {ES_UPPERCASE, u"ab\u00e9\u00f7z", u"AB\u00c9\u00f7Z"},  // the division sign has no case
      {ES_LOWERCASE, u"AB\u00c9c", u"ab\u00e9c"},
      {ES_UPPERCASE | ES_LOWERCASE, u"aB", u"AB"},
      {ES_NUMBER, u"a1 b2-3", u"123"},
      {0, u"aB 1!", u"aB 1!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.style));
    ControlForm form;
    HWND edit = form.Add(u"edit", u"", kBox | c.style, 5, 5, 200, 25, 1);
    SetFocus(edit);
    Host().Type(c.typed);
    form.Run();
    EXPECT_EQ(TextOf(edit), c.kept);
  }
}

TEST(Edit, KeysMoveTheCaretAndEraseAroundIt) {
  ControlForm form;
  HWND edit = form.Add(u"edit", u"", kBox, 5, 5, 200, 25, 1);
  SetFocus(edit);
  Host().Type(u"abcd");
  Press(VK_HOME);
  Press(VK_DELETE);  // bcd
  Press(VK_END);
  Press(VK_BACK);  // bc
  Press(VK_LEFT);
  Host().Type(u"X");  // bXc
  form.Run();
  EXPECT_EQ(TextOf(edit), u"bXc");
  EXPECT_EQ(Selection(edit), std::make_pair(DWORD{2}, DWORD{2}));

  ShiftPress(VK_HOME);  // selects "bX"
  form.Run();
  EXPECT_EQ(Selection(edit), std::make_pair(DWORD{0}, DWORD{2}));
  Host().Type(u"Y");  // replaces the selection
  Press(VK_RIGHT);
  Press(VK_RIGHT);   // past the end: stays there
  Press(VK_DELETE);  // nothing after the caret
  form.Run();
  EXPECT_EQ(TextOf(edit), u"Yc");
  EXPECT_EQ(Selection(edit), std::make_pair(DWORD{2}, DWORD{2}));

  SendMessageW(edit, EM_SETSEL, 0, -1);
  EXPECT_EQ(Selection(edit), std::make_pair(DWORD{0}, DWORD{2}));
  Press(VK_BACK);
  form.Run();
  EXPECT_EQ(TextOf(edit), u"");
}

TEST(Edit, ReadOnlyRefusesEditingAndSitsOnTheFaceColour) {
  ControlForm form;
  HWND edit = form.Add(u"edit", u"ab", kBox, 5, 5, 200, 25, 1);
  SendMessageW(edit, EM_SETREADONLY, TRUE, 0);
  SetFocus(edit);
  Host().Type(u"x");
  Press(VK_BACK);
  Press(VK_HOME);
  Press(VK_DELETE);
  form.Run();
  EXPECT_EQ(TextOf(edit), u"ab");
  EXPECT_EQ(form.Count(edit, EN_CHANGE), 0);
  EXPECT_EQ(form.Pixel(200, 15), SysPixel(COLOR_BTNFACE));  // inside, right of the text

  SendMessageW(edit, EM_SETREADONLY, FALSE, 0);
  Host().Type(u"x");
  form.Run();
  EXPECT_EQ(TextOf(edit), u"xab");
  EXPECT_EQ(form.Pixel(200, 15), SysPixel(COLOR_WINDOW));
}

// Two boxes of one size side by side: the pixels of their insides.
bool SameInside(const ControlForm& form, int leftA, int leftB, int width, int top, int height) {
  for (int y = top; y < top + height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (form.Pixel(leftA + x, y) != form.Pixel(leftB + x, y)) return false;
    }
  }
  return true;
}

TEST(Edit, APasswordCharacterIsShownForEachCharacterButTheTextIsKept) {
  ControlForm form;
  HWND secret = form.Add(u"edit", u"abc", kBox, 0, 0, 100, 25, 1);
  form.Add(u"edit", u"***", kBox, 100, 0, 100, 25, 2);
  form.Add(u"edit", u"abc", kBox, 200, 0, 100, 25, 3);
  SendMessageW(secret, EM_SETPASSWORDCHAR, u'*', 0);
  form.Run();
  EXPECT_TRUE(SameInside(form, 0, 100, 100, 0, 25));
  EXPECT_FALSE(SameInside(form, 0, 200, 100, 0, 25));
  EXPECT_EQ(TextOf(secret), u"abc");
  EXPECT_EQ(SendMessageW(secret, EM_GETPASSWORDCHAR, 0, 0), u'*');
  EXPECT_TRUE(GetWindowLongPtrW(secret, GWL_STYLE) & ES_PASSWORD);

  SendMessageW(secret, EM_SETPASSWORDCHAR, 0, 0);  // shown plainly again
  form.Run();
  EXPECT_TRUE(SameInside(form, 0, 200, 100, 0, 25));
}

TEST(Edit, AutomaticScrollingTakesTextWiderThanTheBoxAndItsAbsenceRefusesIt) {
  ControlForm form;
  HWND scrolling = form.Add(u"edit", u"", WS_BORDER | ES_AUTOHSCROLL, 5, 5, 60, 25, 1);
  HWND fixed = form.Add(u"edit", u"", WS_BORDER, 5, 40, 60, 25, 2);
  const std::u16string wide(30, u'W');
  SetFocus(scrolling);
  Host().Type(wide);
  form.Run();
  SetFocus(fixed);
  Host().Type(wide);
  form.Run();
  EXPECT_EQ(TextOf(scrolling), wide);
  const std::size_t kept = TextOf(fixed).size();
  EXPECT_GT(kept, 0u);
  EXPECT_LT(kept, wide.size());
}

// The caret is the only thing drawn in the text colour in an empty box.
bool CaretShown(const ControlForm& form, int left, int top, int width, int height) {
  for (int y = top; y < top + height; ++y) {
    for (int x = left; x < left + width; ++x) {
      if (form.Pixel(x, y) == SysPixel(COLOR_WINDOWTEXT)) return true;
    }
  }
  return false;
}

TEST(Edit, TheCaretShowsWithTheFocusAndAClickPlacesIt) {
  ControlForm form;
  HWND edit = form.Add(u"edit", u"", kBox, 10, 10, 100, 25, 1);
  HWND other = form.Add(u"edit", u"", kBox, 10, 50, 100, 25, 2);
  form.Run();
  EXPECT_FALSE(CaretShown(form, 11, 11, 98, 23));
  Host().Click(form.hostWindow, 60, 20);
  form.Run();
  EXPECT_EQ(GetFocus(), edit);
  EXPECT_TRUE(CaretShown(form, 11, 11, 98, 23));
  EXPECT_EQ(form.Count(edit, EN_SETFOCUS), 1);

  Host().Type(u"abcdef");
  Host().Click(form.hostWindow, 12, 20);  // left of the first character
  form.Run();
  EXPECT_EQ(Selection(edit), std::make_pair(DWORD{0}, DWORD{0}));
  Host().Click(form.hostWindow, 105, 20);  // right of the last
  form.Run();
  EXPECT_EQ(Selection(edit), std::make_pair(DWORD{6}, DWORD{6}));

  SetFocus(other);
  form.Run();
  EXPECT_EQ(form.Count(edit, EN_KILLFOCUS), 1);
  SetWindowTextW(edit, u"");
  form.Run();
  EXPECT_FALSE(CaretShown(form, 11, 11, 98, 23));
  EXPECT_TRUE(CaretShown(form, 11, 51, 98, 23));
}

TEST(Edit, SettingTheTextResetsTheCaretAndAnswersDialogsWithoutEnterOrTab) {
  ControlForm form;
  HWND edit = form.Add(u"edit", u"first", kBox, 5, 5, 200, 25, 1);
  SendMessageW(edit, EM_SETSEL, 2, 4);
  SetWindowTextW(edit, u"second");
  EXPECT_EQ(TextOf(edit), u"second");
  EXPECT_EQ(Selection(edit), std::make_pair(DWORD{0}, DWORD{0}));
  EXPECT_EQ(form.Count(edit, EN_CHANGE), 1);
  const LRESULT code = SendMessageW(edit, WM_GETDLGCODE, 0, 0);
  EXPECT_EQ(code, DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL);
}

// A window procedure put in front of the control's own, as the framework does.
WNDPROC previousProcedure = nullptr;
int charactersSeen = 0;
LRESULT CALLBACK Swallowing(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CHAR) {
    ++charactersSeen;
    if (wParam == u'x') return 1;  // swallowed: the control never sees it
  }
  return CallWindowProcW(previousProcedure, window, message, wParam, lParam);
}

TEST(Edit, ASubclassSeesCharactersFirstAndTheControlStillWorksBehindIt) {
  ControlForm form;
  HWND edit = form.Add(u"edit", u"", kBox | ES_UPPERCASE, 5, 5, 200, 25, 1);
  previousProcedure = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Swallowing)));
  ASSERT_NE(previousProcedure, nullptr);
  SetFocus(edit);
  Host().Type(u"axb");
  form.Run();
  EXPECT_EQ(charactersSeen, 3);
  EXPECT_EQ(TextOf(edit), u"AB");
  SendMessageW(edit, EM_LIMITTEXT, 2, 0);
  Host().Type(u"c");
  form.Run();
  EXPECT_EQ(TextOf(edit), u"AB");
}

}  // namespace
