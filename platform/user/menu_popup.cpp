// The drop-down of a menu bar title, and the keys and clicks of a menu the
// user is in. The menu is not a modal loop of its own: while it is active
// the keyboard goes to it, and the program's messages, timers included, go
// on as before.
#include <algorithm>

#include "platform/user/classes.h"
#include "platform/user/menus.h"
#include "platform/user/state.h"

namespace user {
namespace {

constexpr int kBorder = 3;
constexpr int kCheckColumn = 20;
constexpr int kRightMargin = 24;
constexpr int kSeparatorHeight = 8;
constexpr const char16_t* kDropDownClass = u"#32768";

MenuMode mode;

HFONT MenuFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

HMENU__* BarMenu() { return mode.owner ? LookupMenu(mode.owner->menu) : nullptr; }

HMENU__* OpenMenu() {
  HMENU__* bar = BarMenu();
  if (bar == nullptr || mode.title < 0 || mode.title >= static_cast<int>(bar->items.size())) {
    return nullptr;
  }
  HMENU popup = bar->items[static_cast<std::size_t>(mode.title)].popup;
  return popup != nullptr ? LookupMenu(popup) : nullptr;
}

int ItemHeight(HDC dc) {
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  return metrics.tmHeight + 6;
}

int Height(HDC dc, const HMENU__::Item& item) {
  return (item.flags & MF_SEPARATOR) ? kSeparatorHeight : ItemHeight(dc);
}

void Edge(HDC dc, RECT r, int light, int dark) {
  HBRUSH lightBrush = GetSysColorBrush(light), darkBrush = GetSysColorBrush(dark);
  RECT top{r.left, r.top, r.right, r.top + 1}, left{r.left, r.top, r.left + 1, r.bottom};
  RECT bottom{r.left, r.bottom - 1, r.right, r.bottom}, right{r.right - 1, r.top, r.right, r.bottom};
  FillRect(dc, &top, lightBrush);
  FillRect(dc, &left, lightBrush);
  FillRect(dc, &bottom, darkBrush);
  FillRect(dc, &right, darkBrush);
}

void CheckMark(HDC dc, int x, int y, COLORREF colour) {
  // A tick: down to the right for three columns, then up to the right.
  constexpr int kRise[7] = {2, 3, 4, 3, 2, 1, 0};
  for (int i = 0; i < 7; ++i) {
    for (int t = 0; t < 3; ++t) SetPixel(dc, x + i, y + kRise[i] + t, colour);
  }
}

LRESULT CALLBACK DropDownProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  HMENU__* menu = OpenMenu();
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      RECT client{};
      GetClientRect(window, &client);
      if (menu != nullptr) PaintDropDown(dc, menu, mode.selected, client.right);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_MOUSEMOVE: {
      if (menu == nullptr) return 0;
      const int item = DropDownItemAt(menu, static_cast<SHORT>(HIWORD(lParam)));
      if (item != mode.selected) {
        mode.selected = item;
        InvalidateRect(window, nullptr, FALSE);
      }
      return 0;
    }
    case WM_LBUTTONUP: {
      if (menu == nullptr) return 0;
      const int item = DropDownItemAt(menu, static_cast<SHORT>(HIWORD(lParam)));
      if (item >= 0 && Choosable(menu->items[static_cast<std::size_t>(item)]) &&
          menu->items[static_cast<std::size_t>(item)].popup == nullptr) {
        ChooseItem(menu->items[static_cast<std::size_t>(item)]);
      }
      return 0;
    }
    default: return DefWindowProcW(window, message, wParam, lParam);
  }
}

int Step(HMENU__* menu, int from, int direction) {
  const int n = static_cast<int>(menu->items.size());
  for (int i = 1; i <= n; ++i) {
    const int candidate = ((from + direction * i) % n + n) % n;
    if (!(menu->items[static_cast<std::size_t>(candidate)].flags & MF_SEPARATOR)) return candidate;
  }
  return -1;
}

int FirstItem(HMENU__* menu) {
  return menu == nullptr || menu->items.empty() ? -1 : Step(menu, -1, 1);
}

void Repaint() {
  if (mode.owner != nullptr) RedrawMenuBar(mode.owner);
  if (mode.dropDown != nullptr) InvalidateRect(mode.dropDown->Handle(), nullptr, FALSE);
}

}  // namespace

MenuMode& CurrentMenu() { return mode; }

bool MenuActive() { return mode.owner != nullptr && !mode.owner->destroyed; }

