// The "static" control: a line or block of text on the parent's background,
// aligned left, centred or right, that tells its parent of clicks when asked.
#include "platform/user/controls.h"

namespace user {
namespace {

struct Layout {
  DWORD kind;
  UINT format;
};

// How each kind of text static lays out its text.
constexpr Layout kLayouts[] = {
    {SS_LEFT, DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS},
    {SS_CENTER, DT_CENTER | DT_WORDBREAK | DT_EXPANDTABS},
    {SS_RIGHT, DT_RIGHT | DT_WORDBREAK | DT_EXPANDTABS},
    {SS_LEFTNOWORDWRAP, DT_LEFT | DT_EXPANDTABS},
};

UINT TextFormat(DWORD style) {
  UINT format = DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS;
  for (const Layout& l : kLayouts) {
    if (l.kind == (style & SS_TYPEMASK)) format = l.format;
  }
  if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
  // Centred vertically, the text keeps to one line.
  if (style & SS_CENTERIMAGE) format = (format & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
  return format;
}

void Paint(Window& w) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(w.Handle(), &ps);
  HBRUSH brush = ControlBrush(w, dc, WM_CTLCOLORSTATIC, COLOR_BTNFACE);
  RECT client = ClientRect(w);
  FillRect(dc, &client, brush);
  if (!w.Enabled()) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  SetBkMode(dc, TRANSPARENT);
  HGDIOBJ previous = SelectObject(dc, ControlFont(w));
  DrawTextW(dc, w.text.c_str(), static_cast<int>(w.text.size()), &client, TextFormat(w.style));
  SelectObject(dc, previous);
  EndPaint(w.Handle(), &ps);
  DrawControlFrame(w);
}

}  // namespace

LRESULT CALLBACK StaticProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* w = FromHandle(handle);
  if (w == nullptr) return 0;
  switch (message) {
    case WM_PAINT:
      Paint(*w);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint fills the background with the parent's brush
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcW(handle, message, wParam, lParam);
      InvalidateRect(handle, nullptr, TRUE);
      return result;
    }
    case WM_SETFONT:
      DefWindowProcW(handle, message, wParam, lParam);
      if (LOWORD(lParam) != 0) InvalidateRect(handle, nullptr, TRUE);
      return 0;
    case WM_ENABLE:
      InvalidateRect(handle, nullptr, TRUE);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (w->style & SS_NOTIFY)
        NotifyParent(*w, message == WM_LBUTTONDOWN ? STN_CLICKED : STN_DBLCLK);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_STATIC;
    default:
      return DefWindowProcW(handle, message, wParam, lParam);
  }
}

}  // namespace user
