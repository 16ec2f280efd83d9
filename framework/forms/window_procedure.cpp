#include "framework/forms/window_procedure.h"

#include "framework/controls/scroll_panel.h"
#include "framework/controls/timer.h"
#include "framework/elements/child.h"
#include "framework/elements/element_registry.h"
#include "framework/forms/form.h"
#include "framework/forms/reactions.h"

namespace VexaUtility {

Form* activeForm = nullptr;
PanelChildren* activePanel = nullptr;
PanelChildren* wheelPanel = nullptr;
bool mouseTracking = false;

void ForgetElement(const GUIElement* element) {
  if (activeForm == element) activeForm = nullptr;
  if (activePanel == element) activePanel = nullptr;
  if (wheelPanel == element) wheelPanel = nullptr;
}

namespace {

HCURSOR waitCursor = nullptr;
HCURSOR handCursor = nullptr;

void LoadCursors() {
  if (waitCursor == nullptr) waitCursor = LoadCursorW(nullptr, IDC_WAIT);
  if (handCursor == nullptr) handCursor = LoadCursorW(nullptr, IDC_HAND);
}

std::int32_t X(const Message& m) {
  return LowSigned(m.lParam);
}
std::int32_t Y(const Message& m) {
  return HighSigned(m.lParam);
}
std::int32_t Code(const Message& m) {
  return static_cast<std::int32_t>(m.wParam);
}

Reaction OnCreate(const Message& m) {
  if (auto* form = dynamic_cast<Form*>(m.element)) form->HandleCreate(m.window);
  return PassOn();
}

Reaction OnDestroy(const Message& m) {
  if (m.element != nullptr) {
    if (auto* form = dynamic_cast<Form*>(m.element)) form->UnregisterHotKeys();
    m.element->HandleDestroy();
  }
  if (m.window == mainWindow) PostQuitMessage(0);
  return PassOn();
}

Reaction OnMove(const Message& m) {
  m.element->HandleMove();
  return PassOn();
}

Reaction OnSize(const Message& m) {
  m.element->HandleSize();
  return PassOn();
}

Reaction OnShowWindow(const Message& m) {
  m.element->HandleShow();
  m.element->HandleSize();
  return PassOn();
}

Reaction OnSetFocus(const Message& m) {
  m.element->HandleGotFocus();
  return PassOn();
}

Reaction OnKillFocus(const Message& m) {
  m.element->HandleLostFocus();
  return PassOn();
}

Reaction OnPaint(const Message& m) {
  m.element->HandlePaint();
  return PassOn();
}

// A vetoed close keeps the window: default processing would destroy it.
Reaction OnClose(const Message& m) {
  return m.element->HandleClose() ? PassOn() : Answer(1);
}

Reaction OnSetCursor(const Message& m) {
  if (LOWORD(static_cast<UINT_PTR>(m.lParam)) != HTCLIENT) return PassOn();
  if (m.element->IsHandCursor()) {
    SetCursor(handCursor);
    return Answer(1);
  }
  if (m.element->IsWaitCursor()) {
    SetCursor(waitCursor);
    return Answer(1);
  }
  return PassOn();
}

Reaction OnKeyDown(const Message& m) {
  if (m.wParam == VK_TAB) ReactTab(m);
  if (IsRegistered(m.element)) m.element->HandleKeyDown(Code(m));
  return PassOn();
}

Reaction OnKeyUp(const Message& m) {
  m.element->HandleKeyUp(Code(m));
  return PassOn();
}

// A character that onChar swallows never reaches the control's own procedure.
Reaction OnChar(const Message& m) {
  const bool goesOn = m.element->HandleChar(Code(m));
  if (!IsRegistered(m.element)) return goesOn ? PassOn() : Answer(1);
  auto* child = dynamic_cast<Child*>(m.element);
  if (child != nullptr && child->parent != nullptr && child->parent->forwardChars) {
    child->parent->HandleChar(Code(m));
  }
  return goesOn ? PassOn() : Answer(1);
}

Reaction OnTimer(const Message& m) {
  auto* timer = dynamic_cast<Timer*>(FindById(Code(m)));
  if (timer != nullptr && timer->onTick != nullptr) timer->onTick(timer);
  return PassOn();
}

Reaction OnCtlColor(const Message& m) {
  HBRUSH brush = m.element->HandleCtlColor(reinterpret_cast<HDC>(m.wParam));
  return brush != nullptr ? Answer(reinterpret_cast<LRESULT>(brush)) : PassOn();
}

Reaction OnMouseMove(const Message& m) {
  m.element->HandleMouseMove(X(m), Y(m));
  if (!mouseTracking) {
    TRACKMOUSEEVENT request{sizeof(TRACKMOUSEEVENT), TME_HOVER | TME_LEAVE, m.window,
                            HOVER_DEFAULT};
    mouseTracking = TrackMouseEvent(&request) != FALSE;
  }
  return PassOn();
}

Reaction OnLButtonDown(const Message& m) {
  m.element->HandleLButtonDown(X(m), Y(m));
  wheelPanel = IsRegistered(m.element) ? dynamic_cast<PanelChildren*>(m.element) : nullptr;
  return PassOn();
}

Reaction OnLButtonUp(const Message& m) {
  m.element->HandleLButtonUp(X(m), Y(m));
  return PassOn();
}

Reaction OnLButtonDblClk(const Message& m) {
  m.element->HandleLButtonDblClk(X(m), Y(m));
  return PassOn();
}

Reaction OnRButtonDown(const Message& m) {
  m.element->HandleRButtonDown(X(m), Y(m));
  return PassOn();
}

Reaction OnRButtonUp(const Message& m) {
  m.element->HandleRButtonUp(X(m), Y(m));
  return PassOn();
}

Reaction OnRButtonDblClk(const Message& m) {
  m.element->HandleRButtonDblClk(X(m), Y(m));
  return PassOn();
}

Reaction OnMouseHover(const Message& m) {
  m.element->HandleMouseHover();
  return PassOn();
}

Reaction OnMouseLeave(const Message& m) {
  mouseTracking = false;
  if (m.element != nullptr) m.element->HandleMouseLeave();
  return PassOn();
}

struct Row {
  UINT message;
  Reaction (*react)(const Message&);
  bool withoutElement;  // the row acts even when no element claims the window
};

constexpr Row kRows[] = {
    {WM_CREATE, OnCreate, false},
    {WM_DESTROY, OnDestroy, true},
    {WM_MOVE, OnMove, false},
    {WM_SIZE, OnSize, false},
    {WM_SHOWWINDOW, OnShowWindow, false},
    {WM_ACTIVATE, ReactActivate, false},
    {WM_SETFOCUS, OnSetFocus, false},
    {WM_KILLFOCUS, OnKillFocus, false},
    {WM_PAINT, OnPaint, false},
    {WM_CLOSE, OnClose, false},
    {WM_SETCURSOR, OnSetCursor, false},
    {WM_DRAWITEM, ReactDrawItem, false},
    {WM_NOTIFY, ReactNotify, false},
    {WM_KEYDOWN, OnKeyDown, false},
    {WM_KEYUP, OnKeyUp, false},
    {WM_CHAR, OnChar, false},
    {WM_COMMAND, ReactCommand, false},
    {WM_TIMER, OnTimer, false},
    {WM_HSCROLL, ReactScroll, false},
    {WM_VSCROLL, ReactScroll, false},
    {WM_MOUSEWHEEL, ReactWheel, false},
    {WM_CTLCOLOREDIT, OnCtlColor, false},
    {WM_CTLCOLORBTN, OnCtlColor, false},
    {WM_CTLCOLORSTATIC, OnCtlColor, false},
    {WM_MOUSEMOVE, OnMouseMove, false},
    {WM_LBUTTONDOWN, OnLButtonDown, false},
    {WM_LBUTTONUP, OnLButtonUp, false},
    {WM_LBUTTONDBLCLK, OnLButtonDblClk, false},
    {WM_RBUTTONDOWN, OnRButtonDown, false},
    {WM_RBUTTONUP, OnRButtonUp, false},
    {WM_RBUTTONDBLCLK, OnRButtonDblClk, false},
    {WM_MOUSEHOVER, OnMouseHover, false},
    {WM_MOUSELEAVE, OnMouseLeave, true},
    {WM_HOTKEY, ReactHotKey, false},
};

const Row* RowFor(UINT message) {
  for (const Row& row : kRows) {
    if (row.message == message) return &row;
  }
  return nullptr;
}

}  // namespace

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  GUIElement* element = FindByWindow(window);
  LoadCursors();
  // Taken now: a reaction may delete the element, never the control's own procedure.
  const WNDPROC previous = element != nullptr ? element->previousWndProc : nullptr;
  if (const Row* row = RowFor(message);
      row != nullptr && (element != nullptr || row->withoutElement)) {
    const Reaction reaction = row->react(Message{window, message, wParam, lParam, element});
    if (reaction.answered) return reaction.result;
  }
  if (previous != nullptr) return CallWindowProcW(previous, window, message, wParam, lParam);
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace VexaUtility
