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

// The bar lit after Alt+F and Esc keeps the keyboard, until another window
// is activated, clicked or takes the focus, or the menu's own window loses
// the activation: then keys and typing go to the focused window again.
TEST(Menus, TheMenuEndsWhenTheKeyboardGoesElsewhere) {
  struct Case {
    const char* what;
    void (*action)(HWND other, HWND box, host::WindowId otherHost, host::WindowId menuHost);
    bool toTheMenusWindow;  // where the keys go afterwards
    bool clicked;           // the box had a click, which went on to it
  } cases[] = {
      {"the other window's box takes the focus",
       [](HWND, HWND box, host::WindowId, host::WindowId) { SetFocus(box); }, false, false},
      {"the other window is activated",
       [](HWND other, HWND, host::WindowId, host::WindowId) { SetActiveWindow(other); }, false,
       false},
      {"the other window is clicked",
       [](HWND, HWND, host::WindowId otherHost, host::WindowId) {
         Host().Click(otherHost, 20, 15);
       },
       false, true},
      {"the desktop focuses the other window",
       [](HWND, HWND, host::WindowId otherHost, host::WindowId) {
         Host().WindowEvent(otherHost, host::EventType::FocusGained);
       },
       false, false},
      {"the menu's window loses the activation and gets it back",
       [](HWND, HWND, host::WindowId, host::WindowId menuHost) {
         Host().WindowEvent(menuHost, host::EventType::FocusLost);
         Host().WindowEvent(menuHost, host::EventType::FocusGained);
       },
       true, false},
  };
  for (const Case& c : cases) {
    MenuWindow m;
    HWND other = m.log.Create(u"Classifica", WS_OVERLAPPED | WS_CAPTION, 50, 50, 200, 100);
    HWND box = m.log.Create(u"", WS_CHILD | WS_VISIBLE, 10, 10, 100, 20, other, 1);
    const host::WindowId otherHost = Host().Windows().back();
    Host().KeyDown(VK_LMENU);
    Host().KeyDown('F');
    Host().KeyUp('F');
    Host().KeyUp(VK_LMENU);
    m.log.DrainQueue();
    Host().KeyDown(VK_ESCAPE);  // the drop-down closes, the bar stays lit
    Host().KeyUp(VK_ESCAPE);
    ShowWindow(other, SW_SHOWNA);
    Host().Type(u"x");
    m.log.DrainQueue();
    ASSERT_TRUE(m.log.Entries(WM_CHAR).empty()) << c.what << ": the menu took the key";
    ASSERT_TRUE(m.log.Entries(WM_EXITMENULOOP).empty()) << c.what;

    c.action(other, box, otherHost, m.hostWindow);
    m.log.DrainQueue();
    EXPECT_EQ(m.log.Entries(WM_EXITMENULOOP).size(), 1u) << c.what;
    EXPECT_EQ(m.log.Count(box, WM_LBUTTONDOWN), c.clicked ? 1 : 0) << c.what;
    m.log.Clear();
    Host().Type(u"x");
    Host().KeyDown(VK_RETURN);
    Host().KeyUp(VK_RETURN);
    m.log.DrainQueue();
    const auto chars = m.log.Entries(WM_CHAR);
    const auto keys = m.log.Entries(WM_KEYDOWN);
    ASSERT_EQ(chars.size(), 2u) << c.what;  // the x, and Enter's carriage return
    EXPECT_EQ(chars[0].wParam, static_cast<WPARAM>(u'x')) << c.what;
    ASSERT_EQ(keys.size(), 2u) << c.what;
    EXPECT_EQ(keys[1].wParam, static_cast<WPARAM>(VK_RETURN)) << c.what;
    const bool menusWindow = chars[0].window == m.window;
    EXPECT_EQ(menusWindow, c.toTheMenusWindow) << c.what;
    EXPECT_EQ(keys[1].window, chars[0].window) << c.what;
    EXPECT_TRUE(m.Commands().empty()) << c.what;
    DestroyWindow(other);
  }
}

// A desktop without a window manager hands the keyboard to the drop-down it
// shows and then back: the menu stays open and is still chosen from.
TEST(Menus, TheKeyboardPassingThroughTheDropDownKeepsItOpen) {
  MenuWindow m;
  Host().KeyDown(VK_LMENU);
  Host().KeyDown('F');
  Host().KeyUp('F');
  Host().KeyUp(VK_LMENU);
  m.log.DrainQueue();
  ASSERT_EQ(Host().Windows().size(), 2u);
  const host::WindowId dropDown = Host().Windows().back();
  Host().WindowEvent(m.hostWindow, host::EventType::FocusLost);
  Host().WindowEvent(dropDown, host::EventType::FocusGained);
  Host().WindowEvent(dropDown, host::EventType::FocusLost);
  Host().WindowEvent(m.hostWindow, host::EventType::FocusGained);
  m.log.DrainQueue();
  EXPECT_TRUE(m.log.Entries(WM_EXITMENULOOP).empty());
  EXPECT_EQ(Host().Windows().size(), 2u);
  Host().KeyDown(VK_RETURN);  // the first item
  Host().KeyUp(VK_RETURN);
  m.log.DrainQueue();
  EXPECT_EQ(m.Commands(), (std::vector<WPARAM>{kExit}));
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
