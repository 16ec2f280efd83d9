// Menus and their items: making, filling, checking, enabling, attaching.
#include "platform/user/menus.h"

#include <memory>
#include <unordered_map>

#include "platform/api/kernel.h"
#include "platform/user/state.h"

namespace user {
namespace {

std::unordered_map<const HMENU__*, std::unique_ptr<HMENU__>>& Menus() {
  static std::unordered_map<const HMENU__*, std::unique_ptr<HMENU__>> menus;
  return menus;
}

HMENU NewMenu(bool bar) {
  auto menu = std::make_unique<HMENU__>();
  menu->bar = bar;
  HMENU handle = menu.get();
  Menus().emplace(handle, std::move(menu));
  return handle;
}

// A change to a menu shown on a window shows at once.
void Refresh(HMENU__* menu) {
  for (Window* top : TopLevelWindows()) {
    if (top->menu == nullptr) continue;
    bool shows = top->menu == menu;
    for (const auto& item : LookupMenu(top->menu)->items) shows = shows || item.popup == menu;
    if (shows) RedrawMenuBar(top);
  }
  if (MenuActive() && CurrentMenu().dropDown != nullptr) {
    InvalidateRect(CurrentMenu().dropDown->Handle(), nullptr, TRUE);
  }
}

constexpr UINT kStateBits = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MF_DEFAULT;

}  // namespace

HMENU__* LookupMenu(HMENU menu) {
  auto it = Menus().find(menu);
  if (menu == nullptr || it == Menus().end()) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return nullptr;
  }
  return it->second.get();
}

HMENU__::Item* FindMenuItem(HMENU__* menu, UINT item, UINT flags) {
  if (menu == nullptr) return nullptr;
  if (flags & MF_BYPOSITION) return item < menu->items.size() ? &menu->items[item] : nullptr;
  for (auto& entry : menu->items) {
    if (!(entry.flags & MF_POPUP) && entry.id == item) return &entry;
  }
  for (auto& entry : menu->items) {
    if (entry.popup == nullptr) continue;
    if (HMENU__::Item* found = FindMenuItem(LookupMenu(entry.popup), item, flags)) return found;
  }
  return nullptr;
}

char16_t Mnemonic(const std::u16string& text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != u'&') continue;
    if (text[i + 1] == u'&') {
      ++i;
      continue;
    }
    const char16_t c = text[i + 1];
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
  }
  return 0;
}

bool Choosable(const HMENU__::Item& item) {
  return !(item.flags & (MF_GRAYED | MF_DISABLED | MF_SEPARATOR));
}

}  // namespace user

using namespace user;

HMENU CreateMenu() { return NewMenu(true); }

HMENU CreatePopupMenu() { return NewMenu(false); }

BOOL AppendMenuW(HMENU handle, UINT flags, UINT_PTR idOrPopup, LPCWSTR text) {
  HMENU__* menu = LookupMenu(handle);
  if (menu == nullptr) return FALSE;
  HMENU__::Item item;
  item.flags = flags & ~MF_BYPOSITION;
  if (flags & MF_POPUP) {
    item.popup = reinterpret_cast<HMENU>(idOrPopup);
    if (LookupMenu(item.popup) == nullptr) return FALSE;
  } else {
    item.id = idOrPopup;
  }
  if (text != nullptr && !(flags & MF_SEPARATOR)) item.text = text;
  menu->items.push_back(std::move(item));
  Refresh(menu);
  return TRUE;
}

DWORD CheckMenuItem(HMENU handle, UINT id, UINT check) {
  HMENU__::Item* item = FindMenuItem(LookupMenu(handle), id, check);
  if (item == nullptr) return static_cast<DWORD>(-1);
  const DWORD previous = item->flags & MF_CHECKED;
  item->flags = (item->flags & ~MF_CHECKED) | (check & MF_CHECKED);
  Refresh(LookupMenu(handle));
  return previous;
}

BOOL EnableMenuItem(HMENU handle, UINT id, UINT enable) {
  HMENU__::Item* item = FindMenuItem(LookupMenu(handle), id, enable);
  if (item == nullptr) return -1;
  const BOOL previous = static_cast<BOOL>(item->flags & (MF_GRAYED | MF_DISABLED));
  item->flags = (item->flags & ~(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
  Refresh(LookupMenu(handle));
  return previous;
}

UINT GetMenuState(HMENU handle, UINT id, UINT flags) {
  HMENU__::Item* item = FindMenuItem(LookupMenu(handle), id, flags);
  if (item == nullptr) return static_cast<UINT>(-1);
  UINT state = item->flags & (kStateBits | MF_SEPARATOR | MF_POPUP);
  if (item->popup != nullptr) {
    // A popup reports how many items it holds in the high byte.
    const HMENU__* popup = LookupMenu(item->popup);
    state = (state & 0xFF) | (static_cast<UINT>(popup ? popup->items.size() : 0) << 8);
  }
  return state;
}

int GetMenuItemCount(HMENU handle) {
  HMENU__* menu = LookupMenu(handle);
  return menu != nullptr ? static_cast<int>(menu->items.size()) : -1;
}

BOOL IsMenu(HMENU handle) { return Menus().contains(handle) ? TRUE : FALSE; }

BOOL SetMenu(HWND handle, HMENU menuHandle) {
  Window* w = FromHandle(handle);
  if (w == nullptr || w->IsChild()) return FALSE;
  HMENU__* menu = menuHandle != nullptr ? LookupMenu(menuHandle) : nullptr;
  if (menuHandle != nullptr && menu == nullptr) return FALSE;
  if (MenuActive() && CurrentMenu().owner == w) CloseMenu();
  if (w->menu != nullptr) {
    if (HMENU__* old = LookupMenu(w->menu)) old->window = nullptr;
  }
  w->menu = menuHandle;
  if (menu != nullptr) menu->window = handle;
  // The bar takes its height from the client area; the window keeps its size.
  w->menuBarHeight = menu != nullptr ? GetSystemMetrics(SM_CYMENU) : 0;
  RedrawMenuBar(w);
  InvalidateWhole(w, true);
  const RECT client = ClientRect(*w);
  SendMessageW(handle, WM_SIZE, SIZE_RESTORED,
               MAKELONG(static_cast<WORD>(client.right), static_cast<WORD>(client.bottom)));
  return TRUE;
}

HMENU GetMenu(HWND handle) {
  Window* w = FromHandle(handle);
  return w != nullptr ? w->menu : nullptr;
}

BOOL DestroyMenu(HMENU handle) {
  HMENU__* menu = LookupMenu(handle);
  if (menu == nullptr) return FALSE;
  for (const auto& item : menu->items) {
    if (item.popup != nullptr && IsMenu(item.popup)) DestroyMenu(item.popup);
  }
  for (Window* top : TopLevelWindows()) {
    if (top->menu == handle) SetMenu(top->Handle(), nullptr);
  }
  Menus().erase(handle);
  return TRUE;
}

BOOL DrawMenuBar(HWND handle) {
  Window* w = FromHandle(handle);
  if (w == nullptr) return FALSE;
  RedrawMenuBar(w);
  return TRUE;
}
