// Keyboard navigation in dialog windows.
#include <vector>

#include "platform/user/state.h"

namespace user {
namespace {

bool TabStop(const Window* w) {
  return w->visible && w->Enabled() && (w->style & WS_TABSTOP) && !w->destroyed;
}

// The controls of a dialog in tab order: its children, and the children of
// children that are themselves control containers.
void Collect(Window* w, std::vector<Window*>& out) {
  for (Window* child : w->children) {
    if (child->destroyed) continue;
    out.push_back(child);
    if (child->exStyle & WS_EX_CONTROLPARENT) Collect(child, out);
  }
}

Window* DefaultButton(Window* dialog) {
  std::vector<Window*> controls;
  Collect(dialog, controls);
  for (Window* c : controls) {
    if (c->visible && c->Enabled() &&
        (SendMessageW(c->Handle(), WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON)) {
      return c;
    }
  }
  return nullptr;
}

}  // namespace
}  // namespace user

using namespace user;

HWND GetNextDlgTabItem(HWND dialogHandle, HWND controlHandle, BOOL previous) {
  Window* dialog = FromHandle(dialogHandle);
  if (dialog == nullptr) return nullptr;
  Window* control = controlHandle != nullptr ? FromHandle(controlHandle) : nullptr;
  std::vector<Window*> controls;
  Collect(dialog, controls);
  const int n = static_cast<int>(controls.size());
  if (n == 0) return nullptr;
  int start = previous ? 0 : n - 1;
  for (int i = 0; i < n; ++i) {
    if (controls[static_cast<std::size_t>(i)] == control) start = i;
  }
  for (int step = 1; step <= n; ++step) {
    const int i = ((previous ? start - step : start + step) % n + n) % n;
    Window* candidate = controls[static_cast<std::size_t>(i)];
    if (TabStop(candidate)) return candidate->Handle();
  }
  return control != nullptr && TabStop(control) ? control->Handle() : nullptr;
}

BOOL IsDialogMessageW(HWND dialogHandle, LPMSG msg) {
  Window* dialog = FromHandle(dialogHandle);
  if (dialog == nullptr || msg == nullptr) return FALSE;
  Window* target = FromHandle(msg->hwnd);
  if (target == nullptr || !IsDescendant(dialog, target)) return FALSE;
  const LRESULT code = SendMessageW(msg->hwnd, WM_GETDLGCODE, msg->wParam,
                                    reinterpret_cast<LPARAM>(msg));
  if (msg->message == WM_KEYDOWN && !(code & DLGC_WANTALLKEYS)) {
    switch (msg->wParam) {
      case VK_TAB: {
        if (code & DLGC_WANTTAB) break;
        const bool back = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
        if (HWND next = GetNextDlgTabItem(dialogHandle, msg->hwnd, back ? TRUE : FALSE)) {
          SetFocus(next);
        }
        return TRUE;
      }
      case VK_RETURN: {
        Window* button = DefaultButton(dialog);
        SendMessageW(dialogHandle, WM_COMMAND, MAKELONG(IDOK, 0),
                     reinterpret_cast<LPARAM>(button != nullptr ? button->Handle() : nullptr));
        return TRUE;
      }
      case VK_ESCAPE:
        SendMessageW(dialogHandle, WM_COMMAND, MAKELONG(IDCANCEL, 0), 0);
        return TRUE;
      default: break;
    }
  }
  // The characters of the keys handled above are not typed into anything.
  if (msg->message == WM_CHAR && !(code & DLGC_WANTALLKEYS) &&
      (msg->wParam == '\t' || msg->wParam == '\r' || msg->wParam == 27)) {
    if (msg->wParam != '\t' || !(code & DLGC_WANTTAB)) return TRUE;
  }
  TranslateMessage(msg);
  DispatchMessageW(msg);
  return TRUE;
}

// A button's check state belongs to the button; the dialog only finds it.
UINT IsDlgButtonChecked(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  if (button == nullptr) return BST_UNCHECKED;
  return static_cast<UINT>(SendMessageW(button, BM_GETCHECK, 0, 0));
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
  HWND button = GetDlgItem(dialog, id);
  if (button == nullptr) return FALSE;
  SendMessageW(button, BM_SETCHECK, check, 0);
  return TRUE;
}
