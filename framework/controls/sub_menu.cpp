#include "framework/controls/sub_menu.h"

#include "framework/controls/menu_bar.h"
#include "framework/elements/element_registry.h"
#include "framework/util/text.h"

namespace VexaUtility {

SubMenu::SubMenu(GUIElement* owner, const std::string& caption) : Child(nullptr) {
  parent = owner;
  text = ToWide(caption);
  typeName = "submenu";
  id = ++nextElementId;
  if (auto* menu = dynamic_cast<Menu*>(owner)) {
    menu->children.push_back(this);
    if (menu->created) Create();
  } else if (auto* item = dynamic_cast<SubMenu*>(owner)) {
    item->children.push_back(this);
    if (item->created) Create();
  }
}

HMENU SubMenu::ParentMenuHandle() {
  if (auto* menu = dynamic_cast<Menu*>(parent)) return menu->menuHandle;
  if (auto* item = dynamic_cast<SubMenu*>(parent)) return item->popupHandle;
  return nullptr;
}

void SubMenu::Create() {
  if (created) return;
  HMENU parentMenu = ParentMenuHandle();
  if (parentMenu == nullptr) return;
  if (children.empty()) {
    AppendMenuW(parentMenu, itemFlags, static_cast<UINT_PTR>(id), text.empty() ? nullptr : text.c_str());
    if (checkable) {
      CheckMenuItem(parentMenu, static_cast<UINT>(id), checkMark ? MF_CHECKED : MF_UNCHECKED);
    }
  } else {
    popupHandle = CreatePopupMenu();
    for (SubMenu* child : children) child->Create();
    AppendMenuW(parentMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(popupHandle), text.c_str());
  }
  created = true;
  hwnd = reinterpret_cast<HWND>(popupHandle);
  if (!enabled) SetEnabled(false);
  FinishCreate();
}

void SubMenu::SetEnabled(bool value) {
  enabled = value;
  if (created) {
    EnableMenuItem(ParentMenuHandle(), static_cast<UINT>(id),
                   MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  }
}

bool SubMenu::IsChecked() {
  HMENU parentMenu = ParentMenuHandle();
  if (created && parentMenu != nullptr) {
    checkMark = GetMenuState(parentMenu, static_cast<UINT>(id), MF_BYCOMMAND) == MF_CHECKED;
  }
  return checkMark;
}

void SubMenu::ApplyCheck() {
  HMENU parentMenu = ParentMenuHandle();
  if (parentMenu == nullptr) return;
  CheckMenuItem(parentMenu, static_cast<UINT>(id),
                checkMark && checkable ? MF_CHECKED : MF_UNCHECKED);
}

}  // namespace VexaUtility
