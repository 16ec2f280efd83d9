#include "framework/controls/sub_menu.h"

#include "framework/elements/element_registry.h"
#include "framework/util/text.h"

namespace VexaUtility {

SubMenu::SubMenu(GUIElement* owner, const std::string& caption) : Child(nullptr) {
  parent = owner;
  text = ToWide(caption);
  typeName = "submenu";
  id = ++nextElementId;
  if (auto* item = dynamic_cast<SubMenu*>(owner)) {
    item->children.push_back(this);
    if (item->created) Create();
  }
}

HMENU SubMenu::ParentMenuHandle() {
  if (auto* item = dynamic_cast<SubMenu*>(parent)) return item->popupHandle;
  return nullptr;
}

// Items are put into their menu by the menu bar that builds the menus; an
// item whose parent has no menu has nothing to be added to and stays
// uncreated.
void SubMenu::Create() {}

// Outside a menu the stored mark is the item's state.
bool SubMenu::IsChecked() {
  return checkMark;
}

// Outside a menu there is no check mark to show.
void SubMenu::ApplyCheck() {}

}  // namespace VexaUtility
