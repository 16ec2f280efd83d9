// The message box's window: laid out around its text, drawn with its icon,
// and ended by one of its buttons, Esc or its close box.
#include <algorithm>

#include "platform/user/controls.h"
#include "platform/user/message_box.h"

namespace user {

const char16_t kMessageBoxClass[] = u"MessageBoxWindow";

namespace {

constexpr int kMargin = 12;
constexpr int kIconSize = 32;
constexpr int kIconGap = 12;
constexpr int kMaxTextWidth = 420;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;
constexpr int kButtonsAbove = 16;  // between the text and the row of buttons
constexpr int kCaptionRoom = 48;   // beside the caption: the close box and some air

struct SessionLink : ControlState {
  BoxSession* session = nullptr;
};

BoxSession* SessionOf(HWND handle) {
  Window* w = FromHandle(handle);
  auto* link = w != nullptr ? dynamic_cast<SessionLink*>(w->control.get()) : nullptr;
  return link != nullptr ? link->session : nullptr;
}

HFONT BoxFont() {
  return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

bool Offers(const BoxSession& s, int id) {
  return std::find(s.buttons->ids, s.buttons->ids + s.buttons->count, id) !=
         s.buttons->ids + s.buttons->count;
}

void End(BoxSession& s, int answer) {
  if (answer == 0 || s.done) return;
  s.done = true;
  s.result = answer;
}

// Enter comes as IDOK with the default button's window, Esc as IDCANCEL.
void Command(HWND box, BoxSession& s, WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  auto* from = reinterpret_cast<HWND>(lParam);
  if (from != nullptr && IsChild(box, from)) {
    const int button = GetDlgCtrlID(from);
    if (Offers(s, button)) End(s, button);
    return;
  }
  if (Offers(s, id))
    End(s, id);
  else if (id == IDCANCEL)
    End(s, s.buttons->escape);
}

void Paint(HWND box, const BoxSession& s) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(box, &ps);
  if (s.icon != nullptr) {
    DrawIconEx(dc, s.iconRect.left, s.iconRect.top, s.icon, kIconSize, kIconSize, 0, nullptr,
               DI_NORMAL);
  }
  HGDIOBJ previous = SelectObject(dc, BoxFont());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  RECT text = s.textRect;
  DrawTextW(dc, s.text.c_str(), static_cast<int>(s.text.size()), &text,
            DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
  SelectObject(dc, previous);
  EndPaint(box, &ps);
}

struct Measured {
  SIZE text;
  int caption;
  int button;  // the width every button gets
};

Measured Measure(const BoxSession& s) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, BoxFont());
  RECT r{0, 0, kMaxTextWidth, 0};
  DrawTextW(dc, s.text.c_str(), static_cast<int>(s.text.size()), &r,
            DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_CALCRECT);
  Measured m{SIZE{r.right - r.left, r.bottom - r.top}, TextWidth(dc, s.caption), kButtonWidth};
  for (int i = 0; i < s.buttons->count; ++i) {
    m.button = std::max(m.button, TextWidth(dc, s.buttons->labels[i]) + 16);
  }
  SelectObject(dc, previous);
  DeleteDC(dc);
  return m;
}

// Lays out icon and text; returns the client size.
SIZE LayOut(BoxSession& s, const Measured& m) {
  const int iconRoom = s.icon != nullptr ? kIconSize + kIconGap : 0;
  const int bodyHeight = std::max<int>(m.text.cy, s.icon != nullptr ? kIconSize : 0);
  s.iconRect = RECT{kMargin, kMargin, kMargin + kIconSize, kMargin + kIconSize};
  // Text shorter than the icon is centred beside it.
  const int textTop = kMargin + (bodyHeight - m.text.cy) / 2;
  s.textRect =
      RECT{kMargin + iconRoom, textTop, kMargin + iconRoom + m.text.cx, textTop + m.text.cy};
  const int row = s.buttons->count * m.button + (s.buttons->count - 1) * kButtonGap;
  const int width = std::max(
      {static_cast<int>(s.textRect.right) + kMargin, row + 2 * kMargin, m.caption + kCaptionRoom});
  const int height = kMargin + bodyHeight + kButtonsAbove + kButtonHeight + kMargin;
  return SIZE{width, height};
}

POINT Centred(HWND owner, SIZE outer) {
  RECT around{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (owner != nullptr && IsWindowVisible(owner)) GetWindowRect(owner, &around);
  const LONG x = around.left + (around.right - around.left - outer.cx) / 2;
  const LONG y = around.top + (around.bottom - around.top - outer.cy) / 2;
  // Kept on the screen, whatever the owner's place.
  return POINT{std::clamp<LONG>(x, 0, std::max<LONG>(0, GetSystemMetrics(SM_CXSCREEN) - outer.cx)),
               std::clamp<LONG>(y, 0, std::max<LONG>(0, GetSystemMetrics(SM_CYSCREEN) - outer.cy))};
}

void AddButtons(HWND box, const BoxSession& s, SIZE client, int buttonWidth) {
  const int count = s.buttons->count;
  const int row = count * buttonWidth + (count - 1) * kButtonGap;
  const int defaultIndex = std::min<int>(static_cast<int>((s.type & MB_DEFMASK) >> 8), count - 1);
  const int top = client.cy - kMargin - kButtonHeight;
  for (int i = 0; i < count; ++i) {
    const int x = (client.cx - row) / 2 + i * (buttonWidth + kButtonGap);
    const DWORD kind = i == defaultIndex ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    HWND button = CreateWindowExW(
        0, u"Button", s.buttons->labels[i], WS_CHILD | WS_VISIBLE | WS_TABSTOP | kind, x, top,
        buttonWidth, kButtonHeight, box,
        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(s.buttons->ids[i])), nullptr, nullptr);
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(BoxFont()), FALSE);
  }
}

}  // namespace

LRESULT CALLBACK MessageBoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    Window* w = FromHandle(box);
    auto link = std::make_unique<SessionLink>();
    link->session =
        static_cast<BoxSession*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
    if (w != nullptr) w->control = std::move(link);
    return TRUE;
  }
  BoxSession* s = SessionOf(box);
  if (s == nullptr) return DefWindowProcW(box, message, wParam, lParam);
  switch (message) {
    case WM_PAINT:
      Paint(box, *s);
      return 0;
    case WM_COMMAND:
      Command(box, *s, wParam, lParam);
      return 0;
    case WM_CLOSE:
      End(*s, s->buttons->escape);
      return 0;
    default:
      return DefWindowProcW(box, message, wParam, lParam);
  }
}

HWND CreateBoxWindow(HWND owner, BoxSession& s) {
  s.icon = BoxIcon(s.type);
  const Measured m = Measure(s);
  const SIZE client = LayOut(s, m);
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  if (s.type & (MB_TOPMOST | MB_SYSTEMMODAL)) exStyle |= WS_EX_TOPMOST;
  RECT outer{0, 0, client.cx, client.cy};
  AdjustWindowRectEx(&outer, style, FALSE, exStyle);
  const SIZE size{outer.right - outer.left, outer.bottom - outer.top};
  const POINT at = Centred(owner, size);
  HWND box = CreateWindowExW(exStyle, kMessageBoxClass, s.caption.c_str(), style, at.x, at.y,
                             size.cx, size.cy, owner, nullptr, nullptr, &s);
  if (box != nullptr) AddButtons(box, s, client, m.button);
  return box;
}

}  // namespace user
