// The tooltip control: a pop-up window that shows a short text next to the
// pointer once the pointer has rested on a tool, a rectangle of some window.
// With TTF_SUBCLASS the tooltip watches the tool's window itself by putting
// its own procedure in front of the window's.
#include <algorithm>
#include <cstddef>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/api/commctrl.h"
#include "platform/user/classes.h"
#include "platform/user/tooltip_text.h"

namespace user {
namespace {

constexpr UINT_PTR kShowTimer = 1;
constexpr UINT_PTR kPopTimer = 2;
constexpr UINT kInitialDelay = 500;  // the double-click time, as the system takes it
constexpr int kBelowPointer = 20;    // a tip opens this far below the pointer's hot spot
constexpr UINT kToolInfoMinimum = offsetof(TOOLINFOW, lParam);
constexpr LRESULT kNoActivate = 3;  // MA_NOACTIVATE

struct Tool {
  HWND window;
  UINT_PTR id;
  UINT flags;
  RECT rect;
  std::u16string text;
};

struct Tip {
  std::vector<Tool> tools;
  bool active = true;
  UINT initialDelay = kInitialDelay;
  UINT autoPopDelay = 10 * kInitialDelay;
  int armed = -1;  // the tool the pointer rests on, until the initial delay is over
  int shown = -1;  // the tool whose text is on show
};

// A window watched for its tools: its own procedure, and the tips watching.
struct Watch {
  WNDPROC previous;
  std::vector<HWND> tips;
};

std::map<HWND, Tip>& Tips() {
  static std::map<HWND, Tip> tips;
  return tips;
}

std::map<HWND, Watch>& Watches() {
  static std::map<HWND, Watch> watches;
  return watches;
}

// For TTF_IDISHWND the tool id is a window, and the tool is its client area.
HWND WatchedWindow(const Tool& t) {
  return (t.flags & TTF_IDISHWND) ? reinterpret_cast<HWND>(t.id) : t.window;
}

RECT AreaOf(const Tool& t) {
  if (!(t.flags & TTF_IDISHWND)) return t.rect;
  RECT client{};
  GetClientRect(WatchedWindow(t), &client);
  return client;
}

std::u16string TextOf(LPCWSTR text) {
  if (text == nullptr || text == LPSTR_TEXTCALLBACKW || IS_INTRESOURCE(text)) return {};
  return std::u16string(text);
}

int Find(const Tip& tip, const TOOLINFOW* info) {
  for (std::size_t i = 0; i < tip.tools.size(); ++i) {
    if (tip.tools[i].window == info->hwnd && tip.tools[i].id == info->uId) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

int ToolAt(const Tip& tip, HWND window, POINT p) {
  for (std::size_t i = 0; i < tip.tools.size(); ++i) {
    const Tool& t = tip.tools[i];
    const RECT area = AreaOf(t);
    if (WatchedWindow(t) == window && PtInRect(&area, p)) return static_cast<int>(i);
  }
  return -1;
}

void Pop(HWND self, Tip& tip) {
  if (tip.armed >= 0) KillTimer(self, kShowTimer);
  tip.armed = -1;
  if (tip.shown < 0) return;
  tip.shown = -1;
  KillTimer(self, kPopTimer);
  ShowWindow(self, SW_HIDE);
}

SIZE TipSize(HWND self, const std::u16string& text) {
  HDC dc = GetDC(self);
  auto font = reinterpret_cast<HFONT>(SendMessageW(self, WM_GETFONT, 0, 0));
  HGDIOBJ old = font != nullptr ? SelectObject(dc, font) : nullptr;
  const SIZE s = MeasureTipText(dc, text);
  if (old != nullptr) SelectObject(dc, old);
  ReleaseDC(self, dc);
  const int frame = 2 * (kTipMargin + 1);
  return SIZE{s.cx + frame, s.cy + frame};
}

// Below the pointer, kept on the screen; above it when there is no room below.
void Place(HWND self, const std::u16string& text, POINT pointer) {
  const SIZE size = TipSize(self, text);
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  const int x = std::max(0, std::min<int>(pointer.x, screenWidth - size.cx));
  int y = pointer.y + kBelowPointer;
  if (y + size.cy > screenHeight) y = std::max<int>(0, pointer.y - size.cy);
  SetWindowPos(self, HWND_TOPMOST, x, y, size.cx, size.cy, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(self, nullptr, TRUE);
}

void ShowArmed(HWND self, Tip& tip) {
  KillTimer(self, kShowTimer);
  const int index = std::exchange(tip.armed, -1);
  if (index < 0 || index >= static_cast<int>(tip.tools.size()) || !tip.active) return;
  const Tool& tool = tip.tools[static_cast<std::size_t>(index)];
  POINT pointer{};
  GetCursorPos(&pointer);
  POINT inTool = pointer;
  ScreenToClient(WatchedWindow(tool), &inTool);
  const RECT area = AreaOf(tool);
  if (tool.text.empty() || !PtInRect(&area, inTool)) return;
  tip.shown = index;
  Place(self, tool.text, pointer);
  SetTimer(self, kPopTimer, tip.autoPopDelay, nullptr);
}

void PointerMoved(HWND self, Tip& tip, HWND window, LPARAM lParam) {
  const POINT p{static_cast<SHORT>(LOWORD(static_cast<UINT_PTR>(lParam))),
                static_cast<SHORT>(HIWORD(static_cast<UINT_PTR>(lParam)))};
  const int index = ToolAt(tip, window, p);
  if (index < 0) {
    Pop(self, tip);
    return;
  }
  if (index == tip.shown || index == tip.armed) return;
  Pop(self, tip);
  tip.armed = index;
  SetTimer(self, kShowTimer, tip.initialDelay, nullptr);
  // Leaving the window must take the tip away even if nobody else asked.
  TRACKMOUSEEVENT leave{sizeof(TRACKMOUSEEVENT), TME_LEAVE, window, HOVER_DEFAULT};
  TrackMouseEvent(&leave);
}

void ForgetToolsOf(HWND self, Tip& tip, HWND window) {
  if (std::any_of(tip.tools.begin(), tip.tools.end(),
                  [&](const Tool& t) { return WatchedWindow(t) == window; })) {
    Pop(self, tip);
  }
  std::erase_if(tip.tools, [&](const Tool& t) { return WatchedWindow(t) == window; });
}

// What a watched window's messages mean to one tip.
void Relay(HWND self, HWND window, UINT message, LPARAM lParam) {
  auto found = Tips().find(self);
  if (found == Tips().end()) return;
  Tip& tip = found->second;
  switch (message) {
    case WM_MOUSEMOVE:
      PointerMoved(self, tip, window, lParam);
      break;
    case WM_MOUSELEAVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      Pop(self, tip);
      break;
    case WM_NCDESTROY:
      ForgetToolsOf(self, tip, window);
      break;
    default:
      break;
  }
}

LRESULT CALLBACK WatchProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto it = Watches().find(window);
  if (it == Watches().end()) return DefWindowProcW(window, message, wParam, lParam);
  const WNDPROC previous = it->second.previous;
  const std::vector<HWND> tips = it->second.tips;
  for (HWND tip : tips) Relay(tip, window, message, lParam);
  const LRESULT result = CallWindowProcW(previous, window, message, wParam, lParam);
  if (message == WM_NCDESTROY) Watches().erase(window);
  return result;
}

void StartWatching(HWND window, HWND self) {
  if (!IsWindow(window)) return;
  auto it = Watches().find(window);
  if (it == Watches().end()) {
    auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WatchProcedure)));
    it = Watches().emplace(window, Watch{previous, {}}).first;
  }
  if (std::find(it->second.tips.begin(), it->second.tips.end(), self) == it->second.tips.end()) {
    it->second.tips.push_back(self);
  }
}

// A tip going away gives each window it watched its own procedure back,
// unless someone has put another procedure in front since.
void StopWatching(HWND self) {
  for (auto it = Watches().begin(); it != Watches().end();) {
    std::erase(it->second.tips, self);
    const bool ours =
        GetWindowLongPtrW(it->first, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(WatchProcedure);
    if (it->second.tips.empty() && ours) {
      SetWindowLongPtrW(it->first, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(it->second.previous));
      it = Watches().erase(it);
    } else {
      ++it;
    }
  }
}

void Paint(HWND self, const Tip& tip) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(self, &ps);
  RECT box{};
  GetClientRect(self, &box);
  FillRect(dc, &box, GetSysColorBrush(COLOR_INFOBK));
  FrameRect(dc, &box, GetSysColorBrush(COLOR_WINDOWFRAME));
  if (tip.shown >= 0 && tip.shown < static_cast<int>(tip.tools.size())) {
    auto font = reinterpret_cast<HFONT>(SendMessageW(self, WM_GETFONT, 0, 0));
    HGDIOBJ old = font != nullptr ? SelectObject(dc, font) : nullptr;
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    SetBkMode(dc, TRANSPARENT);
    RECT inner = box;
    InflateRect(&inner, -(kTipMargin + 1), -(kTipMargin + 1));
    DrawTipText(dc, inner, tip.tools[static_cast<std::size_t>(tip.shown)].text);
    if (old != nullptr) SelectObject(dc, old);
  }
  EndPaint(self, &ps);
}

// The tool messages, each given the tip, its window and the message's values.
using ToolMessage = LRESULT (*)(HWND, Tip&, WPARAM, LPARAM);

const TOOLINFOW* Info(LPARAM lParam) {
  const auto* info = reinterpret_cast<const TOOLINFOW*>(lParam);
  return info != nullptr && info->cbSize >= kToolInfoMinimum ? info : nullptr;
}

LRESULT AddTool(HWND self, Tip& tip, WPARAM, LPARAM lParam) {
  const TOOLINFOW* info = Info(lParam);
  if (info == nullptr) return FALSE;
  Tool tool{info->hwnd, info->uId, info->uFlags, info->rect, TextOf(info->lpszText)};
  if (const int i = Find(tip, info); i >= 0) {
    tip.tools[static_cast<std::size_t>(i)] = tool;
  } else {
    tip.tools.push_back(tool);
  }
  if (info->uFlags & TTF_SUBCLASS) StartWatching(WatchedWindow(tool), self);
  return TRUE;
}

LRESULT DeleteTool(HWND self, Tip& tip, WPARAM, LPARAM lParam) {
  const TOOLINFOW* info = Info(lParam);
  const int i = info != nullptr ? Find(tip, info) : -1;
  if (i < 0) return 0;
  Pop(self, tip);
  tip.tools.erase(tip.tools.begin() + i);
  return 0;
}

LRESULT NewToolRect(HWND, Tip& tip, WPARAM, LPARAM lParam) {
  const TOOLINFOW* info = Info(lParam);
  const int i = info != nullptr ? Find(tip, info) : -1;
  if (i >= 0) tip.tools[static_cast<std::size_t>(i)].rect = info->rect;
  return 0;
}

LRESULT UpdateText(HWND self, Tip& tip, WPARAM, LPARAM lParam) {
  const TOOLINFOW* info = Info(lParam);
  const int i = info != nullptr ? Find(tip, info) : -1;
  if (i < 0) return 0;
  Tool& tool = tip.tools[static_cast<std::size_t>(i)];
  tool.text = TextOf(info->lpszText);
  if (tip.shown != i) return 0;
  if (tool.text.empty()) {
    Pop(self, tip);
    return 0;
  }
  const SIZE size = TipSize(self, tool.text);
  SetWindowPos(self, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(self, nullptr, TRUE);
  return 0;
}

LRESULT CopyText(HWND, Tip& tip, WPARAM size, LPARAM lParam) {
  const TOOLINFOW* info = Info(lParam);
  const int i = info != nullptr ? Find(tip, info) : -1;
  if (i < 0 || info->lpszText == nullptr || size == 0) return 0;
  const std::u16string& text = tip.tools[static_cast<std::size_t>(i)].text;
  const std::size_t n = std::min<std::size_t>(text.size(), size - 1);
  text.copy(info->lpszText, n);
  info->lpszText[n] = u'\0';
  return 0;
}

LRESULT ToolCount(HWND, Tip& tip, WPARAM, LPARAM) {
  return static_cast<LRESULT>(tip.tools.size());
}

LRESULT ActivateTip(HWND self, Tip& tip, WPARAM wParam, LPARAM) {
  tip.active = wParam != 0;
  if (!tip.active) Pop(self, tip);
  return 0;
}

LRESULT SetDelay(HWND, Tip& tip, WPARAM kind, LPARAM lParam) {
  const int ms = static_cast<SHORT>(LOWORD(static_cast<UINT_PTR>(lParam)));
  const UINT initial = ms < 0 ? kInitialDelay : static_cast<UINT>(ms);
  switch (kind) {
    case TTDT_INITIAL:
      tip.initialDelay = initial;
      break;
    case TTDT_AUTOPOP:
      tip.autoPopDelay = ms < 0 ? 10 * kInitialDelay : initial;
      break;
    case TTDT_AUTOMATIC:
      tip.initialDelay = initial;
      tip.autoPopDelay = 10 * initial;
      break;
    default:
      break;
  }
  return 0;
}

LRESULT PopNow(HWND self, Tip& tip, WPARAM, LPARAM) {
  Pop(self, tip);
  return 0;
}

constexpr struct {
  UINT message;
  ToolMessage handle;
} kToolMessages[] = {
    {TTM_ADDTOOLW, AddTool},          {TTM_DELTOOLW, DeleteTool},   {TTM_NEWTOOLRECTW, NewToolRect},
    {TTM_UPDATETIPTEXTW, UpdateText}, {TTM_GETTEXTW, CopyText},     {TTM_GETTOOLCOUNT, ToolCount},
    {TTM_ACTIVATE, ActivateTip},      {TTM_SETDELAYTIME, SetDelay}, {TTM_POP, PopNow},
};

LRESULT TimerFired(HWND self, Tip& tip, WPARAM id) {
  if (id == kShowTimer) ShowArmed(self, tip);
  if (id == kPopTimer) Pop(self, tip);
  return 0;
}

LRESULT CALLBACK TipProcedure(HWND self, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) {
    Tips()[self] = Tip{};
    return 0;
  }
  auto found = Tips().find(self);
  if (found == Tips().end()) return DefWindowProcW(self, message, wParam, lParam);
  Tip& tip = found->second;
  for (const auto& entry : kToolMessages) {
    if (entry.message == message) return entry.handle(self, tip, wParam, lParam);
  }
  switch (message) {
    case WM_TIMER:
      return TimerFired(self, tip, wParam);
    case WM_PAINT:
      Paint(self, tip);
      return 0;
    case WM_MOUSEACTIVATE:
      return kNoActivate;
    case WM_NCDESTROY:
      StopWatching(self);
      Tips().erase(self);
      return 0;
    default:
      return DefWindowProcW(self, message, wParam, lParam);
  }
}

}  // namespace
}  // namespace user

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
  if (init == nullptr || init->dwSize != sizeof(INITCOMMONCONTROLSEX)) return FALSE;
  // Of the common controls this system has the tooltip, one of the bar classes.
  if (!(init->dwICC & ICC_BAR_CLASSES)) return FALSE;
  user::RegisterBuiltInClass(TOOLTIPS_CLASSW, user::TipProcedure, CS_SAVEBITS, nullptr,
                             LoadCursorW(nullptr, IDC_ARROW));
  return TRUE;
}
