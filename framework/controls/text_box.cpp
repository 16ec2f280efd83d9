#include "framework/controls/text_box.h"

#include "framework/controls/control_window.h"

namespace VexaUtility {

TextBox::TextBox(GUIElement* owner, const std::string& caption) : Child(nullptr) {
  SetUpControl(*this, owner, caption, "textbox");
}

std::uint32_t TextBox::Style() const {
  std::uint32_t style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
  if (!enabled) style |= WS_DISABLED;
  if (hScroll) style |= WS_HSCROLL;
  if (vScroll) style |= WS_VSCROLL;
  if (numbersOnly) style |= ES_NUMBER;
  if (bordered) style |= WS_BORDER;
  if (multiline) {
    style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
    if (!wordWrap) style |= ES_AUTOHSCROLL;
  } else {
    style |= ES_AUTOHSCROLL;
  }
  if (readOnly) style |= ES_READONLY;
  if (upperCase) {
    style |= ES_UPPERCASE;
  } else if (lowerCase) {
    style |= ES_LOWERCASE;
  }
  if (alignRight) {
    style |= ES_RIGHT;
  } else if (alignCenter) {
    style |= ES_CENTER;
  }
  return style;
}

void TextBox::Create() {
  if (created) return;
  MakeControlWindow(*this, u"edit", Style(), bordered ? WS_EX_CLIENTEDGE : 0);
  if (maxLength != -1) SendMessageW(hwnd, EM_LIMITTEXT, static_cast<WPARAM>(maxLength), 0);
  FinishCreate();
}

void TextBox::ApplyStyle() {
  if (!created) return;
  if (SetWindowLongPtrW(hwnd, GWL_STYLE, static_cast<LONG_PTR>(Style())) == 0) {
    GetLastError();
    return;
  }
  SendMessageW(hwnd, EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
  SendMessageW(hwnd, EM_SETPASSWORDCHAR, password ? '*' : 0, 0);
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
}

}  // namespace VexaUtility
