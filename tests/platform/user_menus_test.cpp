#include <gtest/gtest.h>

#include "platform/api/user.h"
#include "platform/host/headless/headless.h"
#include "tests/support/message_log.h"

namespace {

using testing_support::MessageLog;

host::headless::HeadlessHost& Host() { return host::headless::Instance(); }

constexpr UINT kExit = 11, kJoystick = 12, kHome = 13, kGrey = 14;

// The game's menu bar: three titles with one item each, plus a separator and
// a greyed item for the drawing.
struct MenuWindow {
  MenuWindow() {
    window = log.Create(u"t", 0x10CA0000, 0, 0, 400, 300);
    HMENU bar = CreateMenu();
    file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, kExit, u"&Esci");
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(file, MF_STRING | MF_GRAYED, kGrey, u"&Grigio");
    options = CreatePopupMenu();
    AppendMenuW(options, MF_STRING, kJoystick, u"&Abilita Joystick");
    HMENU help = CreatePopupMenu();
    AppendMenuW(help, MF_STRING, kHome, u"&Home");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), u"&File");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(options), u"&Opzioni");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), u"&?");
    RECT before{};
    GetClientRect(window, &before);
    clientHeightBefore = before.bottom;
    SetMenu(window, bar);
    log.DrainQueue();
    log.Clear();
    hostWindow = Host().Windows().front();
  }
  ~MenuWindow() { DestroyWindow(window); }

  std::vector<WPARAM> Commands() const {
    std::vector<WPARAM> ids;
    for (const auto& e : log.Entries(WM_COMMAND)) ids.push_back(e.wParam);
    return ids;
  }

  MessageLog log;
  HWND window;
  HMENU file, options;
  host::WindowId hostWindow;
  int clientHeightBefore = 0;
};

TEST(Menus, TheBarTakesItsHeightFromTheClientArea) {
  MenuWindow m;
  RECT client{};
  GetClientRect(m.window, &client);
  EXPECT_EQ(client.bottom, m.clientHeightBefore - GetSystemMetrics(SM_CYMENU));
  // The bar is drawn above the client area in the frame buffer.
  const auto* shown = Host().Window(m.hostWindow);
  EXPECT_EQ(shown->Pixel(200, 5), 0xC0C0C0u);
  EXPECT_EQ(GetMenu(m.window) != nullptr, true);
}

TEST(Menus, ItemStatesReadBackAsSet) {
  MenuWindow m;
  EXPECT_EQ(GetMenuState(m.options, kJoystick, MF_BYCOMMAND), MF_UNCHECKED);
  EXPECT_EQ(CheckMenuItem(m.options, kJoystick, MF_CHECKED), MF_UNCHECKED);
  EXPECT_EQ(GetMenuState(m.options, kJoystick, MF_BYCOMMAND), MF_CHECKED);
  EnableMenuItem(m.options, kJoystick, MF_GRAYED);
  // Checked and greyed is not "checked" alone.
  EXPECT_EQ(GetMenuState(m.options, kJoystick, MF_BYCOMMAND), MF_CHECKED | MF_GRAYED);
  EXPECT_EQ(GetMenuState(m.file, 1, MF_BYPOSITION), MF_SEPARATOR);
  EXPECT_EQ(GetMenuState(m.file, 999, MF_BYCOMMAND), static_cast<UINT>(-1));
  // An item appended to a menu in use is there at once.
  AppendMenuW(m.file, MF_STRING, 99, u"&Nuovo");
  EXPECT_EQ(GetMenuItemCount(m.file), 4);
  EXPECT_EQ(GetMenuState(m.file, 99, MF_BYCOMMAND), MF_STRING);
}

TEST(Menus, AClickOpensTheDropDownAndAClickOnAnItemChoosesIt) {
  MenuWindow m;
  Host().Click(m.hostWindow, 12, 8);  // on "File"
  m.log.DrainQueue();
  ASSERT_EQ(Host().Windows().size(), 2u);  // the drop-down is a window of its own
  const host::WindowId dropDown = Host().Windows().back();
  EXPECT_TRUE(Host().Window(dropDown)->options.traits.menu);
  EXPECT_EQ(GetForegroundWindow(), m.window);  // the owner keeps the activation
  Host().Click(dropDown, 20, 10);  // the first item
  m.log.DrainQueue();
  EXPECT_EQ(m.Commands(), (std::vector<WPARAM>{kExit}));
  EXPECT_EQ(Host().Windows().size(), 1u);

  // A click elsewhere closes it, and that click reaches nobody.
  Host().Click(m.hostWindow, 12, 8);
  m.log.DrainQueue();
  m.log.Clear();
  Host().Click(m.hostWindow, 200, 200);
  m.log.DrainQueue();
  EXPECT_EQ(Host().Windows().size(), 1u);
  EXPECT_TRUE(m.log.Entries(WM_LBUTTONDOWN).empty());
  EXPECT_TRUE(m.Commands().empty());
}

TEST(Menus, TheKeyboardEntersWithAltAndALetterAndChoosesByLetter) {
  MenuWindow m;
  auto altWith = [](std::uint32_t key) {
    Host().KeyDown(VK_LMENU);
    Host().KeyDown(key);
    Host().KeyUp(key);
    Host().KeyUp(VK_LMENU);
  };
  altWith('O');
  m.log.DrainQueue();
  EXPECT_EQ(Host().Windows().size(), 2u);
  Host().Type(u"a");  // "&Abilita Joystick"
  m.log.DrainQueue();
  EXPECT_EQ(m.Commands(), (std::vector<WPARAM>{kJoystick}));
  EXPECT_TRUE(m.log.Entries(WM_CHAR).empty());  // the letter went to the menu only

  // Alt alone lights the bar; arrows and Enter choose; Esc twice leaves.
  m.log.Clear();
  Host().KeyDown(VK_LMENU);
  Host().KeyUp(VK_LMENU);
  m.log.DrainQueue();
  for (std::uint32_t key : {VK_RIGHT, VK_RIGHT, VK_DOWN, VK_RETURN}) {
    Host().KeyDown(key);
    Host().KeyUp(key);
  }
  m.log.DrainQueue();
  EXPECT_EQ(m.Commands(), (std::vector<WPARAM>{kHome}));
  // A greyed item cannot be chosen by its letter.
  m.log.Clear();
  altWith('F');
  m.log.DrainQueue();  // the menu opens when Alt+F is handled, as a person would wait for it
  Host().Type(u"g");
  Host().KeyDown(VK_ESCAPE);
  Host().KeyDown(VK_ESCAPE);
  m.log.DrainQueue();
  EXPECT_TRUE(m.Commands().empty());
  EXPECT_EQ(Host().Windows().size(), 1u);
  Host().Type(u"x");  // the menu is gone: typing reaches the window again
  m.log.DrainQueue();
  EXPECT_EQ(m.log.Entries(WM_CHAR).size(), 1u);
}

TEST(Menus, TimersKeepTickingWhileADropDownIsOpen) {
  MenuWindow m;
  SetTimer(m.window, 5, 20, nullptr);
  Host().Click(m.hostWindow, 12, 8);
  m.log.DrainQueue();
  ASSERT_EQ(Host().Windows().size(), 2u);
  MSG msg;
  int ticks = 0;
  while (ticks < 5 && GetMessageW(&msg, nullptr, 0, 0)) {
    ticks += msg.message == WM_TIMER;
    DispatchMessageW(&msg);
  }
  EXPECT_EQ(ticks, 5);
  EXPECT_EQ(Host().Windows().size(), 2u);
}

}  // namespace
