// Activation, tabbing and hot keys: what the window procedure does about the
// keyboard moving between windows.
#include "framework/controls/scroll_panel.h"
#include "framework/elements/element_registry.h"
#include "framework/forms/form.h"
#include "framework/forms/reactions.h"
#include "framework/forms/window_procedure.h"

namespace VexaUtility {
namespace {

// Hot keys belong to the form in the foreground: it takes them over from the
// form active before it and gives them up when it loses the foreground.
void ActivateForm(Form& form, HWND window) {
  wheelPanel = nullptr;
  if (GetForegroundWindow() != window) {
    form.UnregisterHotKeys();
    form.HandleDeactivate();
    return;
  }
  if (activeForm != nullptr) {
    activeForm->UnregisterHotKeys();
    activeForm->HandleDeactivate();
  }
  if (activePanel != nullptr) {
    activePanel->HandleDeactivate();
    activePanel = nullptr;
  }
  form.RegisterHotKeys();
  form.HandleActivate();
  activeForm = &form;
  if (form.companion != nullptr && form.companion->created && form.hwnd != nullptr) {
    SetWindowPos(form.companion->hwnd, form.hwnd, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
  }
}

void ActivatePanel(PanelChildren& panel, HWND window) {
  if (GetForegroundWindow() != window) {
    panel.HandleDeactivate();
    return;
  }
  if (activePanel != nullptr) activePanel->HandleDeactivate();
  panel.HandleActivate();
  activePanel = &panel;
}

void CallHotKey(Form& form, const HotKey& entry) {
  if (entry.callback != nullptr) entry.callback(&form, entry.modifiers, entry.key);
}

}  // namespace

Reaction ReactActivate(const Message& m) {
  if (auto* form = dynamic_cast<Form*>(m.element)) {
    ActivateForm(*form, m.window);
  } else if (auto* panel = dynamic_cast<PanelChildren*>(m.element)) {
    ActivatePanel(*panel, m.window);
  }
  return PassOn();
}

// Tab moves the focus to the next tab stop of the control's form (Shift+Tab
// to the previous one); the key still goes on to the element.
Reaction ReactTab(const Message& m) {
  HWND dialog = m.window;
  auto* child = dynamic_cast<Child*>(m.element);
  if (child != nullptr && child->parent != nullptr) dialog = child->parent->hwnd;
  const bool back = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
  HWND next = GetNextDlgTabItem(dialog, m.window, back ? TRUE : FALSE);
  if (next == nullptr) return PassOn();
  if (GUIElement* target = FindByWindow(next)) target->Focus();
  return PassOn();
}

// A hot key arrives at the form that registered it. When another form is in
// the foreground by then, that form's entry for the same keys answers it.
Reaction ReactHotKey(const Message& m) {
  auto* form = dynamic_cast<Form*>(m.element);
  if (form == nullptr || m.wParam < 1 || m.wParam > form->hotKeys.size()) return PassOn();
  const HotKey entry = form->hotKeys[m.wParam - 1];
  HWND foreground = GetForegroundWindow();
  if (foreground == form->hwnd) {
    CallHotKey(*form, entry);
    return PassOn();
  }
  auto* other = dynamic_cast<Form*>(FindByWindow(foreground));
  if (other == nullptr) return PassOn();
  for (const HotKey& candidate : other->hotKeys) {
    if (candidate.modifiers == entry.modifiers && candidate.key == entry.key) {
      CallHotKey(*other, candidate);
      break;
    }
  }
  return PassOn();
}

}  // namespace VexaUtility
