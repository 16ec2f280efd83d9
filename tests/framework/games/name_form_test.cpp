#include <gtest/gtest.h>

#include <memory>

#include "framework/controls/button.h"
#include "framework/controls/label.h"
#include "framework/controls/text_box.h"
#include "framework/games/name_form.h"
#include "tests/framework/windows/window_fixture.h"

namespace {

using namespace VexaUtility;
using window_tests::Drain;
using window_tests::Host;
using window_tests::HostWindowOf;
using window_tests::TestForm;

// The game's window stays open behind the dialog, so that closing the
// dialog ends nothing; the dialog counts how often its window went.
class NameForm : public ::testing::Test {
 protected:
  TestForm game;
  std::unique_ptr<FormNamePlayer> dialog;
  static inline int destroyed = 0;
  // What reached the text box's own procedure as characters.
  static inline std::u16string boxCharacters;
  static inline WNDPROC boxProcedure = nullptr;

  void SetUp() override {
    game.Create();
    OpenDialog();
  }

  // A fresh dialog, as the game makes one at each game over.
  void OpenDialog() {
    dialog.reset();
    destroyed = 0;
    boxCharacters.clear();
    dialog = std::make_unique<FormNamePlayer>(nullptr, "Classifica");
    dialog->onDestroy = [](GUIElement*) { ++destroyed; };
    dialog->SetPrompt("Inserisci il tuo nome:");
    boxProcedure = dialog->nameBox->previousWndProc;
    dialog->nameBox->previousWndProc = [](HWND w, UINT m, WPARAM wParam, LPARAM lParam) {
      if (m == WM_CHAR) boxCharacters += static_cast<char16_t>(wParam);
      return CallWindowProcW(boxProcedure, w, m, wParam, lParam);
    };
    Drain();
  }

