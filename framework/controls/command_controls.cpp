#include "framework/controls/command_controls.h"

#include "framework/controls/control_window.h"
#include "framework/elements/element_registry.h"

namespace VexaUtility {
namespace {

constexpr DWORD kChildStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
constexpr DWORD kComboDropDownList = 0x0003;  // CBS_DROPDOWNLIST
constexpr DWORD kListNotify = 0x0001;         // LBS_NOTIFY
constexpr DWORD kToolbarTips = 0x0100;        // TBSTYLE_TOOLTIPS

}  // namespace

CheckBox::CheckBox(GUIElement* owner, const std::string& caption) : Child(nullptr) {
  SetUpControl(*this, owner, caption, "checkbox");
}

// Not an automatic check box: the framework turns the check itself (Toggle).
void CheckBox::Create() {
  if (created) return;
  MakeControlWindow(*this, u"Button", kChildStyle | BS_CHECKBOX, 0);
  FinishCreate();
}

void CheckBox::Toggle() {
  const bool shown = created ? IsDlgButtonChecked(ParentWindow(*this), id) == BST_CHECKED : checked;
  checked = !shown;
  if (created) CheckDlgButton(ParentWindow(*this), id, checked ? BST_CHECKED : BST_UNCHECKED);
}

ComboBox::ComboBox(GUIElement* owner, const std::string& caption) : Child(nullptr) {
  SetUpControl(*this, owner, caption, "combobox");
}

void ComboBox::Create() {
  if (created) return;
  MakeControlWindow(*this, u"combobox", kChildStyle | WS_VSCROLL | kComboDropDownList, 0);
  FinishCreate();
}

bool ComboBox::HandleDropDown() {
  return true;
}

bool ComboBox::HandleCloseUp() {
  return true;
}

ListBox::ListBox(GUIElement* owner, const std::string& caption) : Child(nullptr) {
  SetUpControl(*this, owner, caption, "listbox");
}

void ListBox::Create() {
  if (created) return;
  MakeControlWindow(*this, u"listbox", kChildStyle | WS_VSCROLL | WS_BORDER | kListNotify,
                    WS_EX_CLIENTEDGE);
  FinishCreate();
}

Toolbar::Toolbar(GUIElement* owner) : Child(nullptr) {
  SetUpControl(*this, owner, "", "toolbar");
}

void Toolbar::Create() {
  if (created) return;
  MakeControlWindow(*this, u"ToolbarWindow32", WS_CHILD | WS_VISIBLE | kToolbarTips, 0);
  FinishCreate();
}

ToolbarItem::ToolbarItem(GUIElement* toolbar, const std::string& caption) : Child(nullptr) {
  SetUpControl(*this, toolbar, caption, "toolbaritem");
}

void ToolbarItem::Create() {
  if (created) return;
  id = ++nextElementId;
  created = true;
}

}  // namespace VexaUtility
