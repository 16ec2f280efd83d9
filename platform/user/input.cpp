// What the host reports, turned into messages: keys, typed text, the mouse,
// focus, and the fate of host windows.
#include <cstdlib>

#include "platform/user/menus.h"
#include "platform/user/state.h"

namespace user {
namespace {

constexpr std::uint64_t kDoubleClickMs = 500;

int GenericKey(int key) {
  switch (key) {
    case VK_LSHIFT:
    case VK_RSHIFT: return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL: return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU: return VK_MENU;
    default: return key;
  }
}

bool IsExtended(int key) {
  switch (key) {
    case VK_RCONTROL: case VK_RMENU: case VK_INSERT: case VK_DELETE: case VK_HOME:
    case VK_END: case VK_PRIOR: case VK_NEXT: case VK_LEFT: case VK_RIGHT: case VK_UP:
    case VK_DOWN: case VK_DIVIDE: case VK_NUMLOCK:
      return true;
    default:
      return false;
  }
}

bool Held(int key) { return (GetAsyncKeyState(key) & 0x8000) != 0; }

Window* KeyboardTarget() {
  State& s = Now();
  if (s.focus != nullptr && !s.focus->destroyed) return s.focus;
  return s.active;
}

void OnKey(const host::Event& e, bool down) {
  const int key = static_cast<int>(e.virtualKey & 0xFF);
  const bool wasDown = Held(key);
  SetAsyncKey(key, down);
  if (down && GenericKey(key) == VK_MENU) {
    if (!e.repeat) Now().altAlone = true;
  } else if (down) {
    Now().altAlone = false;
  }
  // A menu the user is in takes every key.
  if (MenuActive()) {
    if (down) Now().swallowText = MenuKey(key);
    return;
  }
  Now().swallowText = false;
  if (down && TryHotKey(GenericKey(key), e.repeat)) return;
  Window* target = KeyboardTarget();
  if (target == nullptr) return;
  const bool alt = Held(VK_MENU);
  const bool control = Held(VK_CONTROL);
  // Alt combinations and F10 belong to the menu bar: system keys.
  const bool system = (alt && !control) || GenericKey(key) == VK_MENU || key == VK_F10;
  UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
  if (!down && GenericKey(key) == VK_MENU && !control) message = WM_SYSKEYUP;
  LPARAM lParam = 1 | (static_cast<LPARAM>(e.scanCode & 0xFF) << 16);
  if (IsExtended(key)) lParam |= 1 << 24;
  if (alt) lParam |= 1 << 29;
  if (down ? wasDown : true) lParam |= 1 << 30;
  if (!down) lParam |= static_cast<LPARAM>(1u << 31);
  PostInput(target->Handle(), message, static_cast<WPARAM>(GenericKey(key)), lParam, key);
}

void OnText(const host::Event& e) {
  State& s = Now();
  if (s.swallowText || MenuActive()) {
    s.swallowText = false;
    return;
  }
  // Typed text belongs to the key press that made it, if that is still
  // waiting; otherwise it comes as characters of its own.
  if (!s.input.empty()) {
    QueuedMessage& last = s.input.back();
    if ((last.msg.message == WM_KEYDOWN || last.msg.message == WM_SYSKEYDOWN) &&
        last.characters.empty()) {
      last.characters = e.text;
      return;
    }
  }
  Window* target = KeyboardTarget();
  if (target == nullptr) return;
  for (char16_t c : e.text) PostInput(target->Handle(), WM_CHAR, c, 1, 0);
}

WPARAM MouseKeys() {
  WPARAM keys = 0;
  if (Held(VK_LBUTTON)) keys |= MK_LBUTTON;
  if (Held(VK_RBUTTON)) keys |= MK_RBUTTON;
  if (Held(VK_MBUTTON)) keys |= MK_MBUTTON;
  if (Held(VK_SHIFT)) keys |= MK_SHIFT;
  if (Held(VK_CONTROL)) keys |= MK_CONTROL;
  return keys;
}

LPARAM PointParam(POINT p) {
  return MAKELONG(static_cast<WORD>(static_cast<SHORT>(p.x)), static_cast<WORD>(static_cast<SHORT>(p.y)));
}

POINT ToClient(Window* w, POINT screen) {
  const POINT origin = ClientOriginOnScreen(*w);
  return POINT{screen.x - origin.x, screen.y - origin.y};
}

UINT ButtonMessage(int button, bool down, bool doubleClick) {
  switch (button) {
    case 1: return down ? (doubleClick ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN) : WM_LBUTTONUP;
    case 3: return down ? (doubleClick ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN) : WM_RBUTTONUP;
    default: return down ? (doubleClick ? WM_MBUTTONDBLCLK : WM_MBUTTONDOWN) : WM_MBUTTONUP;
  }
}

int ButtonKey(int button) { return button == 1 ? VK_LBUTTON : (button == 3 ? VK_RBUTTON : VK_MBUTTON); }

void LeaveTracked() {
  State& s = Now();
  if (s.tracked == nullptr) return;
  Window* tracked = s.tracked;
  const DWORD flags = s.trackFlags;
  s.tracked = nullptr;
  s.trackFlags = 0;
  if (flags & TME_LEAVE) PostMessageW(tracked->Handle(), WM_MOUSELEAVE, 0, 0);
}

// Where the pointer is, and which window is under it.
Window* LocatePointer(Window* top, int x, int y, bool& inMenuBar) {
  State& s = Now();
  const POINT frameOrigin = FrameOriginOnScreen(*top);
  s.pointer = POINT{frameOrigin.x + x, frameOrigin.y + y};
  s.pointerTopLevel = top;
  inMenuBar = y < top->menuBarHeight;
  if (s.capture != nullptr) return s.capture;
  if (inMenuBar) return top;
  return ChildAt(top, POINT{x, y - top->menuBarHeight});
}

void OnMouse(const host::Event& e, Window* top) {
  State& s = Now();
  bool inMenuBar = false;
  Window* target = LocatePointer(top, e.x, e.y, inMenuBar);
  if (target == nullptr) return;
  const bool down = e.type == host::EventType::MouseDown;
  const bool up = e.type == host::EventType::MouseUp;
  if (down || up) SetAsyncKey(ButtonKey(e.button), down);
  if (down) s.altAlone = false;
  if (!TopLevel(target)->Enabled() && s.capture == nullptr) return;
  if (inMenuBar && s.capture == nullptr) {
    if (down) HandleMenuBarClick(top, POINT{e.x, e.y});
    return;
  }
  if (down && MenuMouseDown(TopLevel(target))) return;
  if (s.pointerWindow != target) {
    s.pointerWindow = target;
    if (s.tracked != nullptr && s.tracked != target) LeaveTracked();
  }
  const POINT client = ToClient(target, s.pointer);
  if (e.type == host::EventType::MouseMove) {
    if (s.tracked == target &&
        (std::abs(s.pointer.x - s.hoverAnchor.x) > 2 || std::abs(s.pointer.y - s.hoverAnchor.y) > 2)) {
      s.hoverAnchor = s.pointer;
      s.hoverSince = Clock();
    }
  }
  SendMessageW(target->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(target->Handle()),
               MAKELONG(HTCLIENT, static_cast<WORD>(e.type == host::EventType::MouseMove
                                                        ? WM_MOUSEMOVE
                                                        : ButtonMessage(e.button, down, false))));
  if (FromHandle(target->Handle()) == nullptr) return;
  switch (e.type) {
    case host::EventType::MouseMove:
      PostInput(target->Handle(), WM_MOUSEMOVE, MouseKeys(), PointParam(client), 0);
      return;
    case host::EventType::MouseDown:
    case host::EventType::MouseUp: {
      if (down && Now().active != TopLevel(target) && !TopLevel(target)->windowClass->neverActive) {
        Activate(TopLevel(target), true);
      }
      bool doubleClick = false;
      if (down) {
        const std::uint64_t now = Clock();
        doubleClick = (target->windowClass->info.style & CS_DBLCLKS) &&
                      s.lastClickWindow == target && s.lastClickButton == e.button &&
                      now - s.lastClickTime <= kDoubleClickMs &&
                      std::abs(s.pointer.x - s.lastClickPoint.x) <= GetSystemMetrics(SM_CXDOUBLECLK) &&
                      std::abs(s.pointer.y - s.lastClickPoint.y) <= GetSystemMetrics(SM_CYDOUBLECLK);
        s.lastClickTime = doubleClick ? 0 : now;
        s.lastClickWindow = target;
        s.lastClickButton = e.button;
        s.lastClickPoint = s.pointer;
      }
      PostInput(target->Handle(), ButtonMessage(e.button, down, doubleClick), MouseKeys(),
                PointParam(client), ButtonKey(e.button));
      return;
    }
    case host::EventType::MouseWheel: {
      Window* focus = s.focus != nullptr ? s.focus : target;
      const WPARAM wParam = (static_cast<WPARAM>(static_cast<WORD>(e.wheel * WHEEL_DELTA)) << 16) |
                            MouseKeys();
      PostInput(focus->Handle(), WM_MOUSEWHEEL, wParam, PointParam(s.pointer), 0);
      return;
    }
    default: return;
  }
}

void OnFocusGained(Window* top) {
  State& s = Now();
  s.hasKeyboard = true;
  if (top->windowClass->neverActive) top = top->owner != nullptr ? top->owner : top;
  if (!top->Enabled()) {
    // A disabled window sends the keyboard on to the window that disabled it:
    // an enabled window it owns, such as a message box, else the newest
    // enabled window, such as a box in front of every window of the program.
    Window* modal = nullptr;
    for (Window* w : TopLevelWindows()) {
      if (!w->visible || w->minimized || !w->Enabled() || w->destroyed) continue;
      if (w->owner == top) {
        modal = w;
        break;
      }
      modal = w;
    }
    if (modal != nullptr) Activate(modal, false);
    return;
  }
  Activate(top, false);
}

void OnFocusLost(Window* top) {
  State& s = Now();
  if (s.active != top) return;
  s.hasKeyboard = false;
  // A desktop without a window manager hands the keyboard to every window it
  // shows, the drop-down too, before the keyboard comes back: while the
  // menu's drop-down is showing, its window losing the keyboard does not
  // end the menu. A menu bar merely lit ends here.
  const MenuMode& menu = CurrentMenu();
  Deactivate(!(MenuActive() && menu.owner == top && menu.dropDown != nullptr));
}

void OnMoved(Window* top, int x, int y) {
  const RECT old = top->rect;
  const Insets in = FrameInsets(*top);
  const int left = x - in.left;
  const int topEdge = y - (in.top - top->menuBarHeight);
  top->rect = Offset(old, left - old.left, topEdge - old.top);
  const POINT client = ClientOriginOnScreen(*top);
  SendMessageW(top->Handle(), WM_MOVE, 0,
               MAKELONG(static_cast<WORD>(client.x), static_cast<WORD>(client.y)));
}

void OnResized(Window* top, int width, int height) {
  const Insets in = FrameInsets(*top);
  top->rect.right = top->rect.left + width + in.left + in.right;
  top->rect.bottom = top->rect.top + height - top->menuBarHeight + in.top + in.bottom;
  const SIZE size = FrameBufferSize(*top);
  if (top->frame != nullptr) gdi::ResizeFrameBuffer(top->frame, size.cx, size.cy);
  const RECT client = ClientRect(*top);
  SendMessageW(top->Handle(), WM_SIZE, SIZE_RESTORED,
               MAKELONG(static_cast<WORD>(client.right), static_cast<WORD>(client.bottom)));
  InvalidateWhole(top, true);
}

}  // namespace

void HandleHostEvent(const host::Event& e) {
  using host::EventType;
  if (e.type == EventType::Quit) {
    PostQuitMessage(0);
    return;
  }
  if (e.type == EventType::KeyDown || e.type == EventType::KeyUp) {
    OnKey(e, e.type == EventType::KeyDown);
    return;
  }
  if (e.type == EventType::Text) {
    OnText(e);
    return;
  }
  Window* top = FindByHostWindow(e.window);
  if (top == nullptr) return;
  switch (e.type) {
    case EventType::Close:
      if (top->Enabled()) PostMessageW(top->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
    case EventType::MouseMove:
    case EventType::MouseDown:
    case EventType::MouseUp:
    case EventType::MouseWheel:
      OnMouse(e, top);
      break;
    case EventType::MouseLeave:
      if (Now().capture == nullptr) LeaveTracked();
      Now().pointerWindow = nullptr;
      break;
    case EventType::FocusGained: OnFocusGained(top); break;
    case EventType::FocusLost: OnFocusLost(top); break;
    case EventType::Exposed: InvalidateWhole(top, true); break;
    case EventType::Minimized:
      if (!top->minimized) {
        top->minimized = true;
        SendMessageW(top->Handle(), WM_SIZE, SIZE_MINIMIZED, 0);
      }
      break;
    case EventType::Restored:
      if (top->minimized) {
        top->minimized = false;
        const RECT client = ClientRect(*top);
        SendMessageW(top->Handle(), WM_SIZE, SIZE_RESTORED,
                     MAKELONG(static_cast<WORD>(client.right), static_cast<WORD>(client.bottom)));
      }
      InvalidateWhole(top, true);
      break;
    case EventType::Moved: OnMoved(top, e.x, e.y); break;
    case EventType::Resized: OnResized(top, e.width, e.height); break;
    default: break;
  }
}

void PumpHost(int timeoutMs) {
  host::Host& h = host::Current();
  host::Event e;
  if (!h.WaitEvent(e, timeoutMs)) return;
  HandleHostEvent(e);
  while (h.WaitEvent(e, 0)) HandleHostEvent(e);
}

void RouteQueuedInput(QueuedMessage& queued) {
  MSG& msg = queued.msg;
  State& s = Now();
  if (msg.message >= WM_MOUSEMOVE && msg.message <= WM_MBUTTONDBLCLK) {
    Window* capture = s.capture;
    if (capture == nullptr || capture->destroyed || msg.hwnd == capture->Handle()) return;
    msg.hwnd = capture->Handle();
    msg.lParam = PointParam(ToClient(capture, msg.pt));
    return;
  }
  const bool keyboard = msg.message == WM_KEYDOWN || msg.message == WM_KEYUP ||
                        msg.message == WM_SYSKEYDOWN || msg.message == WM_SYSKEYUP ||
                        msg.message == WM_CHAR;
  Window* target = keyboard ? KeyboardTarget() : nullptr;
  if (target != nullptr) msg.hwnd = target->Handle();
}

void CheckHover() {
  State& s = Now();
  if (s.tracked == nullptr || !(s.trackFlags & TME_HOVER) || !s.hoverArmed) return;
  if (Clock() < s.hoverSince + s.hoverTime) return;
  s.trackFlags &= ~TME_HOVER;
  s.hoverArmed = false;
  PostMessageW(s.tracked->Handle(), WM_MOUSEHOVER, MouseKeys(),
               PointParam(ToClient(s.tracked, s.pointer)));
  if (s.trackFlags == 0) s.tracked = nullptr;
}

}  // namespace user

using namespace user;

BOOL TrackMouseEvent(TRACKMOUSEEVENT* request) {
  if (request == nullptr || request->cbSize < sizeof(TRACKMOUSEEVENT)) return FALSE;
  State& s = Now();
  Window* w = FromHandle(request->hwndTrack);
  if (w == nullptr) return FALSE;
  if (request->dwFlags & TME_CANCEL) {
    if (s.tracked == w) s.trackFlags &= ~(request->dwFlags & (TME_HOVER | TME_LEAVE));
    if (s.trackFlags == 0) s.tracked = nullptr;
    return TRUE;
  }
  // Tracking a window the pointer is not over ends at once.
  if (s.pointerWindow != w) {
    if (request->dwFlags & TME_LEAVE) PostMessageW(w->Handle(), WM_MOUSELEAVE, 0, 0);
    return TRUE;
  }
  s.tracked = w;
  s.trackFlags |= request->dwFlags & (TME_HOVER | TME_LEAVE);
  if (request->dwFlags & TME_HOVER) {
    s.hoverTime = request->dwHoverTime == HOVER_DEFAULT ? 400 : request->dwHoverTime;
    s.hoverSince = Clock();
    s.hoverArmed = true;
    s.hoverAnchor = s.pointer;
  }
  return TRUE;
}
