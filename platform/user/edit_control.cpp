// The "edit" control: one line of text that the user types into. Characters
// go in at the caret, filtered by the control's styles (capitals, small
// letters, digits only) and its length limit; Backspace, Delete, Home, End
// and the arrows edit and move, Shift extending the selection. Every change
// tells the parent with EN_CHANGE. Multi-line boxes are not offered: a box
// asked for several lines keeps one.
#include <algorithm>

#include "platform/user/edit.h"
#include "platform/user/state.h"

namespace user {
namespace {

constexpr std::size_t kLargestLimit = 0x7FFFFFFE;

bool Shifted() {
  return (GetKeyState(VK_SHIFT) & 0x8000) != 0;
}

bool IsLower(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7);
}
bool IsUpper(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7);
}

// Letters of the narrow range change case by a fixed distance.
char16_t Cased(char16_t c, DWORD style) {
  if ((style & ES_UPPERCASE) && IsLower(c)) return static_cast<char16_t>(c - 32);
  if ((style & ES_LOWERCASE) && !(style & ES_UPPERCASE) && IsUpper(c)) {
    return static_cast<char16_t>(c + 32);
  }
  return c;
}

void Redraw(Window& w) {
  InvalidateRect(w.Handle(), nullptr, TRUE);
}

// The text changed: the caret stays in sight and the parent hears of it.
void Changed(Window& w, EditState& s) {
  KeepCaretVisible(w, s);
  Redraw(w);
  NotifyParent(w, EN_CHANGE);
}

// Without automatic scrolling a box takes no more than it can show.
bool FitsShown(Window& w, const EditState& s, const std::u16string& text) {
  if (w.style & ES_AUTOHSCROLL) return true;
  std::u16string kept = std::move(w.text);
  w.text = text;
  const int width = LineMeasure(w, s).Width();
  w.text = std::move(kept);
  return width <= ClientRect(w).right - 2 * kEditMargin;
}

// Puts `text` in place of the selection, cut to what the limit leaves room
// for. False when nothing could go in.
bool ReplaceSelection(Window& w, EditState& s, std::u16string_view text, bool typed) {
  const std::size_t from = s.SelectionStart(), to = s.SelectionEnd();
  const std::size_t kept = w.text.size() - (to - from);
  const std::size_t room = kept < s.limit ? s.limit - kept : 0;
  if (text.size() > room) {
    text = text.substr(0, room);
    NotifyParent(w, EN_MAXTEXT);
    if (FromHandle(w.Handle()) == nullptr) return false;
  }
  if (text.empty() && from == to) return false;
  std::u16string next = w.text;
  next.replace(from, to - from, text);
  if (typed && !FitsShown(w, s, next)) return false;
  w.text = std::move(next);
  s.anchor = s.caret = from + text.size();
  Changed(w, s);
  return true;
}

void EraseAround(Window& w, EditState& s, bool before) {
  if (w.style & ES_READONLY) return;
  if (s.SelectionStart() == s.SelectionEnd()) {
    if (before ? s.caret == 0 : s.caret >= w.text.size()) return;
    s.anchor = before ? s.caret - 1 : s.caret + 1;
  }
  ReplaceSelection(w, s, u"", false);
}

void TypeCharacter(Window& w, EditState& s, char16_t c) {
  if (c == 8) {
    EraseAround(w, s, true);
    return;
  }
  if (c == 1) {  // Ctrl+A
    s.anchor = 0;
    s.caret = w.text.size();
    Redraw(w);
    return;
  }
  // Other control characters (Enter, Tab, Esc, Ctrl with a letter) type nothing.
  if (c < 0x20 || c == 0x7F || (w.style & ES_READONLY)) return;
  if ((w.style & ES_NUMBER) && (c < u'0' || c > u'9')) return;
  const char16_t typed = Cased(c, w.style);
  ReplaceSelection(w, s, std::u16string_view(&typed, 1), true);
}

void MoveCaret(Window& w, EditState& s, std::size_t to, bool extend) {
  s.caret = std::min(to, w.text.size());
  if (!extend) s.anchor = s.caret;
  KeepCaretVisible(w, s);
  Redraw(w);
}

void KeyDown(Window& w, EditState& s, WPARAM key) {
  const bool extend = Shifted();
  const bool selection = s.SelectionStart() != s.SelectionEnd();
  switch (key) {
    case VK_LEFT:
      if (selection && !extend)
        MoveCaret(w, s, s.SelectionStart(), false);
      else
        MoveCaret(w, s, s.caret > 0 ? s.caret - 1 : 0, extend);
      return;
    case VK_RIGHT:
      if (selection && !extend)
        MoveCaret(w, s, s.SelectionEnd(), false);
      else
        MoveCaret(w, s, s.caret + 1, extend);
      return;
    case VK_HOME:
      MoveCaret(w, s, 0, extend);
      return;
    case VK_END:
      MoveCaret(w, s, w.text.size(), extend);
      return;
    case VK_DELETE:
      EraseAround(w, s, false);
      return;
    default:
      return;
  }
}

void MouseDown(Window& w, EditState& s, LPARAM lParam) {
  const HWND handle = w.Handle();
  if (Now().focus != &w) SetFocus(handle);
  if (FromHandle(handle) == nullptr) return;
  const int x = static_cast<SHORT>(LOWORD(lParam));
  MoveCaret(w, s, LineMeasure(w, s).PositionAt(x), Shifted());
  s.selecting = true;
  SetCapture(handle);
}

