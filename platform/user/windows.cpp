// Creating, destroying, showing, placing and describing windows.
#include <algorithm>
#include <utility>

#include "platform/api/kernel.h"
#include "platform/crt/utf.h"
#include "platform/user/classes.h"
#include "platform/user/menus.h"
#include "platform/user/state.h"

namespace user {
namespace {

host::WindowTraits TraitsOf(const Window& w) {
  host::WindowTraits traits;
  traits.caption = (w.style & WS_CAPTION) == WS_CAPTION || (w.style & WS_POPUP) == 0;
  traits.resizable = (w.style & WS_THICKFRAME) != 0;
  traits.minimizeButton = (w.style & WS_MINIMIZEBOX) != 0;
  traits.maximizeButton = (w.style & WS_MAXIMIZEBOX) != 0;
  traits.utility = (w.exStyle & WS_EX_TOOLWINDOW) != 0;
  traits.topmost = (w.exStyle & WS_EX_TOPMOST) != 0;
  traits.popup = !traits.caption;
  traits.menu = w.windowClass != nullptr && w.windowClass->neverActive;
  return traits;
}

// Where a window without a position of its own goes: a little further down
// and right for each, as a desktop cascades new windows.
POINT DefaultPosition() {
  static int next = 0;
  const int step = 26 * (next++ % 8);
  return POINT{60 + step, 60 + step};
}

void MakeHostWindow(Window& w) {
  const SIZE size = FrameBufferSize(w);
  w.frame = gdi::NewFrameBuffer(size.cx, size.cy);
  w.frame->listener = &w.changes;
  host::WindowOptions options;
  options.titleUtf8 = crt::Utf8FromUtf16(w.text);
  options.bounds = HostBounds(w);
  options.traits = TraitsOf(w);
  w.hostWindow = host::Current().CreateWindow(options);
  // Until the program sends one of its own, a window shows its class's icon.
  if (w.windowClass != nullptr && w.windowClass->info.hIcon != nullptr) {
    ShowIcon(w, w.windowClass->info.hIcon);
  }
}

void SendSizeAndMove(Window& w) {
  const RECT client = ClientRect(w);
  SendMessageW(w.Handle(), WM_SIZE, w.minimized ? SIZE_MINIMIZED : SIZE_RESTORED,
               MAKELONG(static_cast<WORD>(client.right), static_cast<WORD>(client.bottom)));
  POINT origin = ClientOriginOnScreen(w);
  if (w.IsChild() && w.parent != nullptr) {
    const POINT parentOrigin = ClientOriginOnScreen(*w.parent);
    origin = POINT{origin.x - parentOrigin.x, origin.y - parentOrigin.y};
  }
  SendMessageW(w.Handle(), WM_MOVE, 0,
               MAKELONG(static_cast<WORD>(origin.x), static_cast<WORD>(origin.y)));
}

// A change of place or size: the frame buffer and the host window follow,
// and what was uncovered is painted again.
void Reshape(Window& w, const RECT& rect) {
  const bool moved = rect.left != w.rect.left || rect.top != w.rect.top;
  const bool resized = rect.right - rect.left != w.rect.right - w.rect.left ||
                       rect.bottom - rect.top != w.rect.bottom - w.rect.top;
  if (!moved && !resized) return;
  if (w.IsChild() && w.parent != nullptr) InvalidateWhole(w.parent, true);
  w.rect = rect;
  if (!w.IsChild()) {
    const SIZE size = FrameBufferSize(w);
    if (resized && w.frame != nullptr) gdi::ResizeFrameBuffer(w.frame, size.cx, size.cy);
    host::Current().SetBounds(w.hostWindow, HostBounds(w));
  }
  InvalidateWhole(&w, true);
  SendSizeAndMove(w);
}

void DestroyTree(Window* w) {
  SendMessageW(w->Handle(), WM_DESTROY, 0, 0);
  const std::vector<Window*> children = w->children;
  for (Window* child : children) {
    if (!child->destroyed && FromHandle(child->Handle()) != nullptr) DestroyTree(child);
  }
}

void FinishTree(Window* w) {
  const std::vector<Window*> children = w->children;
  for (Window* child : children) FinishTree(child);
  SendMessageW(w->Handle(), WM_NCDESTROY, 0, 0);
  w->destroyed = true;
  KillWindowTimers(w);
  UnregisterWindowHotKeys(w);
  ForgetWindow(w);
  if (w->hostWindow != 0) host::Current().DestroyWindow(w->hostWindow);
  if (w->frame != nullptr) gdi::Destroy(w->frame);
  w->frame = nullptr;
  // A window's menu goes with it.
  if (HMENU menu = std::exchange(w->menu, nullptr); menu != nullptr && IsMenu(menu)) {
    DestroyMenu(menu);
  }
  if (w->parent != nullptr) std::erase(w->parent->children, w);
  Bury(w);
}

}  // namespace

// The host shows one picture per window; the biggest image of the icon that
// still fits 48 pixels is the one a desktop shows best.
void ShowIcon(Window& w, HICON icon) {
  gdi::Icon* i = gdi::LookupIcon(icon);
  if (i == nullptr || i->images.empty() || w.IsChild()) return;
  const gdi::IconImage* best = &i->images.front();
  for (const gdi::IconImage& image : i->images) {
    if (image.width <= 48 && image.width > best->width) best = &image;
  }
  host::Current().SetIcon(w.hostWindow, host::PixelView{best->argb.data(), best->width,
                                                        best->height, best->width});
}

Window* FindByHostWindow(host::WindowId id) {
  for (Window* w : TopLevelWindows()) {
    if (w->hostWindow == id) return w;
  }
  return nullptr;
}

Window* ChildAt(Window* window, POINT p) {
  for (auto it = window->children.rbegin(); it != window->children.rend(); ++it) {
    Window* child = *it;
    if (!child->visible || child->destroyed) continue;
    const RECT& r = child->rect;
    if (p.x < r.left || p.x >= r.right || p.y < r.top || p.y >= r.bottom) continue;
    // A disabled control lets the pointer through to the window behind it.
    if (!child->Enabled()) return window;
    const Insets in = FrameInsets(*child);
    return ChildAt(child, POINT{p.x - r.left - in.left, p.y - r.top - in.top});
  }
  return window;
}

POINT FrameOriginOnScreen(const Window& top) {
  const POINT client = ClientOriginOnScreen(top);
  return POINT{client.x, client.y - top.menuBarHeight};
}

host::Rect HostBounds(const Window& top) {
  const POINT origin = FrameOriginOnScreen(top);
  const SIZE size = FrameBufferSize(top);
  return host::Rect{origin.x, origin.y, static_cast<int>(size.cx), static_cast<int>(size.cy)};
}

Window* NextToActivate(Window* leaving) {
  auto usable = [&](Window* w) {
    return w != nullptr && w != leaving && !w->destroyed && w->visible && !w->minimized &&
           w->Enabled() && !IsDescendant(leaving, w);
  };
  if (usable(leaving->owner)) return leaving->owner;
  const std::vector<Window*> all = TopLevelWindows();
  for (auto it = all.rbegin(); it != all.rend(); ++it) {
    if (usable(*it)) return *it;
  }
  return nullptr;
}

}  // namespace user

