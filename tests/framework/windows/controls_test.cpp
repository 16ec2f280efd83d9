#include <gtest/gtest.h>

#include "framework/controls/button.h"
#include "framework/controls/label.h"
#include "framework/controls/text_box.h"
#include "tests/framework/windows/window_fixture.h"

namespace {

using namespace VexaUtility;
using window_tests::Drain;
using window_tests::Host;
using window_tests::RunLoop;
using window_tests::TestForm;

TEST(FrameworkControls, ATextBoxTakesTenCapitalsTypedThroughItsReactions) {
  TestForm form;
  form.Create();
  TextBox name(&form, "");
  name.maxLength = 10;
  name.upperCase = true;
  name.lowerCase = true;  // upper case wins
  static int charsSeen = 0;
  name.onChar = [](GUIElement*, std::int32_t) {
    ++charsSeen;
    return true;
  };
  name.Create();
  EXPECT_EQ(name.Style() & (ES_UPPERCASE | ES_LOWERCASE), static_cast<std::uint32_t>(ES_UPPERCASE));
  name.Focus();
  Drain();
  Host().Type(u"marianna rossi");
  Drain();
  EXPECT_EQ(name.GetText(), "MARIANNA R");
  EXPECT_EQ(charsSeen, 14);  // the element saw every character before the control
}

TEST(FrameworkControls, ASwallowedCharacterNeverReachesTheTextBox) {
  TestForm form;
  form.Create();
  TextBox box(&form, "");
  box.onChar = [](GUIElement*, std::int32_t code) { return code != 'x'; };
  box.Create();
  box.Focus();
  Drain();
  Host().Type(u"axb");
  Drain();
  EXPECT_EQ(box.GetText(), "ab");
}

TEST(FrameworkControls, PasswordTakesEffectOnlyThroughApplyStyle) {
  TestForm form;
  form.Create();
  TextBox box(&form, "abc");
  box.password = true;
  box.Create();
  EXPECT_EQ(SendMessageW(box.hwnd, EM_GETPASSWORDCHAR, 0, 0), 0);
  box.ApplyStyle();
  EXPECT_EQ(SendMessageW(box.hwnd, EM_GETPASSWORDCHAR, 0, 0), '*');
}

TEST(FrameworkControls, ALabelWithBothAlignmentsIsRightAligned) {
  TestForm form;
  form.Create();
  Label label(&form, "Nome:");
  label.alignRight = true;
  label.alignCenter = true;
  label.bordered = true;
  label.Create();
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(label.hwnd, GWL_STYLE));
  EXPECT_EQ(style & SS_TYPEMASK, SS_RIGHT);
  EXPECT_TRUE(style & WS_BORDER);
  EXPECT_TRUE(style & SS_NOTIFY);
  EXPECT_EQ(label.GetText(), "Nome:");
}

// A dialog form as the game builds its name dialog: a text box whose Enter is
// taken by its reaction before the box sees it, and a button reached by Tab.
// The loop runs without the dialog manager, as the game's loop does.
TEST(FrameworkControls, EnterAndTabInADialogFormWithATextBoxAndAButton) {
  TestForm main;  // stays, so that closing the dialog ends nothing
  main.Create();
  Form dialog(nullptr, kDialogForm);
  dialog.Create();
  TextBox box(&dialog, "");
  static std::vector<std::string> seen;
  seen.clear();
  static Button* ok = nullptr;
  box.onChar = [](GUIElement* e, std::int32_t code) {
    if (code != 13) return true;
    seen.push_back("enter with " + e->GetText());
    ok->onCommand(ok);
    return false;
  };
  box.x = 5;
  box.y = 35;
  box.SetSize(115, 25);
  box.Create();
  Button button(&dialog, "OK");
  ok = &button;
  button.onCommand = [](GUIElement*) { seen.push_back("ok"); };
  button.x = 130;
  button.y = 35;
  button.SetSize(80, 25);
  button.Create();
  box.Focus();
  Drain();

  Host().Type(u"ab");
  Host().KeyDown(VK_RETURN);
  Host().KeyUp(VK_RETURN);
  RunLoop(nullptr, 1000);
  EXPECT_EQ(box.GetText(), "ab");  // no line break typed into it
  EXPECT_EQ(seen, (std::vector<std::string>{"enter with ab", "ok"}));
  EXPECT_EQ(GetFocus(), box.hwnd);

  Host().KeyDown(VK_TAB);
  Host().KeyUp(VK_TAB);
  RunLoop(nullptr, 1000);
  EXPECT_EQ(GetFocus(), button.hwnd);
  EXPECT_EQ(box.GetText(), "ab");  // Tab typed nothing either

  seen.clear();
  Host().KeyDown(VK_SPACE);
  Host().KeyUp(VK_SPACE);
  RunLoop(nullptr, 1000);
  EXPECT_EQ(seen, (std::vector<std::string>{"ok"}));

  Host().KeyDown(VK_LSHIFT);
  Host().KeyDown(VK_TAB);
  Host().KeyUp(VK_TAB);
  Host().KeyUp(VK_LSHIFT);
  RunLoop(nullptr, 1000);
  EXPECT_EQ(GetFocus(), box.hwnd);
  Host().Type(u"c");
  RunLoop(nullptr, 1000);
  EXPECT_EQ(box.GetText(), "abc");
  DestroyWindow(dialog.hwnd);
}

}  // namespace
