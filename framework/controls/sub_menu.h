// A menu item: chosen, it comes back as WM_COMMAND with its id, and the
// window procedure flips its check mark (when it is checkable) before it
// calls `onCommand`.
//
// This is the part of the item that the window procedure works with: its
// id, its check mark and its command. Building the menus themselves (the
// menu bar, the drop-down menus, AppendMenuW and the menu state) belongs
// with the menu bar and its menus.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/elements/child.h"
#include "framework/elements/command_element.h"

namespace VexaUtility {

class SubMenu : public Child, public CommandElement {
 public:
  std::vector<SubMenu*> children;  // nested items, not owned
  HMENU popupHandle = nullptr;     // the popup of an item with children
  std::uint32_t itemFlags = 0;     // MF_ flags of an item without children
  bool checkable = false;
  bool checkMark = false;

  // The item takes its id now, not when it is created.
  SubMenu(GUIElement* parent, const std::string& text);

  void Create() override;
  // The menu the item is shown in: its parent item's popup; null while the
  // item is not in a menu.
  HMENU ParentMenuHandle();
  bool IsChecked();
  void ApplyCheck();
};

}  // namespace VexaUtility
