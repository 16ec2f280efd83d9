// WM_COMMAND and WM_DRAWITEM: menu items chosen, controls used, owner-drawn
// buttons painted.
#include "framework/controls/button.h"
#include "framework/controls/command_controls.h"
#include "framework/controls/sub_menu.h"
#include "framework/elements/element_registry.h"
#include "framework/forms/reactions.h"

namespace VexaUtility {
namespace {

constexpr WORD kMenuCode = 0;
constexpr WORD kAcceleratorCode = 1;
constexpr WORD kComboOpenCode = 0;

void Call(CommandElement& command, GUIElement& element) {
  if (command.onCommand != nullptr) command.onCommand(&element);
}

// The check mark has flipped before onCommand runs, so the callback reads
// the new state.
void ChooseMenuItem(std::int32_t id) {
  SubMenu* item = FindMenuItemById(id);
  if (item == nullptr) return;
  if (item->checkable) {
    item->checkMark = !item->IsChecked();
    if (item->created) item->ApplyCheck();
  }
  Call(*item, *item);
}

Reaction ComboCommand(ComboBox& combo, WORD code) {
  switch (code) {
    case CBN_SELCHANGE:
      Call(combo, combo);
      break;
    case kComboOpenCode:
      if (combo.created) SendMessageW(combo.hwnd, CB_SHOWDROPDOWN, TRUE, 0);
      break;
    case CBN_DROPDOWN:
      if (!combo.HandleDropDown()) return Answer(1);
      break;
    case CBN_CLOSEUP:
      if (!combo.HandleCloseUp()) return Answer(1);
      break;
    default:
      break;
  }
  return PassOn();
}

Reaction ControlCommand(GUIElement& control, CommandElement& command, WORD code) {
  if (auto* box = dynamic_cast<CheckBox*>(&control)) box->Toggle();
  if (auto* combo = dynamic_cast<ComboBox*>(&control)) return ComboCommand(*combo, code);
  if (dynamic_cast<ListBox*>(&control) != nullptr) {
    if (code == LBN_SELCHANGE) Call(command, control);
    return PassOn();
  }
  Call(command, control);
  return PassOn();
}

Reaction CommandFromWindow(HWND from, std::int32_t id, WORD code) {
  GUIElement* control = FindByWindow(from);
  if (control == nullptr) return PassOn();
  if (auto* command = dynamic_cast<CommandElement*>(control)) {
    return ControlCommand(*control, *command, code);
  }
  if (control->typeName == "toolbar") {
    GUIElement* item = FindById(id);
    if (auto* command = dynamic_cast<CommandElement*>(item)) Call(*command, *item);
  }
  return PassOn();
}

}  // namespace

Reaction ReactCommand(const Message& m) {
  const WORD code = HIWORD(m.wParam);
  const std::int32_t id = LOWORD(m.wParam);
  if (m.lParam == 0) {
    if (code == kMenuCode) {
      ChooseMenuItem(id);
      return PassOn();
    }
    if (code == kAcceleratorCode) return PassOn();
  }
  return CommandFromWindow(reinterpret_cast<HWND>(m.lParam), id, code);
}

Reaction ReactDrawItem(const Message& m) {
  auto* button = dynamic_cast<Button*>(FindById(static_cast<std::int32_t>(m.wParam)));
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(m.lParam);
  if (button == nullptr || item == nullptr || item->CtlType != ODT_BUTTON) return PassOn();
  button->PaintOwnerDrawn(*item);
  return Answer(TRUE);
}

}  // namespace VexaUtility
