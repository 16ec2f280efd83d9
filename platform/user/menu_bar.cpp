// The menu bar: drawn into the top of a window's frame buffer, entered with
// the mouse, with Alt or F10, or with Alt and a title's letter.
#include <algorithm>

#include "platform/user/menus.h"
#include "platform/user/state.h"

namespace user {
namespace {

constexpr int kTitlePadding = 7;

HFONT MenuFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

// A context that draws on the bar itself, above the client area.
HDC BarDc(Window* top) {
  const RECT bar{0, 0, top->frame->width, top->menuBarHeight};
  return gdi::CreateWindowDc(top->frame, top->Handle(), POINT{0, 0}, ShownOnScreen(*top) ? bar : RECT{});
}

int TitleWidth(HDC dc, const std::u16string& text) {
  RECT box{0, 0, 0, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_SINGLELINE | DT_CALCRECT);
  return box.right - box.left + 2 * kTitlePadding;
}

}  // namespace

std::vector<RECT> TitleRects(Window* top) {
  std::vector<RECT> rects;
  HMENU__* menu = top->menu ? LookupMenu(top->menu) : nullptr;
  if (menu == nullptr || top->frame == nullptr) return rects;
  HDC dc = BarDc(top);
  SelectObject(dc, MenuFont());
  int x = 0;
  for (const auto& item : menu->items) {
    const int width = TitleWidth(dc, item.text);
    rects.push_back(RECT{x, 0, x + width, top->menuBarHeight});
    x += width;
  }
  DeleteDC(dc);
  return rects;
}

void RedrawMenuBar(Window* top) {
  if (top == nullptr || top->menu == nullptr || top->menuBarHeight == 0 || top->frame == nullptr) {
    return;
  }
  HMENU__* menu = LookupMenu(top->menu);
  if (menu == nullptr) return;
  const std::vector<RECT> titles = TitleRects(top);
  HDC dc = BarDc(top);
  const RECT bar{0, 0, top->frame->width, top->menuBarHeight};
  FillRect(dc, &bar, GetSysColorBrush(COLOR_MENU));
  SelectObject(dc, MenuFont());
  SetBkMode(dc, TRANSPARENT);
  const MenuMode& mode = CurrentMenu();
  for (std::size_t i = 0; i < menu->items.size(); ++i) {
    const auto& item = menu->items[i];
    RECT box = titles[i];
    const bool hot = mode.owner == top && mode.title == static_cast<int>(i);
    if (hot) FillRect(dc, &box, GetSysColorBrush(COLOR_HIGHLIGHT));
    const bool grey = (item.flags & (MF_GRAYED | MF_DISABLED)) != 0;
    SetTextColor(dc, GetSysColor(hot ? COLOR_HIGHLIGHTTEXT : (grey ? COLOR_GRAYTEXT : COLOR_MENUTEXT)));
    DrawTextW(dc, item.text.c_str(), static_cast<int>(item.text.size()), &box,
              DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  }
  DeleteDC(dc);
  top->changes.Changed(bar);
}

void HandleMenuBarClick(Window* top, POINT p) {
  if (top == nullptr || top->menu == nullptr) return;
  const std::vector<RECT> titles = TitleRects(top);
  for (std::size_t i = 0; i < titles.size(); ++i) {
    const RECT& r = titles[i];
    if (p.x < r.left || p.x >= r.right) continue;
    MenuMode& mode = CurrentMenu();
    if (mode.owner == top && mode.title == static_cast<int>(i) && mode.open) {
      CloseMenu();
      return;
    }
    mode.owner = top;
    OpenTitle(static_cast<int>(i), false);
    return;
  }
  if (MenuActive()) CloseMenu();
}

void EnterMenuBar(Window* top, char16_t mnemonic) {
  if (top == nullptr || top->menu == nullptr) return;
  HMENU__* menu = LookupMenu(top->menu);
  if (menu == nullptr || menu->items.empty()) return;
  MenuMode& mode = CurrentMenu();
  if (mnemonic == 0) {
    // Alt or F10 alone: the first title lights up; a second press leaves.
    if (mode.owner == top) {
      CloseMenu();
      return;
    }
    mode.owner = top;
    mode.title = 0;
    mode.open = false;
    SendMessageW(top->Handle(), WM_ENTERMENULOOP, FALSE, 0);
    RedrawMenuBar(top);
    return;
  }
  const char16_t wanted = mnemonic >= u'a' && mnemonic <= u'z' ? static_cast<char16_t>(mnemonic - 32)
                                                              : mnemonic;
  for (std::size_t i = 0; i < menu->items.size(); ++i) {
    if (Mnemonic(menu->items[i].text) == wanted) {
      mode.owner = top;
      OpenTitle(static_cast<int>(i), true);
      return;
    }
  }
}

}  // namespace user
