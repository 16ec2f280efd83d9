#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/controls/sub_menu.h"
#include "framework/forms/message_loop.h"
#include "framework/forms/window_procedure.h"
#include "tests/framework/windows/window_fixture.h"

namespace {

using namespace VexaUtility;
using window_tests::Drain;
using window_tests::Host;
using window_tests::HostWindowOf;
using window_tests::Probe;
using window_tests::ProbeControl;
using window_tests::RunLoop;
using window_tests::TestForm;

std::vector<std::string> seen;

void Note(const std::string& what) {
  seen.push_back(what);
}

// Tab in a control of a dialog form, with and without the dialog manager in
// the message loop: the focus moves either way, but only the framework's own
// tabbing lets the key reach the element.
TEST(Tabbing, TabMovesTheFocusAlongTheTabStopsAndShiftTabBack) {
  TestForm main;  // the main window stays, so closing each dialog ends nothing
  main.Create();
  for (const bool dialogManager : {false, true}) {
    Form dialog(nullptr, kDialogForm);
    dialog.Create();
    ProbeControl first(&dialog), second(&dialog), third(&dialog);
    for (ProbeControl* c : {&first, &second, &third}) {
      c->onKeyDown = [](GUIElement* e, std::int32_t key) {
        if (key == VK_TAB) Note("tab at " + std::to_string(e->id));
      };
      c->Create();
    }
    first.Focus();
    seen.clear();
    Host().KeyDown(VK_TAB);
    Host().KeyUp(VK_TAB);
    RunLoop(dialogManager ? &dialog : nullptr, 1000);
    EXPECT_EQ(GetFocus(), second.hwnd) << dialogManager;
    Host().KeyDown(VK_LSHIFT);
    Host().KeyDown(VK_TAB);
    Host().KeyUp(VK_TAB);
    Host().KeyUp(VK_LSHIFT);
    RunLoop(dialogManager ? &dialog : nullptr, 1000);
    EXPECT_EQ(GetFocus(), first.hwnd) << dialogManager;
    const std::vector<std::string> reached =
        dialogManager ? std::vector<std::string>{}
                      : std::vector<std::string>{"tab at " + std::to_string(first.id),
                                                 "tab at " + std::to_string(second.id)};
    EXPECT_EQ(seen, reached) << dialogManager;
    DestroyWindow(dialog.hwnd);
  }
}

TEST(Characters, ACharacterSwallowedByOnCharNeverReachesTheControl) {
  TestForm form;
  form.forwardChars = true;
  form.onChar = [](GUIElement*, std::int32_t c) {
    Note(std::string("form ") + static_cast<char>(c));
    return false;  // ignored: the control's answer decides
  };
  form.Create();
  ProbeControl box(&form);
  box.onChar = [](GUIElement*, std::int32_t c) {
    Note(std::string("box ") + static_cast<char>(c));
    return c != 'x';
  };
  box.Create();
  box.Focus();
  seen.clear();
  Host().Type(u"axb");
  RunLoop(nullptr, 1000);
  EXPECT_EQ(Probe(box.hwnd).characters, u"ab");
  EXPECT_EQ(seen,
            (std::vector<std::string>{"box a", "form a", "box x", "form x", "box b", "form b"}));
}

// Records the order of the reactions it overrides.
struct Recorder : TestForm {
  void HandleShow() override { Note("show"); }
  void HandleSize() override { Note("size"); }
  void HandlePaint() override {
    Note("paint");
    TestForm::HandlePaint();
  }
  void HandleMouseMove(std::int32_t, std::int32_t) override { Note("mouse move"); }
  void HandleMove() override { Note("move"); }
  void HandleGotFocus() override { Note("focus"); }
  void HandleActivate() override { Note("activate"); }
};

TEST(WindowProcedure, ShowingOrHidingSizesAfterTheShowReaction) {
  Recorder form;
  form.Create();
  seen.clear();
  ShowWindow(form.hwnd, SW_HIDE);
  EXPECT_EQ(seen, (std::vector<std::string>{"show", "size"}));
}

TEST(WindowProcedure, APaintCallsThePaintReactionOnly) {
  Recorder form;
  form.Create();
  Drain();
  seen.clear();
  Host().WindowEvent(HostWindowOf(form.hwnd), host::EventType::Exposed);
  Drain();
  EXPECT_EQ(seen, (std::vector<std::string>{"paint"}));
  RECT update{};
  EXPECT_FALSE(GetUpdateRect(form.hwnd, &update, FALSE));  // and the paint is over
}

int pressed = -1;
HWND pressedWindow = nullptr;
std::int32_t pressedX = 0, pressedY = 0;

template <int N>
void Pressed(GUIElement*, HWND window, std::int32_t x, std::int32_t y) {
  pressed = N;
  pressedWindow = window;
  pressedX = x;
  pressedY = y;
}

TEST(WindowProcedure, MouseButtonsReachTheirCallbacksWithSignedClientCoordinates) {
  TestForm form;
  form.onLButtonDown = Pressed<0>;
  form.onLButtonUp = Pressed<1>;
  form.onLButtonDblClk = Pressed<2>;
  form.onRButtonDown = Pressed<3>;
  form.onRButtonUp = Pressed<4>;
  form.onRButtonDblClk = Pressed<5>;
  form.Create();
  const UINT messages[] = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
                           WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK};
  const LPARAM point = MAKELONG(static_cast<WORD>(-5), static_cast<WORD>(7));
  for (int i = 0; i < 6; ++i) {
    pressed = -1;
    SendMessageW(form.hwnd, messages[i], 0, point);
    EXPECT_EQ(pressed, i);
    EXPECT_EQ(pressedWindow, form.hwnd) << i;
    EXPECT_EQ(pressedX, -5) << i;
    EXPECT_EQ(pressedY, 7) << i;
  }
}