using namespace user;

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x,
                     int y, int width, int height, HWND parentHandle, HMENU menu,
                     HINSTANCE instance, LPVOID parameter) {
  WindowClass* windowClass = FindClass(className);
  if (windowClass == nullptr) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return nullptr;
  }
  Window* parent = parentHandle != nullptr ? FromHandle(parentHandle) : nullptr;
  if (parentHandle != nullptr && parent == nullptr) return nullptr;
  if ((style & WS_CHILD) && parent == nullptr) {
    SetLastError(ERROR_TLW_WITH_WSCHILD);
    return nullptr;
  }

  Window* w = NewWindow();
  w->windowClass = windowClass;
  w->procedure = windowClass->info.lpfnWndProc;
  w->instance = instance;
  w->text = windowName != nullptr ? std::u16string(windowName) : std::u16string();
  w->style = style & ~WS_VISIBLE;
  w->exStyle = exStyle;
  if (style & WS_CHILD) {
    w->parent = parent;
    w->id = reinterpret_cast<UINT_PTR>(menu);
    parent->children.push_back(w);
  } else {
    w->owner = TopLevel(parent);
    w->menu = IsMenu(menu) ? menu : nullptr;
    if (w->menu != nullptr) w->menuBarHeight = GetSystemMetrics(SM_CYMENU);
  }
  if (!(style & WS_CHILD) && x == CW_USEDEFAULT) {
    const POINT p = DefaultPosition();
    x = p.x;
    y = p.y;
  }
  if (!(style & WS_CHILD) && width == CW_USEDEFAULT) {
    width = 640;
    height = 480;
  }
  w->rect = RECT{x, y, x + std::max(width, 0), y + std::max(height, 0)};
  if (!w->IsChild()) MakeHostWindow(*w);

  CREATESTRUCTW create{parameter, instance, menu, parentHandle, height, width, y, x,
                       static_cast<LONG>(style), windowName, className, exStyle};
  const HWND handle = w->Handle();
  if (!SendMessageW(handle, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create)) ||
      SendMessageW(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
    if (FromHandle(handle) != nullptr) DestroyWindow(handle);
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (FromHandle(handle) == nullptr) return nullptr;  // destroyed while being created
  w->createdFully = true;
  SendSizeAndMove(*w);
  if (style & WS_VISIBLE) ShowWindow(handle, SW_SHOW);
  return FromHandle(handle) != nullptr ? handle : nullptr;
}

