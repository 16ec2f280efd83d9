// Controls that are chosen rather than typed into, as the window procedure
// knows them from their WM_COMMAND: the check box, the combo box, the list
// box, and the toolbar with its buttons.
#pragma once

#include <string>

#include "framework/elements/child.h"
#include "framework/elements/command_element.h"

namespace VexaUtility {

class CheckBox : public Child, public CommandElement {
 public:
  bool checked = false;

  CheckBox(GUIElement* parent, const std::string& text);
  void Create() override;
  // Turns the check over: the state the window shows (the stored one while
  // there is no window) becomes its opposite, in the field and the window.
  void Toggle();
};

class ComboBox : public Child, public CommandElement {
 public:
  ComboBox(GUIElement* parent, const std::string& text);
  void Create() override;
  // false keeps the list from opening, or from closing.
  virtual bool HandleDropDown();
  virtual bool HandleCloseUp();
};

class ListBox : public Child, public CommandElement {
 public:
  ListBox(GUIElement* parent, const std::string& text);
  void Create() override;
};

// A toolbar's buttons are commands of their own, found by id.
class Toolbar : public Child {
 public:
  explicit Toolbar(GUIElement* parent);
  void Create() override;
};

class ToolbarItem : public Child, public CommandElement {
 public:
  ToolbarItem(GUIElement* toolbar, const std::string& text);
  // A toolbar button has no window of its own, only its id.
  void Create() override;
};

}  // namespace VexaUtility
