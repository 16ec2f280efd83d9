#include <gtest/gtest.h>

#include "framework/controls/label.h"
#include "framework/controls/text_box.h"
#include "tests/framework/windows/window_fixture.h"

namespace {

using namespace VexaUtility;
using window_tests::Drain;
using window_tests::Host;
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

}  // namespace
