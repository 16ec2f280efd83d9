#include <gtest/gtest.h>

#include <memory>

#include "framework/controls/timer.h"
#include "framework/elements/element_registry.h"
#include "framework/forms/form.h"
#include "framework/forms/window_procedure.h"
#include "platform/gdi/objects.h"
#include "tests/framework/windows/window_fixture.h"

namespace {

using namespace VexaUtility;
using window_tests::Drain;
using window_tests::Host;
using window_tests::HostWindowOf;
using window_tests::RunLoop;
using window_tests::TestForm;

DWORD StyleOfWindow(HWND w) {
  return static_cast<DWORD>(GetWindowLongPtrW(w, GWL_STYLE));
}
DWORD ExStyleOfWindow(HWND w) {
  return static_cast<DWORD>(GetWindowLongPtrW(w, GWL_EXSTYLE));
}

TEST(Form, TheGameFormAndTheNameDialogGetTheirWindowStyles) {
  TestForm game;  // captioned, minimize box, fixed size
  game.resizable = false;
  game.Create();
  EXPECT_EQ(StyleOfWindow(game.hwnd), 0x10CA0000u);
  EXPECT_EQ(ExStyleOfWindow(game.hwnd), 0u);
  const auto& traits = Host().Window(HostWindowOf(game.hwnd))->options.traits;
  EXPECT_FALSE(traits.resizable);
  EXPECT_TRUE(traits.minimizeButton);

  Form dialog(nullptr, kDialogForm);
  dialog.minimizeBox = false;
  dialog.resizable = false;
  dialog.Create();
  EXPECT_EQ(StyleOfWindow(dialog.hwnd), 0x10C90000u);
  EXPECT_EQ(ExStyleOfWindow(dialog.hwnd), 0x89u);
  EXPECT_TRUE(Host().Window(HostWindowOf(dialog.hwnd))->options.traits.utility);
}

TEST(Form, FlagsMakeTheStyle) {
  struct Case {
    bool dialog, captioned, resizable, minimizeBox, topmost, enabled;
    DWORD style, exStyle;
  };
  const Case cases[] = {
      {false, true, true, true, true, true, 0x10CF0000, 0},     // every box, sizing border
      {false, true, true, false, true, true, 0x10CD0000, 0},    // no minimize box
      {false, false, true, true, true, true, 0x80000000, 0},    // pop-up
      {false, true, false, true, true, false, 0x18CA0000, 0},   // disabled
      {true, false, true, true, true, true, 0x10C90000, 0x89},  // a dialog is always captioned
      {true, true, false, false, false, true, 0x10C90000, 0x81},
      {true, true, true, true, true, false, 0x18C90000, 0x89},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    Form form(nullptr);
    form.dialog = c.dialog;
    form.captioned = c.captioned;
    form.resizable = c.resizable;
    form.minimizeBox = c.minimizeBox;
    form.topmost = c.topmost;
    form.enabled = c.enabled;
    const FormStyle s = StyleOf(form);
    EXPECT_EQ(s.style, c.style) << "case " << i;
    EXPECT_EQ(s.exStyle, c.exStyle) << "case " << i;
  }
}

TEST(Form, EachFormRegistersAClassOfItsOwnNamedAfterTheCounter) {
  // Each form is created before the next is made: a form being created is
  // the newest element, as the window procedure expects.
  TestForm first;
  first.Create();
  TestForm second;
  second.backColor = RGB(0, 0, 0);
  second.Create();
  WNDCLASSW info{};
  ASSERT_TRUE(GetClassInfoW(nullptr, u"Window0", &info));
  EXPECT_EQ(info.lpfnWndProc, WindowProcedure);
  EXPECT_EQ(info.style, CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS);
  EXPECT_EQ(info.hbrBackground, GetSysColorBrush(COLOR_BTNFACE));
  ASSERT_TRUE(GetClassInfoW(nullptr, u"Window1", &info));
  EXPECT_NE(info.hbrBackground, GetSysColorBrush(COLOR_BTNFACE));
  EXPECT_EQ(first.id, 1);
  EXPECT_EQ(second.id, 2);
}

HWND secondWindow = nullptr;
int ticks = 0;

void CloseFormsInTurn(Timer* timer) {
  ++ticks;
  if (ticks == 1) DestroyWindow(secondWindow);
  if (ticks == 3) DestroyWindow(timer->parent->hwnd);
}

TEST(Form, TheFirstFormIsTheMainWindowAndOnlyItsDestructionEndsTheLoop) {
  TestForm first;
  first.Create();
  TestForm second;
  second.Create();
  EXPECT_EQ(mainWindow, first.hwnd);
  secondWindow = second.hwnd;
  Timer ticker(&first);
  ticker.onTick = CloseFormsInTurn;
  ticker.Start();
  EXPECT_TRUE(RunLoop(&first));
  EXPECT_EQ(ticks, 3);  // the loop outlived the second form
  EXPECT_TRUE(second.destroyed);
  EXPECT_TRUE(first.destroyed);
}

bool allowClose = false;
int destroyCalls = 0;

TEST(Form, OnCloseCanKeepTheWindowOpen) {
  TestForm form;
  form.onClose = [](GUIElement*) { return allowClose; };
  form.onDestroy = [](GUIElement*) { ++destroyCalls; };
  form.Create();
  allowClose = false;
  Host().WindowEvent(HostWindowOf(form.hwnd), host::EventType::Close);  // the close box
  Drain();
  EXPECT_TRUE(IsWindow(form.hwnd));
  EXPECT_EQ(SendMessageW(form.hwnd, WM_CLOSE, 0, 0), 1);
  EXPECT_TRUE(IsWindow(form.hwnd));
  EXPECT_EQ(destroyCalls, 0);
  allowClose = true;
  Host().WindowEvent(HostWindowOf(form.hwnd), host::EventType::Close);
  Drain();
  EXPECT_FALSE(IsWindow(form.hwnd));
  EXPECT_EQ(destroyCalls, 1);
  EXPECT_TRUE(form.destroyed);
}

TEST(Form, ClientSizeIsExactly800By640WhateverTheFrame) {
  struct Case {
    bool dialog, captioned, resizable;
  };
  const Case cases[] = {
      {false, true, false},  // the game form
      {false, true, true},   // sizing border
      {true, true, false},   // tool-window caption
      {false, false, true},  // pop-up: no frame at all
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    Form form(nullptr);
    form.dialog = c.dialog;
    form.captioned = c.captioned;
    form.resizable = c.resizable;
    form.x = 300;
    form.y = 200;
    form.width = 640;
    form.height = 480;
    form.Create();
    RECT before{}, client{};
    GetWindowRect(form.hwnd, &before);
    GetClientRect(form.hwnd, &client);
    const int frameWidth = 640 - client.right, frameHeight = 480 - client.bottom;
    form.SetClientSize();
    GetClientRect(form.hwnd, &client);
    EXPECT_EQ(client.right, 800) << "case " << i;
    EXPECT_EQ(client.bottom, 640) << "case " << i;
    RECT after{};
    GetWindowRect(form.hwnd, &after);
    // Left by one frame width, up by two frame heights.
    EXPECT_EQ(after.left, before.left - frameWidth) << "case " << i;
    EXPECT_EQ(after.top, before.top - 2 * frameHeight) << "case " << i;
    EXPECT_EQ(form.width, frameWidth + 800) << "case " << i;
  }
}

int closeCalls = 0;

TEST(Form, DestroyingTheFormClosesItsWindowAndLeavesNothingBehind) {
  const std::size_t objectsBefore = gdi::LiveObjectCount();
  auto form = std::make_unique<TestForm>();
  form->backColor = RGB(10, 20, 30);  // a brush of its own for the class
  form->onClose = [](GUIElement*) {
    ++closeCalls;
    return false;  // a veto cannot keep the window past its form
  };
  form->Create();
  const HWND window = form->hwnd;
  Drain();
  form.reset();
  EXPECT_EQ(closeCalls, 1);
  EXPECT_FALSE(IsWindow(window));
  WNDCLASSW info{};
  EXPECT_FALSE(GetClassInfoW(nullptr, u"Window0", &info));
  EXPECT_EQ(gdi::LiveObjectCount(), objectsBefore);
  EXPECT_TRUE(ElementRegistry().empty());
  MSG quit{};
  EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));  // it was mainWindow
}

}  // namespace
