// A menu item: chosen, it comes back as WM_COMMAND with its id, and the
// window procedure flips its check mark (when it is checkable) before it
// calls `onCommand`.
//
// An item with items of its own becomes a submenu. An item takes its id when
// it is made, from the same counter as controls, so a menu command never
// matches a control id.
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

  // The item takes its id now, not when it is created; it joins its parent
  // (a menu or an item) and is made at once when that parent is made.
  SubMenu(GUIElement* parent, const std::string& text);

  void Create() override;
  void SetEnabled(bool enabled) override;
  // The menu the item is shown in: its menu's drop-down or its parent item's
  // popup; null while the item is not in a menu.
  HMENU ParentMenuHandle();
  bool IsChecked();
  void ApplyCheck();
};

}  // namespace VexaUtility
