// Reading back from an element's window what the user or the system may
// have changed: its text, its place and its client width.
#include <vector>

#include "framework/elements/gui_element.h"
#include "framework/util/text.h"

namespace VexaUtility {

std::u16string GUIElement::GetTextW() {
  if (!created) return text;
  const int n = GetWindowTextLengthW(hwnd);
  if (n <= 0) {
    text.clear();
    return text;
  }
  std::vector<WCHAR> buffer(static_cast<std::size_t>(n) + 1, u'\0');
  const int copied = GetWindowTextW(hwnd, buffer.data(), n + 1);
  if (copied != 0) text.assign(buffer.data(), static_cast<std::size_t>(copied));
  return text;
}

std::string GUIElement::GetText() {
  return ToNarrow(GetTextW());
}

POINT GUIElement::RefreshPosition() {
  if (!created) return POINT{x, y};
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  POINT corner{rect.left, rect.top};
  if (parent != nullptr) ScreenToClient(parent->hwnd, &corner);
  x = corner.x;
  y = corner.y;
  return corner;
}

std::int32_t GUIElement::ClientWidth() {
  if (!created) return width;
  RECT client{};
  GetClientRect(hwnd, &client);
  width = client.right - client.left;
  return width;
}

}  // namespace VexaUtility
