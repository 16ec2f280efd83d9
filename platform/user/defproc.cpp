// What a window does with a message its own procedure leaves alone.
#include <algorithm>

#include "platform/crt/utf.h"
#include "platform/user/state.h"

namespace user {
namespace {

HBRUSH ClassBrush(const Window& w) {
  HBRUSH brush = w.windowClass->info.hbrBackground;
  return brush;
}

LRESULT EraseBackground(Window& w, HDC dc) {
  HBRUSH brush = ClassBrush(w);
  if (brush == nullptr) return 0;
  RECT box{};
  GetClipBox(dc, &box);
  FillRect(dc, &box, brush);
  return 1;
}

LRESULT SetText(Window& w, LPCWSTR text) {
  w.text = text != nullptr ? std::u16string(text) : std::u16string();
  if (!w.IsChild() && w.hostWindow != 0) {
    host::Current().SetTitle(w.hostWindow, crt::Utf8FromUtf16(w.text));
  }
  return TRUE;
}

LRESULT GetText(const Window& w, WPARAM size, LPWSTR buffer) {
  if (buffer == nullptr || size == 0) return 0;
  const std::size_t n = std::min<std::size_t>(w.text.size(), size - 1);
  w.text.copy(buffer, n);
  buffer[n] = u'\0';
  return static_cast<LRESULT>(n);
}

LRESULT SetIcon(Window& w, WPARAM kind, HICON icon) {
  HICON& slot = kind == ICON_BIG ? w.iconBig : w.iconSmall;
  HICON old = slot;
  slot = icon;
  if (kind == ICON_BIG || w.iconBig == nullptr) ShowIcon(w, icon);
  return reinterpret_cast<LRESULT>(old);
}

LRESULT SetCursorForHit(Window& w, WPARAM wParam, LPARAM lParam) {
  // A parent may choose the cursor for its children.
  if (w.IsChild() && w.parent != nullptr &&
      SendMessageW(w.parent->Handle(), WM_SETCURSOR, wParam, lParam)) {
    return TRUE;
  }
  if (LOWORD(static_cast<UINT_PTR>(lParam)) == HTCLIENT && w.windowClass->info.hCursor) {
    SetCursor(w.windowClass->info.hCursor);
    return TRUE;
  }
  if (LOWORD(static_cast<UINT_PTR>(lParam)) != HTCLIENT) SetCursor(LoadCursorW(nullptr, IDC_ARROW));
  return FALSE;
}

LRESULT ControlColour(HDC dc, UINT message) {
  const int colour = message == WM_CTLCOLOREDIT ? COLOR_WINDOW : COLOR_BTNFACE;
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(colour));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(colour));
}

void GiveFocusOnActivation(Window& w, WPARAM wParam) {
  if (LOWORD(wParam) == WA_INACTIVE || HIWORD(wParam) != 0) return;
  Window* target = w.lastFocus;
  if (target == nullptr || target->destroyed || !IsDescendant(&w, target) ||
      FromHandle(target->Handle()) == nullptr) {
    target = &w;
  }
  SetFocus(target->Handle());
}

}  // namespace
}  // namespace user

using namespace user;

LRESULT DefWindowProcW(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* w = FromHandle(handle);
  if (w == nullptr) return 0;
  switch (message) {
    case WM_NCCREATE: return TRUE;
    case WM_CLOSE: DestroyWindow(handle); return 0;
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_CLOSE: SendMessageW(handle, WM_CLOSE, 0, 0); return 0;
        case SC_MINIMIZE: ShowWindow(handle, SW_MINIMIZE); return 0;
        case SC_RESTORE: ShowWindow(handle, SW_RESTORE); return 0;
        case SC_KEYMENU: EnterMenuBar(TopLevel(w), static_cast<char16_t>(lParam)); return 0;
        default: return 0;
      }
    case WM_ERASEBKGND: return EraseBackground(*w, reinterpret_cast<HDC>(wParam));
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(handle, &paint);
      EndPaint(handle, &paint);
      return 0;
    }
    case WM_SETTEXT: return SetText(*w, reinterpret_cast<LPCWSTR>(lParam));
    case WM_GETTEXT: return GetText(*w, wParam, reinterpret_cast<LPWSTR>(lParam));
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(w->text.size());
    case WM_SETFONT: w->font = reinterpret_cast<HFONT>(wParam); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(w->font);
    case WM_SETICON: return SetIcon(*w, wParam, reinterpret_cast<HICON>(lParam));
    case WM_GETICON:
      return reinterpret_cast<LRESULT>(wParam == ICON_BIG ? w->iconBig : w->iconSmall);
    case WM_SETCURSOR: return SetCursorForHit(*w, wParam, lParam);
    case WM_ACTIVATE: GiveFocusOnActivation(*w, wParam); return 0;
    case WM_MOUSEACTIVATE: return 1;  // activate
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORDLG: return ControlColour(reinterpret_cast<HDC>(wParam), message);
    case WM_MOUSEWHEEL:
      // A child passes the wheel on to its parent.
      if (w->IsChild() && w->parent != nullptr) {
        return SendMessageW(w->parent->Handle(), message, wParam, lParam);
      }
      return 0;
    case WM_SYSKEYDOWN:
      if (wParam == VK_F4 && (lParam & (1 << 29))) {
        PostMessageW(TopLevel(w)->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
      }
      return 0;
    case WM_SYSKEYUP:
      // Alt pressed and released alone, or F10, enters the menu bar.
      if ((wParam == VK_MENU && Now().altAlone) || wParam == VK_F10) {
        Now().altAlone = false;
        SendMessageW(TopLevel(w)->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 0);
      }
      return 0;
    case WM_SYSCHAR:
      SendMessageW(TopLevel(w)->Handle(), WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(wParam));
      return 0;
    default: return 0;
  }
}