BOOL DestroyWindow(HWND handle) {
  Window* w = FromHandle(handle);
  if (w == nullptr || w->destroyed) return FALSE;
  // Windows it owns go first, as the system takes them down with it.
  for (Window* owned : TopLevelWindows()) {
    if (owned->owner == w && FromHandle(owned->Handle()) != nullptr) DestroyWindow(owned->Handle());
  }
  if (FromHandle(handle) == nullptr) return TRUE;
  if (MenuActive() && CurrentMenu().owner == w) CloseMenu();
  if (CurrentMenu().dropDown == w) CurrentMenu().dropDown = nullptr;
  State& s = Now();
  if (w->visible && w->IsChild() && w->parent != nullptr) InvalidateWhole(w->parent, true);
  if (s.active == w) Activate(NextToActivate(w), false);
  if (s.active == w) Deactivate();
  if (s.focus != nullptr && IsDescendant(w, s.focus)) FocusWindow(nullptr);
  if (!w->IsChild() && w->hostWindow != 0) {
    host::Current().SetVisibility(w->hostWindow, host::Visibility::Hidden);
  }
  DestroyTree(w);
  FinishTree(w);
  return TRUE;
}

BOOL IsWindow(HWND handle) { return FromHandle(handle) != nullptr ? TRUE : FALSE; }

BOOL IsWindowVisible(HWND handle) {
  Window* w = FromHandle(handle);
  if (w == nullptr) return FALSE;
  for (Window* x = w; x != nullptr; x = x->IsChild() ? x->parent : nullptr) {
    if (!x->visible) return FALSE;
  }
  return TRUE;
}

BOOL IsWindowEnabled(HWND handle) {
  Window* w = FromHandle(handle);
  return w != nullptr && w->Enabled() ? TRUE : FALSE;
}

BOOL IsChild(HWND parentHandle, HWND handle) {
  Window* parent = FromHandle(parentHandle);
  Window* w = FromHandle(handle);
  return parent != nullptr && w != nullptr && w != parent && IsDescendant(parent, w);
}

BOOL IsIconic(HWND handle) {
  Window* w = FromHandle(handle);
  return w != nullptr && w->minimized ? TRUE : FALSE;
}

HWND GetParent(HWND handle) {
  Window* w = FromHandle(handle);
  if (w == nullptr) return nullptr;
  if (w->IsChild()) return w->parent != nullptr ? w->parent->Handle() : nullptr;
  return w->owner != nullptr ? w->owner->Handle() : nullptr;
}

HWND GetAncestor(HWND handle, UINT flags) {
  Window* w = FromHandle(handle);
  if (w == nullptr) return nullptr;
  constexpr UINT kParent = 1, kRoot = 2;
  if (flags == kParent) return w->IsChild() && w->parent ? w->parent->Handle() : nullptr;
  if (flags == kRoot) return TopLevel(w)->Handle();
  Window* top = TopLevel(w);
  while (top->owner != nullptr) top = top->owner;
  return top->Handle();
}