void MouseMove(Window& w, EditState& s, LPARAM lParam) {
  if (!s.selecting) return;
  const int x = static_cast<SHORT>(LOWORD(lParam));
  const std::size_t at = LineMeasure(w, s).PositionAt(x);
  if (at != s.caret) MoveCaret(w, s, at, true);
}

void MouseUp(Window& w, EditState& s) {
  if (!s.selecting) return;
  s.selecting = false;
  if (Now().capture == &w) ReleaseCapture();
}

LRESULT SetText(Window& w, EditState& s, LPCWSTR text) {
  w.text = text != nullptr ? std::u16string(text) : std::u16string();
  s.anchor = s.caret = 0;
  s.scroll = 0;
  Redraw(w);
  NotifyParent(w, EN_CHANGE);
  return TRUE;
}

LRESULT GetSelection(const EditState& s, WPARAM wParam, LPARAM lParam) {
  const auto from = static_cast<DWORD>(s.SelectionStart());
  const auto to = static_cast<DWORD>(s.SelectionEnd());
  if (auto* out = reinterpret_cast<DWORD*>(wParam)) *out = from;
  if (auto* out = reinterpret_cast<DWORD*>(lParam)) *out = to;
  return MAKELONG(static_cast<WORD>(std::min<DWORD>(from, 0xFFFF)),
                  static_cast<WORD>(std::min<DWORD>(to, 0xFFFF)));
}

// A start of -1 takes the selection away; an end of -1 is the end of the text.
void SetSelection(Window& w, EditState& s, WPARAM wParam, LPARAM lParam) {
  const auto start = static_cast<long long>(static_cast<int>(wParam));
  const auto end = static_cast<long long>(static_cast<int>(lParam));
  const auto size = static_cast<long long>(w.text.size());
  if (start < 0) {
    s.anchor = s.caret;
  } else {
    s.anchor = static_cast<std::size_t>(std::min(start, size));
    s.caret = static_cast<std::size_t>(end < 0 ? size : std::min(end, size));
  }
  KeepCaretVisible(w, s);
  Redraw(w);
}

void SetStyleBit(Window& w, DWORD bit, bool on) {
  w.style = on ? (w.style | bit) : (w.style & ~bit);
  Redraw(w);
}

LRESULT EditMessage(Window& w, EditState& s, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case EM_GETSEL:
      return GetSelection(s, wParam, lParam);
    case EM_SETSEL:
      SetSelection(w, s, wParam, lParam);
      return 0;
    case EM_REPLACESEL: {
      const auto* text = reinterpret_cast<LPCWSTR>(lParam);
      ReplaceSelection(w, s, text != nullptr ? std::u16string_view(text) : u"", false);
      return 0;
    }
    case EM_LIMITTEXT:
      s.limit = wParam == 0 ? kLargestLimit : std::min<WPARAM>(wParam, kLargestLimit);
      return 0;
    case EM_GETLIMITTEXT:
      return static_cast<LRESULT>(s.limit);
    case EM_SETPASSWORDCHAR:
      s.passwordChar = static_cast<char16_t>(wParam);
      SetStyleBit(w, ES_PASSWORD, s.passwordChar != 0);
      KeepCaretVisible(w, s);
      return 0;
    case EM_GETPASSWORDCHAR:
      return s.passwordChar;
    case EM_SETREADONLY:
      SetStyleBit(w, ES_READONLY, wParam != 0);
      return TRUE;
    default:
      return 0;
  }
}

void Focus(Window& w, bool gained) {
  EditState& s = StateOf<EditState>(w);
  if (!gained) MouseUp(w, s);
  Redraw(w);
  NotifyParent(w, gained ? EN_SETFOCUS : EN_KILLFOCUS);
}

LRESULT Handle(Window& w, EditState& s, UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND handle = w.Handle();
  switch (message) {
    case WM_CREATE:
      if (w.style & ES_PASSWORD) s.passwordChar = u'*';
      return 0;
    case WM_PAINT:
      PaintEdit(w, s);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint fills the box with the parent's brush
    case WM_CHAR:
      TypeCharacter(w, s, static_cast<char16_t>(wParam));
      return 0;
    case WM_KEYDOWN:
      KeyDown(w, s, wParam);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      MouseDown(w, s, lParam);
      return 0;
    case WM_MOUSEMOVE:
      MouseMove(w, s, lParam);
      return 0;
    case WM_LBUTTONUP:
      MouseUp(w, s);
      return 0;
    case WM_CAPTURECHANGED:
      s.selecting = false;
      return 0;
    case WM_SETFOCUS:
      Focus(w, true);
      return 0;
    case WM_KILLFOCUS:
      Focus(w, false);
      return 0;
    case WM_ENABLE:
      Redraw(w);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL;
    case WM_SETTEXT:
      return SetText(w, s, reinterpret_cast<LPCWSTR>(lParam));
    case WM_SETFONT:
      DefWindowProcW(handle, message, wParam, lParam);
      KeepCaretVisible(w, s);
      if (LOWORD(lParam) != 0) Redraw(w);
      return 0;
    case EM_GETSEL:
    case EM_SETSEL:
    case EM_REPLACESEL:
    case EM_LIMITTEXT:
    case EM_GETLIMITTEXT:
    case EM_SETPASSWORDCHAR:
    case EM_GETPASSWORDCHAR:
    case EM_SETREADONLY:
      return EditMessage(w, s, message, wParam, lParam);
    default:
      return DefWindowProcW(handle, message, wParam, lParam);
  }
}

}  // namespace

LRESULT CALLBACK EditProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* w = FromHandle(handle);
  if (w == nullptr) return 0;
  return Handle(*w, StateOf<EditState>(*w), message, wParam, lParam);
}

}  // namespace user
