// Activation of top-level windows and the keyboard focus.
#include "platform/user/menus.h"
#include "platform/user/state.h"

namespace user {

void FocusWindow(Window* window) {
  State& s = Now();
  Window* old = s.focus;
  if (old == window) return;
  if (window != nullptr) EndMenuUnlessOwnedBy(TopLevel(window));
  s.focus = window;
  if (window != nullptr) TopLevel(window)->lastFocus = window;
  if (old != nullptr && !old->destroyed) {
    SendMessageW(old->Handle(), WM_KILLFOCUS, reinterpret_cast<WPARAM>(window ? window->Handle() : nullptr), 0);
  }
  if (window != nullptr && s.focus == window && !window->destroyed) {
    SendMessageW(window->Handle(), WM_SETFOCUS, reinterpret_cast<WPARAM>(old ? old->Handle() : nullptr), 0);
  }
}

void Activate(Window* top, bool byMouse) {
  State& s = Now();
  if (top == nullptr || top->destroyed || top->IsChild()) return;
  s.hasKeyboard = true;
  if (top == s.active) return;
  EndMenuUnlessOwnedBy(top);
  Window* old = s.active;
  // The foreground changes first: a window told of its activation finds
  // itself in the foreground, one told of its deactivation does not.
  s.active = top;
  if (old != nullptr && !old->destroyed) {
    SendMessageW(old->Handle(), WM_NCACTIVATE, FALSE, 0);
    SendMessageW(old->Handle(), WM_ACTIVATE, MAKELONG(WA_INACTIVE, old->minimized ? 1 : 0),
                 reinterpret_cast<LPARAM>(top->Handle()));
  }
  if (s.active != top || top->destroyed) return;
  if (s.focus != nullptr && !IsDescendant(top, s.focus)) FocusWindow(nullptr);
  host::Current().Focus(top->hostWindow);
  SendMessageW(top->Handle(), WM_NCACTIVATE, TRUE, 0);
  SendMessageW(top->Handle(), WM_ACTIVATE,
               MAKELONG(byMouse ? WA_CLICKACTIVE : WA_ACTIVE, top->minimized ? 1 : 0),
               reinterpret_cast<LPARAM>(old != nullptr && !old->destroyed ? old->Handle() : nullptr));
}

void Deactivate(bool endMenu) {
  State& s = Now();
  Window* old = s.active;
  if (old == nullptr) return;
  if (endMenu) EndMenuUnlessOwnedBy(nullptr);
  s.active = nullptr;
  if (s.focus != nullptr) FocusWindow(nullptr);
  if (old->destroyed) return;
  SendMessageW(old->Handle(), WM_NCACTIVATE, FALSE, 0);
  SendMessageW(old->Handle(), WM_ACTIVATE, MAKELONG(WA_INACTIVE, old->minimized ? 1 : 0), 0);
}

void ForgetWindow(Window* w) {
  State& s = Now();
  if (s.active == w) s.active = nullptr;
  if (s.focus == w) s.focus = nullptr;
  if (s.capture == w) s.capture = nullptr;
  if (s.tracked == w) {
    s.tracked = nullptr;
    s.trackFlags = 0;
  }
  if (s.pointerWindow == w) s.pointerWindow = nullptr;
  if (s.pointerTopLevel == w) s.pointerTopLevel = nullptr;
  if (s.lastClickWindow == w) s.lastClickWindow = nullptr;
  for (Window* top : TopLevelWindows()) {
    if (top->lastFocus == w) top->lastFocus = nullptr;
  }
  std::erase_if(s.posted, [&](const QueuedMessage& q) { return q.msg.hwnd == w->Handle(); });
  std::erase_if(s.input, [&](const QueuedMessage& q) { return q.msg.hwnd == w->Handle(); });
}

}  // namespace user

using namespace user;

HWND GetFocus() {
  Window* f = Now().focus;
  return f != nullptr ? f->Handle() : nullptr;
}

HWND SetFocus(HWND handle) {
  State& s = Now();
  HWND old = GetFocus();
  if (handle == nullptr) {
    FocusWindow(nullptr);
    return old;
  }
  Window* w = FromHandle(handle);
  if (w == nullptr) return nullptr;
  Window* top = TopLevel(w);
  if (!top->Enabled() && top != s.active) return nullptr;
  if (top != s.active) Activate(top, false);
  if (FromHandle(handle) == nullptr) return old;
  FocusWindow(w);
  return old;
}

HWND GetActiveWindow() {
  Window* a = Now().active;
  return a != nullptr ? a->Handle() : nullptr;
}

HWND SetActiveWindow(HWND handle) {
  HWND old = GetActiveWindow();
  Window* w = FromHandle(handle);
  if (w == nullptr) return nullptr;
  Activate(TopLevel(w), false);
  return old;
}

HWND GetForegroundWindow() { return GetActiveWindow(); }

BOOL SetForegroundWindow(HWND handle) {
  Window* w = FromHandle(handle);
  if (w == nullptr) return FALSE;
  Activate(TopLevel(w), false);
  return TRUE;
}

HWND SetCapture(HWND handle) {
  State& s = Now();
  HWND old = s.capture != nullptr ? s.capture->Handle() : nullptr;
  Window* w = FromHandle(handle);
  if (w == nullptr) return nullptr;
  s.capture = w;
  if (old != nullptr && old != handle) {
    SendMessageW(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(handle));
  }
  return old;
}

BOOL ReleaseCapture() {
  State& s = Now();
  Window* old = s.capture;
  s.capture = nullptr;
  if (old != nullptr && !old->destroyed) SendMessageW(old->Handle(), WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

HWND GetCapture() {
  Window* c = Now().capture;
  return c != nullptr ? c->Handle() : nullptr;
}

BOOL GetCursorPos(LPPOINT point) {
  if (point == nullptr) return FALSE;
  *point = Now().pointer;
  return TRUE;
}
