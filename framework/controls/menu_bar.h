// A form's menu bar and its drop-down menus. Building the tree first and
// calling the bar's Create once makes every menu and item, in tree order; an
// element added to a created parent is made at once.
#pragma once

#include <string>
#include <vector>

#include "framework/elements/child.h"

namespace VexaUtility {

class Menu;

class MenuBar : public Child {
 public:
  std::vector<Menu*> children;  // in display order, not owned
  HMENU menuHandle = nullptr;

  MenuBar();
  void Create() override;
};

class Menu : public Child {
 public:
  std::vector<class SubMenu*> children;  // its items, not owned
  HMENU menuHandle = nullptr;

  Menu(MenuBar* bar, const std::string& text);
  void Create() override;
};

}  // namespace VexaUtility
