#include "framework/controls/menu_bar.h"

#include "framework/controls/sub_menu.h"
#include "framework/util/text.h"

namespace VexaUtility {

MenuBar::MenuBar() : Child(nullptr) { typeName = "menubar"; }

void MenuBar::Create() {
  if (created || parent == nullptr || parent->hwnd == nullptr) return;
  menuHandle = CreateMenu();
  for (Menu* menu : children) menu->Create();
  SetMenu(parent->hwnd, menuHandle);
  created = true;
  hwnd = reinterpret_cast<HWND>(menuHandle);
  FinishCreate();
}

Menu::Menu(MenuBar* bar, const std::string& caption) : Child(nullptr) {
  typeName = "menu";
  text = ToWide(caption);
  parent = bar;
  if (bar != nullptr) {
    bar->children.push_back(this);
    if (bar->created) Create();
  }
}

void Menu::Create() {
  auto* bar = dynamic_cast<MenuBar*>(parent);
  if (created || bar == nullptr || bar->menuHandle == nullptr) return;
  // Items go into the drop-down before it goes onto the bar.
  menuHandle = CreatePopupMenu();
  for (SubMenu* item : children) item->Create();
  AppendMenuW(bar->menuHandle, MF_POPUP, reinterpret_cast<UINT_PTR>(menuHandle), text.c_str());
  hwnd = reinterpret_cast<HWND>(menuHandle);
  created = true;
  FinishCreate();
  if (bar->parent != nullptr && bar->parent->hwnd != nullptr) DrawMenuBar(bar->parent->hwnd);
}

}  // namespace VexaUtility
