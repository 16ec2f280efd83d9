// Hot keys: key combinations that reach a window as WM_HOTKEY while this
// program has the keyboard.
#include <algorithm>
#include <vector>

#include "platform/api/kernel.h"
#include "platform/user/state.h"

namespace user {
namespace {

struct HotKey {
  Window* window;
  int id;
  UINT modifiers;  // without MOD_NOREPEAT
  UINT key;
  bool noRepeat;
};

std::vector<HotKey>& HotKeys() {
  static std::vector<HotKey> hotKeys;
  return hotKeys;
}

UINT HeldModifiers() {
  UINT m = 0;
  if (GetAsyncKeyState(VK_MENU) & 0x8000) m |= MOD_ALT;
  if (GetAsyncKeyState(VK_CONTROL) & 0x8000) m |= MOD_CONTROL;
  if (GetAsyncKeyState(VK_SHIFT) & 0x8000) m |= MOD_SHIFT;
  return m;
}

}  // namespace

bool TryHotKey(int virtualKey, bool repeat) {
  if (!Now().hasKeyboard) return false;
  const UINT held = HeldModifiers();
  for (const HotKey& h : HotKeys()) {
    if (h.key != static_cast<UINT>(virtualKey) || h.modifiers != held) continue;
    if (repeat && h.noRepeat) return true;
    PostMessageW(h.window != nullptr ? h.window->Handle() : nullptr, WM_HOTKEY,
                 static_cast<WPARAM>(h.id), MAKELONG(static_cast<WORD>(h.modifiers),
                                                     static_cast<WORD>(h.key)));
    return true;
  }
  return false;
}

void UnregisterWindowHotKeys(Window* window) {
  std::erase_if(HotKeys(), [&](const HotKey& h) { return h.window == window; });
}

}  // namespace user

using namespace user;

BOOL RegisterHotKey(HWND handle, int id, UINT modifiers, UINT virtualKey) {
  Window* w = handle != nullptr ? FromHandle(handle) : nullptr;
  if (handle != nullptr && w == nullptr) return FALSE;
  const bool noRepeat = (modifiers & MOD_NOREPEAT) != 0;
  modifiers &= MOD_ALT | MOD_CONTROL | MOD_SHIFT | MOD_WIN;
  for (const HotKey& h : HotKeys()) {
    if ((h.window == w && h.id == id) || (h.key == virtualKey && h.modifiers == modifiers)) {
      SetLastError(ERROR_HOTKEY_ALREADY_REGISTERED);
      return FALSE;
    }
  }
  HotKeys().push_back(HotKey{w, id, modifiers, virtualKey, noRepeat});
  return TRUE;
}

BOOL UnregisterHotKey(HWND handle, int id) {
  Window* w = handle != nullptr ? FromHandle(handle) : nullptr;
  if (handle != nullptr && w == nullptr) return FALSE;
  auto& hotKeys = HotKeys();
  const auto before = hotKeys.size();
  std::erase_if(hotKeys, [&](const HotKey& h) { return h.window == w && h.id == id; });
  if (hotKeys.size() == before) {
    SetLastError(ERROR_HOTKEY_NOT_REGISTERED);
    return FALSE;
  }
  return TRUE;
}
