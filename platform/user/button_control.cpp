// The "Button" control: push buttons, check boxes, radio buttons, group boxes
// and buttons drawn by their owner. A click is the left button pressed and
// released over it, or Space pressed and released while it has the focus;
// either tells the parent with BN_CLICKED.
#include "platform/user/button.h"
#include "platform/user/state.h"

namespace user {
namespace {

struct KindEntry {
  DWORD type;
  ButtonKind kind;
  LRESULT dialogCode;
};

// Types not listed are push buttons.
constexpr KindEntry kKinds[] = {
    {BS_PUSHBUTTON, ButtonKind::Push, DLGC_UNDEFPUSHBUTTON | DLGC_BUTTON},
    {BS_DEFPUSHBUTTON, ButtonKind::Push, DLGC_DEFPUSHBUTTON | DLGC_BUTTON},
    {BS_CHECKBOX, ButtonKind::Check, DLGC_BUTTON},
    {BS_AUTOCHECKBOX, ButtonKind::Check, DLGC_BUTTON},
    {BS_3STATE, ButtonKind::Check, DLGC_BUTTON},
    {BS_AUTO3STATE, ButtonKind::Check, DLGC_BUTTON},
    {BS_RADIOBUTTON, ButtonKind::Radio, DLGC_RADIOBUTTON | DLGC_BUTTON},
    {BS_AUTORADIOBUTTON, ButtonKind::Radio, DLGC_RADIOBUTTON | DLGC_BUTTON},
    {BS_GROUPBOX, ButtonKind::Group, DLGC_STATIC},
    {BS_OWNERDRAW, ButtonKind::Owner, DLGC_BUTTON},
};

const KindEntry& EntryOf(const Window& w) {
  for (const KindEntry& e : kKinds) {
    if (e.type == (w.style & BS_TYPEMASK)) return e;
  }
  return kKinds[0];
}

void Redraw(Window& w, ButtonState& s, UINT action) {
  s.pendingAction |= action;
  InvalidateRect(w.Handle(), nullptr, FALSE);
}

void SetPushed(Window& w, ButtonState& s, bool pushed) {
  if (s.pushed == pushed) return;
  s.pushed = pushed;
  Redraw(w, s, ODA_SELECT);
}

void SetCheck(Window& w, ButtonState& s, UINT check) {
  const ButtonKind kind = KindOf(w);
  if (kind != ButtonKind::Check && kind != ButtonKind::Radio) return;
  const DWORD type = w.style & BS_TYPEMASK;
  if (type != BS_3STATE && type != BS_AUTO3STATE) {
    check = check == BST_UNCHECKED ? BST_UNCHECKED : BST_CHECKED;  // two states only
  }
  if (check > BST_INDETERMINATE || s.check == check) return;
  s.check = check;
  Redraw(w, s, ODA_DRAWENTIRE);
}

// An automatic radio button checked by a click unchecks the others of its
// group: the siblings from the last WS_GROUP before it to the next one.
void CheckInGroup(Window& w) {
  if (w.parent == nullptr) return;
  const std::vector<Window*> siblings = w.parent->children;
  std::size_t at = 0;
  while (at < siblings.size() && siblings[at] != &w) ++at;
  std::size_t first = at;
  while (first > 0 && !(siblings[first]->style & WS_GROUP)) --first;
  for (std::size_t i = first; i < siblings.size(); ++i) {
    Window* other = siblings[i];
    if (i > at && (other->style & WS_GROUP)) break;
    if (other == &w || other->destroyed || other->windowClass != w.windowClass) continue;
    if ((other->style & BS_TYPEMASK) == BS_AUTORADIOBUTTON) {
      SendMessageW(other->Handle(), BM_SETCHECK, BST_UNCHECKED, 0);
    }
  }
  SendMessageW(w.Handle(), BM_SETCHECK, BST_CHECKED, 0);
}

void Clicked(Window& w, ButtonState& s) {
  switch (w.style & BS_TYPEMASK) {
    case BS_AUTOCHECKBOX:
      SetCheck(w, s, s.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
      break;
    case BS_AUTO3STATE:
      SetCheck(w, s, (s.check + 1) % 3);
      break;
    case BS_AUTORADIOBUTTON:
      CheckInGroup(w);
      break;
    default:
      break;
  }
  NotifyParent(w, BN_CLICKED);
}

bool Clickable(const Window& w) {
  return w.Enabled() && KindOf(w) != ButtonKind::Group;
}

POINT PointOf(LPARAM lParam) {
  return POINT{static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))};
}

bool Inside(const Window& w, LPARAM lParam) {
  const RECT client = ClientRect(w);
  return PtInRect(&client, PointOf(lParam)) != FALSE;
}

void MouseDown(Window& w, ButtonState& s) {
  if (!Clickable(w)) return;
  const HWND handle = w.Handle();
  if (!HasFocus(w)) SetFocus(handle);
  if (FromHandle(handle) == nullptr) return;
  SetCapture(handle);
  s.tracking = true;
  SetPushed(w, s, true);
}

void MouseMove(Window& w, ButtonState& s, LPARAM lParam) {
  if (s.tracking) SetPushed(w, s, Inside(w, lParam));
}

void MouseUp(Window& w, ButtonState& s, LPARAM lParam) {
  if (!s.tracking) return;
  s.tracking = false;
  const bool inside = Inside(w, lParam);
  SetPushed(w, s, false);
  ReleaseCapture();
  if (inside && FromHandle(w.Handle()) != nullptr) Clicked(w, s);
}

void SpaceDown(Window& w, ButtonState& s) {
  if (!Clickable(w) || s.tracking || s.spaceDown) return;
  s.spaceDown = true;
  SetPushed(w, s, true);
}

void SpaceUp(Window& w, ButtonState& s) {
  if (!s.spaceDown) return;
  s.spaceDown = false;
  SetPushed(w, s, false);
  if (Clickable(w)) Clicked(w, s);
}

// Losing the focus or being disabled ends a press without a click.
void CancelPress(Window& w, ButtonState& s) {
  s.spaceDown = false;
  if (s.tracking) {
    s.tracking = false;
    if (Now().capture == &w) ReleaseCapture();
  }
  SetPushed(w, s, false);
}

LRESULT State(const Window& w, const ButtonState& s) {
  return static_cast<LRESULT>(s.check | (s.pushed || s.highlighted ? BST_PUSHED : 0) |
                              (HasFocus(w) ? BST_FOCUS : 0));
}

void SetStyle(Window& w, ButtonState& s, WPARAM style, LPARAM redraw) {
  w.style = (w.style & 0xFFFF0000u) | static_cast<DWORD>(style & 0xFFFF);
  if (redraw) Redraw(w, s, ODA_DRAWENTIRE);
}

LRESULT Command(Window& w, ButtonState& s, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case BM_GETCHECK:
      return static_cast<LRESULT>(s.check);
    case BM_SETCHECK:
      SetCheck(w, s, static_cast<UINT>(wParam));
      return 0;
    case BM_GETSTATE:
      return State(w, s);
    case BM_SETSTATE:
      if (s.highlighted != (wParam != 0)) {
        s.highlighted = wParam != 0;
        Redraw(w, s, ODA_SELECT);
      }
      return 0;
    case BM_SETSTYLE:
      SetStyle(w, s, wParam, lParam);
      return 0;
    case BM_CLICK:
      if (Clickable(w)) Clicked(w, s);
      return 0;
    default:
      return 0;
  }
}

