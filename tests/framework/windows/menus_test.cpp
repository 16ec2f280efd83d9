#include <gtest/gtest.h>

#include "framework/controls/menu_bar.h"
#include "framework/controls/sub_menu.h"
#include "tests/framework/windows/window_fixture.h"

namespace {

using namespace VexaUtility;
using window_tests::Drain;
using window_tests::Host;
using window_tests::HostWindowOf;
using window_tests::TestForm;

std::vector<std::int32_t> chosen;

void Record(GUIElement* item) { chosen.push_back(item->id); }

// The game's menu tree, built before the bar is created.
struct GameMenu {
  explicit GameMenu(Form& form) {
    bar.parent = &form;
    exitItem.onCommand = Record;
    joystickItem.checkable = true;
    joystickItem.onCommand = Record;
    homeItem.onCommand = Record;
    bar.Create();
  }
  MenuBar bar;
  Menu fileMenu{&bar, "&File"};
  SubMenu exitItem{&fileMenu, "&Esci"};
  Menu optionsMenu{&bar, "&Opzioni"};
  SubMenu joystickItem{&optionsMenu, "&Abilita Joystick"};
  Menu helpMenu{&bar, "&?"};
  SubMenu homeItem{&helpMenu, "&Home"};
};

TEST(FrameworkMenus, CreatingTheBarMakesTheWholeTreeInOrder) {
  TestForm form;
  form.Create();
  GameMenu menu(form);
  HMENU bar = GetMenu(form.hwnd);
  ASSERT_EQ(bar, menu.bar.menuHandle);
  EXPECT_EQ(GetMenuItemCount(bar), 3);
  for (auto* item : {&menu.exitItem, &menu.joystickItem, &menu.homeItem}) {
    EXPECT_TRUE(item->created);
    EXPECT_EQ(GetMenuState(item->ParentMenuHandle(), static_cast<UINT>(item->id), MF_BYCOMMAND),
              MF_UNCHECKED);
  }
  EXPECT_LT(menu.exitItem.id, menu.joystickItem.id);
  EXPECT_LT(menu.joystickItem.id, menu.homeItem.id);
  // An item added to a created menu appears at once.
  SubMenu late(&menu.fileMenu, "&Dopo");
  EXPECT_TRUE(late.created);
  EXPECT_EQ(GetMenuItemCount(menu.fileMenu.menuHandle), 2);
}

TEST(FrameworkMenus, AnItemWithoutTextAndTheSeparatorFlagIsASeparator) {
  TestForm form;
  form.Create();
  MenuBar bar;
  bar.parent = &form;
  Menu file(&bar, "&File");
  SubMenu first(&file, "&Uno");
  SubMenu separator(&file, "");
  separator.itemFlags = MF_SEPARATOR;
  SubMenu last(&file, "&Esci");
  bar.Create();
  EXPECT_EQ(GetMenuState(file.menuHandle, 1, MF_BYPOSITION), MF_SEPARATOR);
  EXPECT_EQ(GetMenuState(file.menuHandle, 2, MF_BYPOSITION), MF_STRING);
}

TEST(FrameworkMenus, ACheckableItemChosenTwiceEndsAsItStarted) {
  TestForm form;
  form.Create();
  GameMenu menu(form);
  chosen.clear();
  std::vector<bool> marks;
  static std::vector<bool>* seenMarks = &marks;
  menu.joystickItem.onCommand = [](GUIElement* e) {
    seenMarks->push_back(static_cast<SubMenu*>(e)->checkMark);
  };
  for (int i = 0; i < 2; ++i) {
    PostMessageW(form.hwnd, WM_COMMAND, MAKELONG(menu.joystickItem.id, 0), 0);
    Drain();
    EXPECT_EQ(menu.joystickItem.IsChecked(), i == 0);
  }
  EXPECT_EQ(marks, (std::vector<bool>{true, false}));
}

TEST(FrameworkMenus, ACheckedGreyedItemReadsAsUncheckedAndEnablingWorksBeforeAndAfter) {
  TestForm form;
  form.Create();
  MenuBar bar;
  bar.parent = &form;
  Menu options(&bar, "&Opzioni");
  SubMenu item(&options, "&Abilita Joystick");
  item.checkable = true;
  item.checkMark = true;
  item.SetEnabled(false);  // before creation: only stored
  bar.Create();
  const UINT state = GetMenuState(options.menuHandle, static_cast<UINT>(item.id), MF_BYCOMMAND);
  EXPECT_EQ(state, MF_CHECKED | MF_GRAYED);
  EXPECT_FALSE(item.IsChecked());
  item.SetEnabled(true);
  EXPECT_EQ(GetMenuState(options.menuHandle, static_cast<UINT>(item.id), MF_BYCOMMAND),
            MF_CHECKED);
  EXPECT_TRUE(item.IsChecked());
}

TEST(FrameworkMenus, AnItemChosenWithTheMouseReachesItsCommand) {
  TestForm form;
  form.Create();
  GameMenu menu(form);
  chosen.clear();
  const host::WindowId window = HostWindowOf(form.hwnd);
  Host().Click(window, 10, 8);  // "File"
  Drain();
  ASSERT_EQ(Host().Windows().size(), 2u);
  Host().Click(Host().Windows().back(), 20, 10);  // "Esci"
  Drain();
  EXPECT_EQ(chosen, (std::vector<std::int32_t>{menu.exitItem.id}));
}

}  // namespace
