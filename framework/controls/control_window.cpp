#include "framework/controls/control_window.h"

#include "framework/elements/element_registry.h"
#include "framework/forms/window_procedure.h"
#include "framework/util/text.h"

namespace VexaUtility {

void SetUpControl(GUIElement& control, GUIElement* parent, const std::string& text,
                  const char* typeName) {
  control.parent = parent;
  control.text = ToWide(text);
  control.width = 80;
  control.height = 30;
  control.typeName = typeName;
}

HWND ParentWindow(const GUIElement& element) {
  return element.parent != nullptr ? element.parent->hwnd : nullptr;
}

void MakeControlWindow(GUIElement& control, LPCWSTR className, DWORD style, DWORD exStyle) {
  control.id = ++nextElementId;
  if (!control.enabled) style |= WS_DISABLED;
  control.hwnd =
      CreateWindowExW(exStyle, className, control.text.c_str(), style, control.x, control.y,
                      control.width, control.height, ParentWindow(control),
                      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(control.id)), nullptr, nullptr);
  if (control.hwnd != nullptr) {
    control.previousWndProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProcedure)));
  } else {
    GetLastError();  // nothing is reported; the control lives on without a window
  }
  control.created = true;
}

}  // namespace VexaUtility
