// Menus behind the handles, and the one menu the user may be in at a time.
#pragma once

#include <string>
#include <vector>

#include "platform/user/window.h"

struct HMENU__ {
  struct Item {
    UINT flags = 0;  // MF_ type and state bits
    UINT_PTR id = 0;
    HMENU popup = nullptr;  // MF_POPUP
    std::u16string text;
  };
  bool bar = false;
  std::vector<Item> items;
  HWND window = nullptr;  // the window whose menu bar this is
};

namespace user {

HMENU__* LookupMenu(HMENU menu);
// The item a command id names anywhere in the menu and its popups, or the
// item at a position; null when there is none.
HMENU__::Item* FindMenuItem(HMENU__* menu, UINT item, UINT flags);
// The character after a single "&" of a text, in capitals; 0 when none.
char16_t Mnemonic(const std::u16string& text);
bool Choosable(const HMENU__::Item& item);

// The menu the user is in: a highlighted menu bar title, perhaps with its
// drop-down open. While it lasts the keyboard belongs to the menu; the
// program's timers and painting go on.
struct MenuMode {
  Window* owner = nullptr;  // null: no menu is active
  int title = -1;           // the highlighted title of the bar
  bool open = false;        // its drop-down is shown
  int selected = -1;        // the highlighted item of the drop-down
  Window* dropDown = nullptr;
};
MenuMode& CurrentMenu();
void RegisterDropDownClass();
bool MenuActive();
void OpenTitle(int title, bool selectFirst);
void CloseMenu();
// The keyboard while a menu is active: true when the menu took the key.
bool MenuKey(int virtualKey);
bool MenuCharacter(char16_t c);
// A button pressed outside the menu ends it. A press on the menu's own
// window goes no further (true); one on another window goes on (false).
bool MenuMouseDown(Window* window);
// The menu ends when a window other than its own is activated or takes the
// focus, and when its own window loses the activation: from then on keys go
// to the focused window again.
void EndMenuUnlessOwnedBy(Window* top);

// Layout of the bar: the title rectangles in frame-buffer coordinates.
std::vector<RECT> TitleRects(Window* top);
// The drop-down's window procedure and drawing.
void ShowDropDown(Window* top, int title);
void HideDropDown();
void PaintDropDown(HDC dc, HMENU__* menu, int selected, int width);
SIZE DropDownSize(HDC dc, HMENU__* menu);
int DropDownItemAt(HMENU__* menu, int y);
void ChooseItem(const HMENU__::Item& item);

}  // namespace user