void RegisterDropDownClass() {
  RegisterBuiltInClass(kDropDownClass, DropDownProcedure, CS_SAVEBITS, nullptr,
                       LoadCursorW(nullptr, IDC_ARROW));
  if (WindowClass* c = FindClass(kDropDownClass)) c->neverActive = true;
}

SIZE DropDownSize(HDC dc, HMENU__* menu) {
  int width = 80, height = 2 * kBorder;
  for (const auto& item : menu->items) {
    height += Height(dc, item);
    if (item.flags & MF_SEPARATOR) continue;
    RECT box{0, 0, 0, 0};
    DrawTextW(dc, item.text.c_str(), static_cast<int>(item.text.size()), &box,
              DT_SINGLELINE | DT_CALCRECT);
    width = std::max<int>(width, box.right + kCheckColumn + kRightMargin + 2 * kBorder);
  }
  return SIZE{width, height};
}

int DropDownItemAt(HMENU__* menu, int y) {
  if (mode.dropDown == nullptr) return -1;
  HDC dc = GetDC(mode.dropDown->Handle());
  SelectObject(dc, MenuFont());
  int top = kBorder, found = -1;
  for (std::size_t i = 0; i < menu->items.size(); ++i) {
    const int h = Height(dc, menu->items[i]);
    if (y >= top && y < top + h && !(menu->items[i].flags & MF_SEPARATOR)) {
      found = static_cast<int>(i);
    }
    top += h;
  }
  ReleaseDC(mode.dropDown->Handle(), dc);
  return found;
}

