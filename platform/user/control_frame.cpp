// The parts every built-in control draws or says the same way.
#include "platform/user/controls.h"

namespace user {

HFONT ControlFont(const Window& w) {
  if (w.font != nullptr && gdi::LookupFont(w.font) != nullptr) return w.font;
  return static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

HBRUSH ControlBrush(Window& w, HDC dc, UINT message, int fallback) {
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(fallback));
  Window* parent = w.IsChild() ? w.parent : nullptr;
  if (parent != nullptr) {
    const LRESULT answer = SendMessageW(parent->Handle(), message, reinterpret_cast<WPARAM>(dc),
                                        reinterpret_cast<LPARAM>(w.Handle()));
    auto brush = reinterpret_cast<HBRUSH>(answer);
    if (gdi::LookupBrush(brush) != nullptr) return brush;
  }
  return GetSysColorBrush(fallback);
}

void DrawEdgeRing(HDC dc, RECT& r, int topLeft, int bottomRight) {
  if (r.right - r.left <= 0 || r.bottom - r.top <= 0) return;
  HBRUSH light = GetSysColorBrush(topLeft);
  HBRUSH dark = GetSysColorBrush(bottomRight);
  const RECT top{r.left, r.top, r.right, r.top + 1};
  const RECT left{r.left, r.top, r.left + 1, r.bottom};
  const RECT bottom{r.left, r.bottom - 1, r.right, r.bottom};
  const RECT right{r.right - 1, r.top, r.right, r.bottom};
  FillRect(dc, &top, light);
  FillRect(dc, &left, light);
  FillRect(dc, &bottom, dark);
  FillRect(dc, &right, dark);
  InflateRect(&r, -1, -1);
}

void DrawControlFrame(Window& w) {
  const bool border = (w.style & WS_BORDER) != 0;
  const bool clientEdge = (w.exStyle & WS_EX_CLIENTEDGE) != 0;
  const bool staticEdge = (w.exStyle & WS_EX_STATICEDGE) != 0;
  if (!border && !clientEdge && !staticEdge) return;
  HDC dc = GetWindowDC(w.Handle());
  RECT r{0, 0, w.rect.right - w.rect.left, w.rect.bottom - w.rect.top};
  // From the outside in, as the window manager counts the insets.
  if (border) DrawEdgeRing(dc, r, COLOR_WINDOWFRAME, COLOR_WINDOWFRAME);
  if (clientEdge) {
    DrawEdgeRing(dc, r, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT);
    DrawEdgeRing(dc, r, COLOR_3DDKSHADOW, COLOR_3DLIGHT);
  }
  if (staticEdge) DrawEdgeRing(dc, r, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT);
  ReleaseDC(w.Handle(), dc);
}

void NotifyParent(Window& w, WORD code) {
  if (!w.IsChild() || w.parent == nullptr) return;
  const WPARAM wParam = MAKELONG(static_cast<WORD>(w.id), code);
  SendMessageW(w.parent->Handle(), WM_COMMAND, wParam, reinterpret_cast<LPARAM>(w.Handle()));
}

int TextWidth(HDC dc, std::u16string_view text) {
  if (text.empty()) return 0;
  SIZE size{};
  GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
  return size.cx;
}

}  // namespace user