  static void Press(UINT key) {
    Host().KeyDown(key);
    Host().KeyUp(key);
    Drain();
  }
  void Type(const std::u16string& text) {
    Host().Type(text);
    Drain();
  }
  bool Open() const { return IsWindow(dialog->hwnd) != FALSE; }
};

struct Placement {
  int x, y, width, height;
  bool operator==(const Placement&) const = default;
};

void PrintTo(const Placement& p, std::ostream* os) {
  *os << "(" << p.x << ", " << p.y << ") " << p.width << " x " << p.height;
}

Placement PlacementIn(HWND parent, HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  POINT corner{r.left, r.top};
  ScreenToClient(parent, &corner);
  return {corner.x, corner.y, r.right - r.left, r.bottom - r.top};
}

std::u16string WindowText(HWND window) {
  WCHAR buffer[64] = {};
  GetWindowTextW(window, buffer, 64);
  return buffer;
}

TEST_F(NameForm, IsADialogWithALabelABoxOfTenCapitalsAndAnOkButton) {
  RECT outer{};
  GetWindowRect(dialog->hwnd, &outer);
  EXPECT_EQ(outer.right - outer.left, 250);
  EXPECT_EQ(outer.bottom - outer.top, 150);
  EXPECT_EQ(GetWindowLongPtrW(dialog->hwnd, GWL_STYLE), 0x10C90000);
  EXPECT_EQ(GetWindowLongPtrW(dialog->hwnd, GWL_EXSTYLE), 0x89);
  EXPECT_EQ(WindowText(dialog->hwnd), u"Classifica");

  HWND label = dialog->promptLabel->hwnd, box = dialog->nameBox->hwnd, ok = dialog->okButton->hwnd;
  EXPECT_EQ(PlacementIn(dialog->hwnd, label), (Placement{5, 5, 240, 25}));
  EXPECT_EQ(PlacementIn(dialog->hwnd, box), (Placement{5, 35, 115, 25}));
  EXPECT_EQ(PlacementIn(dialog->hwnd, ok), (Placement{130, 35, 80, 25}));
  EXPECT_EQ(WindowText(label), u"Inserisci il tuo nome:");
  EXPECT_EQ(WindowText(box), u"");
  EXPECT_EQ(WindowText(ok), u"OK");
  // Made in this order: label, text box, button.
  EXPECT_LT(dialog->promptLabel->id, dialog->nameBox->id);
  EXPECT_LT(dialog->nameBox->id, dialog->okButton->id);

  const auto boxStyle = static_cast<DWORD>(GetWindowLongPtrW(box, GWL_STYLE));
  EXPECT_EQ(boxStyle & (ES_UPPERCASE | ES_LOWERCASE | ES_MULTILINE), DWORD{ES_UPPERCASE});
  EXPECT_TRUE(boxStyle & WS_BORDER);
  EXPECT_EQ(SendMessageW(box, EM_GETLIMITTEXT, 0, 0), 10);
  EXPECT_EQ(GetFocus(), box);
  EXPECT_EQ(GetParent(box), dialog->hwnd);
  EXPECT_EQ(mainWindow, game.hwnd);  // the dialog's close ends nothing
}

TEST(NameFormPrompt, TheLabelIsEmptyUntilThePromptIsSet) {
  TestForm game;
  game.Create();
  FormNamePlayer dialog(nullptr, "Classifica");
  EXPECT_EQ(WindowText(dialog.promptLabel->hwnd), u"");
  dialog.SetPrompt("Inserisci il tuo nome:");
  EXPECT_EQ(dialog.prompt, "Inserisci il tuo nome:");
  EXPECT_EQ(WindowText(dialog.promptLabel->hwnd), u"Inserisci il tuo nome:");
}

TEST_F(NameForm, SmallLettersArriveInCapitalsAndAnEleventhCharacterIsRefused) {
  Type(u"marianna ros");
  EXPECT_EQ(dialog->nameBox->GetText(), "MARIANNA R");
  EXPECT_TRUE(Open());
  EXPECT_EQ(playerName, "");
}

// Every way of confirming stores the name as typed (in capitals) and closes
// the dialog, running the game's onDestroy once.
TEST_F(NameForm, ANameIsConfirmedByEnterOrOk) {
  const struct {
    const char* name;
    void (*confirm)(FormNamePlayer&);
  } ways[] = {
      {"Enter in the box", [](FormNamePlayer&) { Press(VK_RETURN); }},
      {"a click on OK",
       [](FormNamePlayer& d) {
         Host().Click(HostWindowOf(d.hwnd), 170, 47);
         Drain();
       }},
      {"BN_CLICKED from OK",
       [](FormNamePlayer& d) {
         SendMessageW(d.hwnd, WM_COMMAND, MAKELONG(static_cast<WORD>(d.okButton->id), BN_CLICKED),
                      reinterpret_cast<LPARAM>(d.okButton->hwnd));
       }},
      {"Enter in the dialog itself",
       [](FormNamePlayer& d) {
         SetFocus(d.hwnd);
         Drain();
         Press(VK_RETURN);
       }},
  };
  for (const auto& way : ways) {
    OpenDialog();
    playerName = "EARLIER";
    Type(u"zoe");
    way.confirm(*dialog);
    EXPECT_EQ(playerName, "ZOE") << way.name;
    EXPECT_FALSE(Open()) << way.name;
    EXPECT_FALSE(dialog->created) << way.name;
    EXPECT_EQ(destroyed, 1) << way.name;
    EXPECT_EQ(boxCharacters, u"zoe") << way.name;  // the Enter never reached the box
  }
}

TEST_F(NameForm, AnEmptyNameIsNoNameAndTheDialogStaysOpen) {
  playerName = "EARLIER";
  Press(VK_RETURN);
  Host().Click(HostWindowOf(dialog->hwnd), 170, 47);
  Drain();
  EXPECT_TRUE(Open());
  EXPECT_TRUE(dialog->created);
  EXPECT_EQ(playerName, "EARLIER");
  EXPECT_EQ(destroyed, 0);
  EXPECT_EQ(boxCharacters, u"");

  Host().Click(HostWindowOf(dialog->hwnd), 20, 47);  // back into the box
  Drain();
  Type(u"ada");  // still there to type into
  Press(VK_RETURN);
  EXPECT_EQ(playerName, "ADA");
}

TEST_F(NameForm, BlanksAloneAreAName) {
  Type(u"   ");
  Press(VK_RETURN);
  EXPECT_EQ(playerName, "   ");
  EXPECT_FALSE(Open());
}

TEST_F(NameForm, TheCloseBoxKeepsTheEarlierName) {
  playerName = "ANNA";
  Type(u"zoe");
  Host().WindowEvent(HostWindowOf(dialog->hwnd), host::EventType::Close);
  Drain();
  EXPECT_FALSE(Open());
  EXPECT_EQ(playerName, "ANNA");
  EXPECT_EQ(destroyed, 1);
  EXPECT_TRUE(IsWindow(game.hwnd));
}

// However the dialog goes, the game hears of it exactly once, also when the
// object is deleted afterwards or while the window is still open.
TEST_F(NameForm, TheGameHearsOfTheCloseExactlyOnce) {
  const struct {
    const char* name;
    void (*close)(FormNamePlayer&);
  } ways[] = {
      {"OK", [](FormNamePlayer&) { Press(VK_RETURN); }},
      {"close box",
       [](FormNamePlayer& d) {
         Host().WindowEvent(HostWindowOf(d.hwnd), host::EventType::Close);
         Drain();
       }},
      {"delete", [](FormNamePlayer&) {}},
  };
  for (const auto& way : ways) {
    OpenDialog();
    playerName = "EARLIER";
    Type(u"zoe");
    HWND window = dialog->hwnd, box = dialog->nameBox->hwnd;
    way.close(*dialog);
    dialog.reset();
    Drain();
    EXPECT_EQ(destroyed, 1) << way.name;
    EXPECT_FALSE(IsWindow(window)) << way.name;
    EXPECT_FALSE(IsWindow(box)) << way.name;
    EXPECT_EQ(playerName, way.name == std::string("OK") ? "ZOE" : "EARLIER") << way.name;
    EXPECT_TRUE(IsWindow(game.hwnd)) << way.name;
  }
}

TEST_F(NameForm, OtherKeysInTheDialogDoNothing) {
  Type(u"ada");
  SetFocus(dialog->hwnd);
  Drain();
  for (UINT key : {UINT{VK_ESCAPE}, UINT{VK_F1}, UINT{VK_SPACE}, UINT{'Q'}, UINT{VK_BACK}}) {
    Press(key);
  }
  Type(u"x1 ");
  EXPECT_TRUE(Open());
  EXPECT_EQ(dialog->nameBox->GetText(), "ADA");
  EXPECT_EQ(playerName, "");
  EXPECT_EQ(destroyed, 0);
}

}  // namespace