TEST(WindowProcedure, APointerRestingOnAnElementReportsHoverThenLeave) {
  TestForm form;
  form.onMouseMove = [](GUIElement*, std::int32_t x, std::int32_t y) {
    Note("move " + std::to_string(x) + "," + std::to_string(y));
  };
  form.onMouseHover = [](GUIElement*) { Note("hover"); };
  form.onMouseLeave = [](GUIElement*) { Note("leave"); };
  form.Create();
  Drain();
  seen.clear();
  const host::WindowId shown = HostWindowOf(form.hwnd);
  Host().MoveMouse(shown, 30, 40);
  Drain();
  EXPECT_TRUE(mouseTracking);
  Host().Advance(500);
  Drain();
  Host().WindowEvent(shown, host::EventType::MouseLeave);
  Drain();
  EXPECT_FALSE(mouseTracking);
  EXPECT_EQ(seen, (std::vector<std::string>{"move 30,40", "hover", "leave"}));
}

TEST(WindowProcedure, AnElementCanAskForTheHandOrTheWaitCursorOverItsClientArea) {
  struct Case {
    bool hand, wait;
    bool client;
    host::Cursor shown;
  };
  const Case cases[] = {
      {true, false, true, host::Cursor::Hand},
      {true, true, true, host::Cursor::Hand},  // the hand wins
      {false, true, true, host::Cursor::Wait},
      {false, false, true, host::Cursor::Arrow},  // the class cursor
      {true, true, false, host::Cursor::Arrow},   // over the frame
  };
  TestForm form;
  form.Create();
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    form.SetHandCursor(c.hand);
    form.SetWaitCursor(c.wait);
    SetCursor(LoadCursorW(nullptr, IDC_IBEAM));
    const WORD hit = c.client ? HTCLIENT : HTCAPTION;
    SendMessageW(form.hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(form.hwnd),
                 MAKELONG(hit, WM_MOUSEMOVE));
    EXPECT_EQ(Host().LastCursor(), c.shown) << "case " << i;
  }
}

TEST(MenuCommands, ACheckableItemFlipsItsMarkBeforeItsCommandRuns) {
  TestForm form;
  form.Create();
  SubMenu joystick(&form, "&Abilita Joystick");
  joystick.checkable = true;
  joystick.onCommand = [](GUIElement* e) {
    Note(static_cast<SubMenu*>(e)->checkMark ? "checked" : "unchecked");
  };
  SubMenu plain(&form, "&Esci");
  plain.onCommand = [](GUIElement* e) {
    Note(static_cast<SubMenu*>(e)->checkMark ? "plain checked" : "plain");
  };
  seen.clear();
  for (int i = 0; i < 2; ++i) PostMessageW(form.hwnd, WM_COMMAND, MAKELONG(joystick.id, 0), 0);
  PostMessageW(form.hwnd, WM_COMMAND, MAKELONG(plain.id, 0), 0);
  PostMessageW(form.hwnd, WM_COMMAND, MAKELONG(plain.id, 1), 0);  // an accelerator: nothing
  Drain();
  EXPECT_EQ(seen, (std::vector<std::string>{"checked", "unchecked", "plain"}));
  EXPECT_FALSE(joystick.checkMark);
}

}  // namespace