HWND GetWindow(HWND handle, UINT relation) {
  Window* w = FromHandle(handle);
  if (w == nullptr) return nullptr;
  if (relation == GW_CHILD) return w->children.empty() ? nullptr : w->children.front()->Handle();
  if (relation == GW_OWNER) return w->owner != nullptr ? w->owner->Handle() : nullptr;
  const std::vector<Window*> siblings =
      w->IsChild() && w->parent ? w->parent->children : TopLevelWindows();
  auto it = std::find(siblings.begin(), siblings.end(), w);
  if (it == siblings.end()) return nullptr;
  switch (relation) {
    case GW_HWNDFIRST: return siblings.front()->Handle();
    case GW_HWNDLAST: return siblings.back()->Handle();
    case GW_HWNDNEXT: return it + 1 != siblings.end() ? (*(it + 1))->Handle() : nullptr;
    case GW_HWNDPREV: return it != siblings.begin() ? (*(it - 1))->Handle() : nullptr;
    default: return nullptr;
  }
}

HWND GetDlgItem(HWND dialog, int id) {
  Window* w = FromHandle(dialog);
  if (w == nullptr) return nullptr;
  for (Window* child : w->children) {
    if (static_cast<int>(child->id) == id) return child->Handle();
  }
  return nullptr;
}

int GetDlgCtrlID(HWND handle) {
  Window* w = FromHandle(handle);
  return w != nullptr && w->IsChild() ? static_cast<int>(w->id) : 0;
}

BOOL ShowWindow(HWND handle, int command) {
  Window* w = FromHandle(handle);
  if (w == nullptr) return FALSE;
  const BOOL wasVisible = w->visible ? TRUE : FALSE;
  State& s = Now();
  host::Host& hostApi = host::Current();
  switch (command) {
    case SW_HIDE: {
      if (!w->visible) return wasVisible;
      SendMessageW(handle, WM_SHOWWINDOW, FALSE, 0);
      w->visible = false;
      if (w->IsChild()) {
        if (w->parent != nullptr) InvalidateWhole(w->parent, true);
        if (s.focus != nullptr && IsDescendant(w, s.focus)) FocusWindow(nullptr);
      } else {
        hostApi.SetVisibility(w->hostWindow, host::Visibility::Hidden);
        if (s.active == w) {
          Activate(NextToActivate(w), false);
          if (s.active == w) Deactivate();
        }
      }
      return wasVisible;
    }
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE: {
      if (w->IsChild()) return wasVisible;
      if (!w->visible) {
        SendMessageW(handle, WM_SHOWWINDOW, TRUE, 0);
        w->visible = true;
      }
      if (w->minimized) return wasVisible;
      w->minimized = true;
      hostApi.SetVisibility(w->hostWindow, host::Visibility::Minimized);
      if (s.active == w) {
        Activate(NextToActivate(w), false);
        if (s.active == w) Deactivate();
      }
      SendSizeAndMove(*w);
      return wasVisible;
    }
    default: break;
  }
  // Every other command shows the window; some also restore or activate it.
  const bool activate = command != SW_SHOWNA && command != SW_SHOWNOACTIVATE;
  const bool restore = command == SW_RESTORE || command == SW_SHOWNORMAL ||
                       command == SW_SHOWDEFAULT || command == SW_SHOWMAXIMIZED;
  if (!w->visible) {
    SendMessageW(handle, WM_SHOWWINDOW, TRUE, 0);
    if (FromHandle(handle) == nullptr) return wasVisible;
    w->visible = true;
    InvalidateWhole(w, true);
    if (!w->IsChild()) {
      hostApi.SetVisibility(w->hostWindow, activate ? host::Visibility::Shown
                                                    : host::Visibility::ShownInactive);
    }
  }
  if (restore && w->minimized) {
    w->minimized = false;
    hostApi.SetVisibility(w->hostWindow, host::Visibility::Restored);
    InvalidateWhole(w, true);
    SendSizeAndMove(*w);
  }
  if (!w->IsChild() && activate && w->Enabled() && !w->windowClass->neverActive) Activate(w, false);
  return wasVisible;
}