LRESULT Handle(Window& w, ButtonState& s, UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND handle = w.Handle();
  switch (message) {
    case WM_PAINT:
      PaintButton(w, s);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint covers the whole button
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      MouseDown(w, s);
      return 0;
    case WM_MOUSEMOVE:
      MouseMove(w, s, lParam);
      return 0;
    case WM_LBUTTONUP:
      MouseUp(w, s, lParam);
      return 0;
    case WM_CAPTURECHANGED:
      if (s.tracking) CancelPress(w, s);
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_SPACE) SpaceDown(w, s);
      return 0;
    case WM_KEYUP:
      if (wParam == VK_SPACE) SpaceUp(w, s);
      return 0;
    case WM_CHAR:
      return 0;
    case WM_SETFOCUS:
      Redraw(w, s, ODA_FOCUS);
      return 0;
    case WM_KILLFOCUS:
      CancelPress(w, s);
      Redraw(w, s, ODA_FOCUS);
      return 0;
    case WM_ENABLE:
      if (!wParam) CancelPress(w, s);
      Redraw(w, s, ODA_DRAWENTIRE);
      return 0;
    case WM_GETDLGCODE:
      return EntryOf(w).dialogCode;
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcW(handle, message, wParam, lParam);
      Redraw(w, s, ODA_DRAWENTIRE);
      return result;
    }
    case WM_SETFONT:
      DefWindowProcW(handle, message, wParam, lParam);
      if (LOWORD(lParam) != 0) Redraw(w, s, ODA_DRAWENTIRE);
      return 0;
    case BM_GETCHECK:
    case BM_SETCHECK:
    case BM_GETSTATE:
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case BM_CLICK:
      return Command(w, s, message, wParam, lParam);
    default:
      return DefWindowProcW(handle, message, wParam, lParam);
  }
}

}  // namespace

ButtonKind KindOf(const Window& w) {
  return EntryOf(w).kind;
}

bool IsDefaultPush(const Window& w) {
  return (w.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

bool HasFocus(const Window& w) {
  return Now().focus == &w;
}

LRESULT CALLBACK ButtonProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* w = FromHandle(handle);
  if (w == nullptr) return 0;
  return Handle(*w, StateOf<ButtonState>(*w), message, wParam, lParam);
}

}  // namespace user
