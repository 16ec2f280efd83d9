// What the built-in controls share: their window procedures, the state each
// keeps, the parent's say in their colours, their frames and notifications.
#pragma once

#include <string_view>

#include "platform/user/window.h"

namespace user {

LRESULT CALLBACK StaticProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ButtonProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK EditProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK MessageBoxProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
extern const char16_t kMessageBoxClass[];

// The control's state of type T, made on first use.
template <typename T>
T& StateOf(Window& w) {
  if (auto* existing = dynamic_cast<T*>(w.control.get())) return *existing;
  auto made = std::make_unique<T>();
  T& state = *made;
  w.control = std::move(made);
  return state;
}

// The font of WM_SETFONT, else the system's.
HFONT ControlFont(const Window& w);

// Asks the parent for the control's colours with a WM_CTLCOLOR message. The
// parent sets the text and background colours on the context and answers a
// brush; one that answers none leaves the system's colours and `fallback`.
HBRUSH ControlBrush(Window& w, HDC dc, UINT message, int fallback);

// Draws the border and edges that the window manager leaves around the
// client area: WS_BORDER, WS_EX_CLIENTEDGE, WS_EX_STATICEDGE.
void DrawControlFrame(Window& w);

// A 1-pixel frame just inside `r`: top and left in one system colour, bottom
// and right in another; `r` shrinks by the pixel.
void DrawEdgeRing(HDC dc, RECT& r, int topLeft, int bottomRight);

// WM_COMMAND to the parent with the control's id, the code and the window.
// The parent may destroy the control while handling it.
void NotifyParent(Window& w, WORD code);

// The width of a text in a font, in pixels.
int TextWidth(HDC dc, std::u16string_view text);

}  // namespace user