void PaintDropDown(HDC dc, HMENU__* menu, int selected, int width) {
  SelectObject(dc, MenuFont());
  SetBkMode(dc, TRANSPARENT);
  RECT all{0, 0, width, 0};
  for (const auto& item : menu->items) all.bottom += Height(dc, item);
  all.bottom += 2 * kBorder;
  FillRect(dc, &all, GetSysColorBrush(COLOR_MENU));
  Edge(dc, all, COLOR_3DLIGHT, COLOR_3DDKSHADOW);
  Edge(dc, RECT{1, 1, all.right - 1, all.bottom - 1}, COLOR_3DHIGHLIGHT, COLOR_3DSHADOW);
  int top = kBorder;
  for (std::size_t i = 0; i < menu->items.size(); ++i) {
    const auto& item = menu->items[i];
    const int h = Height(dc, item);
    RECT row{kBorder, top, width - kBorder, top + h};
    top += h;
    if (item.flags & MF_SEPARATOR) {
      Edge(dc, RECT{row.left + 1, row.top + h / 2 - 1, row.right - 1, row.top + h / 2 + 1},
           COLOR_3DSHADOW, COLOR_3DHIGHLIGHT);
      continue;
    }
    const bool hot = static_cast<int>(i) == selected;
    const bool grey = (item.flags & (MF_GRAYED | MF_DISABLED)) != 0;
    if (hot) FillRect(dc, &row, GetSysColorBrush(COLOR_HIGHLIGHT));
    const COLORREF colour =
        GetSysColor(grey ? COLOR_GRAYTEXT : (hot ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    if (item.flags & MF_CHECKED) CheckMark(dc, row.left + 6, row.top + h / 2 - 4, colour);
    SetTextColor(dc, colour);
    RECT text{row.left + kCheckColumn, row.top, row.right - kRightMargin / 2, row.bottom};
    DrawTextW(dc, item.text.c_str(), static_cast<int>(item.text.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_LEFT);
  }
}

void ShowDropDown(Window* top, int title) {
  HideDropDown();
  HMENU__* menu = OpenMenu();
  if (menu == nullptr) return;
  const std::vector<RECT> titles = TitleRects(top);
  if (title < 0 || title >= static_cast<int>(titles.size())) return;
  HDC measure = CreateCompatibleDC(nullptr);
  SelectObject(measure, MenuFont());
  const SIZE size = DropDownSize(measure, menu);
  DeleteDC(measure);
  const POINT frame = FrameOriginOnScreen(*top);
  HWND window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kDropDownClass, nullptr, WS_POPUP,
                                frame.x + titles[static_cast<std::size_t>(title)].left,
                                frame.y + top->menuBarHeight, size.cx, size.cy,
                                top->Handle(), nullptr, nullptr, nullptr);
  mode.dropDown = FromHandle(window);
  if (mode.dropDown != nullptr) ShowWindow(window, SW_SHOWNA);
}

void HideDropDown() {
  if (mode.dropDown == nullptr) return;
  Window* dropDown = mode.dropDown;
  mode.dropDown = nullptr;
  if (FromHandle(dropDown->Handle()) != nullptr) DestroyWindow(dropDown->Handle());
}

void OpenTitle(int title, bool selectFirst) {
  HMENU__* bar = BarMenu();
  if (bar == nullptr || title < 0 || title >= static_cast<int>(bar->items.size())) return;
  const bool entering = mode.title < 0 && !mode.open;
  if (entering) SendMessageW(mode.owner->Handle(), WM_ENTERMENULOOP, FALSE, 0);
  mode.title = title;
  const HMENU__::Item& item = bar->items[static_cast<std::size_t>(title)];
  if (item.popup == nullptr) {
    // A command on the bar itself.
    if (Choosable(item)) ChooseItem(item);
    return;
  }
  SendMessageW(mode.owner->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(item.popup),
               title);
  if (!MenuActive()) return;
  mode.open = true;
  mode.selected = selectFirst ? FirstItem(OpenMenu()) : -1;
  ShowDropDown(mode.owner, title);
  Repaint();
}

void CloseMenu() {
  HideDropDown();
  Window* owner = mode.owner;
  mode = MenuMode{};
  if (owner != nullptr && !owner->destroyed) {
    RedrawMenuBar(owner);
    SendMessageW(owner->Handle(), WM_EXITMENULOOP, FALSE, 0);
  }
}

void ChooseItem(const HMENU__::Item& item) {
  const UINT_PTR id = item.id;
  Window* owner = mode.owner;
  CloseMenu();
  if (owner != nullptr && !owner->destroyed) {
    PostMessageW(owner->Handle(), WM_COMMAND, MAKELONG(static_cast<WORD>(id), 0), 0);
  }
}

bool MenuKey(int key) {
  if (!MenuActive()) return false;
  HMENU__* bar = BarMenu();
  const int titles = bar != nullptr ? static_cast<int>(bar->items.size()) : 0;
  HMENU__* open = mode.open ? OpenMenu() : nullptr;
  switch (key) {
    case VK_ESCAPE:
      if (mode.open) {
        HideDropDown();
        mode.open = false;
        mode.selected = -1;
        Repaint();
      } else {
        CloseMenu();
      }
      return true;
    case VK_MENU: case VK_LMENU: case VK_RMENU: case VK_F10:
      CloseMenu();
      return true;
    case VK_LEFT:
    case VK_RIGHT: {
      if (titles == 0) return true;
      const int next = ((mode.title + (key == VK_LEFT ? -1 : 1)) % titles + titles) % titles;
      if (mode.open) {
        OpenTitle(next, true);
      } else {
        mode.title = next;
        Repaint();
      }
      return true;
    }
    case VK_DOWN:
    case VK_UP:
      if (open == nullptr) {
        OpenTitle(mode.title, true);
      } else if (!open->items.empty()) {
        mode.selected = Step(open, mode.selected < 0 && key == VK_UP ? 0 : mode.selected,
                             key == VK_UP ? -1 : 1);
        Repaint();
      }
      return true;
    case VK_RETURN:
      if (open == nullptr) {
        OpenTitle(mode.title, true);
      } else if (mode.selected >= 0) {
        const auto& item = open->items[static_cast<std::size_t>(mode.selected)];
        if (Choosable(item) && item.popup == nullptr) ChooseItem(item);
      }
      return true;
    default: break;
  }
  const bool letter = (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
  if (!letter) return true;
  const char16_t c = static_cast<char16_t>(key);
  if (open != nullptr) {
    for (const auto& item : open->items) {
      if (Mnemonic(item.text) == c && Choosable(item) && item.popup == nullptr) {
        ChooseItem(item);
        return true;
      }
    }
    return true;
  }
  for (int i = 0; i < titles; ++i) {
    if (Mnemonic(bar->items[static_cast<std::size_t>(i)].text) == c) {
      OpenTitle(i, true);
      break;
    }
  }
  return true;
}

bool MenuMouseDown(Window* window) {
  if (!MenuActive()) return false;
  if (window == mode.dropDown) return false;
  const bool ownWindow = window == mode.owner;
  CloseMenu();
  return ownWindow;
}

void EndMenuUnlessOwnedBy(Window* top) {
  if (!MenuActive() || top == mode.owner) return;
  CloseMenu();
  // The text of a key the menu took is not waited for any more.
  Now().swallowText = false;
}

}  // namespace user