BOOL EnableWindow(HWND handle, BOOL enable) {
  Window* w = FromHandle(handle);
  if (w == nullptr) return FALSE;
  const BOOL wasDisabled = w->Enabled() ? FALSE : TRUE;
  if (enable == !wasDisabled) return wasDisabled;
  if (enable) {
    w->style &= ~WS_DISABLED;
  } else {
    w->style |= WS_DISABLED;
    State& s = Now();
    if (s.focus != nullptr && IsDescendant(w, s.focus)) FocusWindow(nullptr);
    if (s.capture != nullptr && IsDescendant(w, s.capture)) ReleaseCapture();
  }
  SendMessageW(handle, WM_ENABLE, enable ? TRUE : FALSE, 0);
  InvalidateRect(handle, nullptr, TRUE);
  return wasDisabled;
}

BOOL SetWindowPos(HWND handle, HWND insertAfter, int x, int y, int width, int height,
                  UINT flags) {
  Window* w = FromHandle(handle);
  if (w == nullptr) return FALSE;
  if (!(flags & SWP_NOZORDER)) {
    if (insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST) {
      if (insertAfter == HWND_TOPMOST) w->exStyle |= WS_EX_TOPMOST;
      else w->exStyle &= ~WS_EX_TOPMOST;
      if (!w->IsChild()) host::Current().SetTraits(w->hostWindow, TraitsOf(*w));
    } else if (w->IsChild() && w->parent != nullptr) {
      // Children are kept in z-order from the bottom up.
      auto& siblings = w->parent->children;
      std::erase(siblings, w);
      if (insertAfter == HWND_BOTTOM) {
        siblings.insert(siblings.begin(), w);
      } else if (Window* after = FromHandle(insertAfter); after != nullptr &&
                                                          after->parent == w->parent) {
        siblings.insert(std::find(siblings.begin(), siblings.end(), after), w);
      } else {
        siblings.push_back(w);
      }
    }
  }
  if (flags & SWP_FRAMECHANGED) {
    if (!w->IsChild()) {
      host::Current().SetTraits(w->hostWindow, TraitsOf(*w));
      const SIZE size = FrameBufferSize(*w);
      if (w->frame != nullptr) gdi::ResizeFrameBuffer(w->frame, size.cx, size.cy);
      host::Current().SetBounds(w->hostWindow, HostBounds(*w));
    }
    InvalidateWhole(w, true);
  }
  RECT rect = w->rect;
  if (!(flags & SWP_NOMOVE)) rect = Offset(rect, x - rect.left, y - rect.top);
  if (!(flags & SWP_NOSIZE)) {
    rect.right = rect.left + std::max(width, 0);
    rect.bottom = rect.top + std::max(height, 0);
  }
  Reshape(*w, rect);
  if (flags & SWP_SHOWWINDOW) ShowWindow(handle, (flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
  if (flags & SWP_HIDEWINDOW) ShowWindow(handle, SW_HIDE);
  return TRUE;
}

BOOL MoveWindow(HWND handle, int x, int y, int width, int height, BOOL) {
  return SetWindowPos(handle, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL GetWindowRect(HWND handle, LPRECT rect) {
  Window* w = FromHandle(handle);
  if (w == nullptr || rect == nullptr) return FALSE;
  if (w->IsChild() && w->parent != nullptr) {
    const POINT origin = ClientOriginOnScreen(*w->parent);
    *rect = Offset(w->rect, origin.x, origin.y);
  } else {
    *rect = w->rect;
  }
  return TRUE;
}

BOOL GetClientRect(HWND handle, LPRECT rect) {
  Window* w = FromHandle(handle);
  if (w == nullptr || rect == nullptr) return FALSE;
  *rect = ClientRect(*w);
  return TRUE;
}

BOOL ScreenToClient(HWND handle, LPPOINT point) {
  Window* w = FromHandle(handle);
  if (w == nullptr || point == nullptr) return FALSE;
  const POINT origin = ClientOriginOnScreen(*w);
  point->x -= origin.x;
  point->y -= origin.y;
  return TRUE;
}

BOOL ClientToScreen(HWND handle, LPPOINT point) {
  Window* w = FromHandle(handle);
  if (w == nullptr || point == nullptr) return FALSE;
  const POINT origin = ClientOriginOnScreen(*w);
  point->x += origin.x;
  point->y += origin.y;
  return TRUE;
}

BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle) {
  if (rect == nullptr) return FALSE;
  Window probe;
  probe.style = style;
  probe.exStyle = exStyle;
  probe.menuBarHeight = menu ? GetSystemMetrics(SM_CYMENU) : 0;
  const Insets in = FrameInsets(probe);
  rect->left -= in.left;
  rect->top -= in.top;
  rect->right += in.right;
  rect->bottom += in.bottom;
  return TRUE;
}

BOOL SetWindowTextW(HWND handle, LPCWSTR text) {
  if (FromHandle(handle) == nullptr) return FALSE;
  return SendMessageW(handle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) ? TRUE : FALSE;
}

int GetWindowTextW(HWND handle, LPWSTR buffer, int size) {
  if (buffer == nullptr || size <= 0) return 0;
  buffer[0] = u'\0';
  if (FromHandle(handle) == nullptr) return 0;
  return static_cast<int>(
      SendMessageW(handle, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthW(HWND handle) {
  if (FromHandle(handle) == nullptr) return 0;
  return static_cast<int>(SendMessageW(handle, WM_GETTEXTLENGTH, 0, 0));
}

LONG_PTR SetWindowLongPtrW(HWND handle, int index, LONG_PTR value) {
  Window* w = FromHandle(handle);
  if (w == nullptr) return 0;
  LONG_PTR old = 0;
  switch (index) {
    case GWLP_WNDPROC:
      old = reinterpret_cast<LONG_PTR>(w->procedure);
      w->procedure = reinterpret_cast<WNDPROC>(value);
      break;
    case GWL_STYLE:
      old = static_cast<LONG_PTR>(static_cast<LONG>(w->style));
      // Visibility is changed by showing, not by writing the bit.
      w->style = (static_cast<DWORD>(value) & ~WS_VISIBLE) | (w->style & WS_VISIBLE);
      break;
    case GWL_EXSTYLE:
      old = static_cast<LONG_PTR>(w->exStyle);
      w->exStyle = static_cast<DWORD>(value);
      break;
    case GWLP_USERDATA:
      old = w->userData;
      w->userData = value;
      break;
    case GWLP_ID:
      old = static_cast<LONG_PTR>(w->id);
      w->id = static_cast<UINT_PTR>(value);
      break;
    default:
      SetLastError(ERROR_INVALID_INDEX);
      return 0;
  }
  SetLastError(0);
  return old;
}

LONG_PTR GetWindowLongPtrW(HWND handle, int index) {
  Window* w = FromHandle(handle);
  if (w == nullptr) return 0;
  switch (index) {
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(w->procedure);
    case GWL_STYLE:
      return static_cast<LONG_PTR>(
          static_cast<LONG>(w->style | (w->visible ? WS_VISIBLE : 0) |
                            (w->minimized ? WS_MINIMIZE : 0)));
    case GWL_EXSTYLE: return static_cast<LONG_PTR>(w->exStyle);
    case GWLP_USERDATA: return w->userData;
    case GWLP_ID: return static_cast<LONG_PTR>(w->id);
    case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT: return reinterpret_cast<LONG_PTR>(GetParent(handle));
    default:
      SetLastError(ERROR_INVALID_INDEX);
      return 0;
  }
}

HWND WindowFromPoint(POINT point) {
  const std::vector<Window*> all = TopLevelWindows();
  for (auto it = all.rbegin(); it != all.rend(); ++it) {
    Window* top = *it;
    if (!top->visible || top->minimized) continue;
    const RECT r = top->rect;
    if (point.x < r.left || point.x >= r.right || point.y < r.top || point.y >= r.bottom) continue;
    const POINT origin = ClientOriginOnScreen(*top);
    return ChildAt(top, POINT{point.x - origin.x, point.y - origin.y})->Handle();
  }
  return nullptr;
}
