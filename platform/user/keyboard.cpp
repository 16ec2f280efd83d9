// Key state and the making of character messages.
#include "platform/user/state.h"

namespace user {
namespace {

constexpr std::uint8_t kDown = 0x80;
constexpr std::uint8_t kToggled = 0x01;

struct Pair {
  int generic, left, right;
};
constexpr Pair kModifierPairs[] = {
    {VK_SHIFT, VK_LSHIFT, VK_RSHIFT},
    {VK_CONTROL, VK_LCONTROL, VK_RCONTROL},
    {VK_MENU, VK_LMENU, VK_RMENU},
};

void SetKey(std::array<std::uint8_t, 256>& keys, int code, bool down) {
  if (code <= 0 || code > 255) return;
  std::uint8_t& k = keys[static_cast<std::size_t>(code)];
  if (down && !(k & kDown)) k ^= kToggled;
  k = down ? (k | kDown) : (k & ~kDown);
}

void SyncGenericModifiers(std::array<std::uint8_t, 256>& keys) {
  for (const Pair& p : kModifierPairs) {
    const bool down = (keys[p.left] & kDown) || (keys[p.right] & kDown);
    SetKey(keys, p.generic, down);
  }
}

struct ButtonMessage {
  UINT message;
  int key;
  bool down;
};
constexpr ButtonMessage kButtonMessages[] = {
    {WM_LBUTTONDOWN, VK_LBUTTON, true},  {WM_LBUTTONUP, VK_LBUTTON, false},
    {WM_LBUTTONDBLCLK, VK_LBUTTON, true}, {WM_RBUTTONDOWN, VK_RBUTTON, true},
    {WM_RBUTTONUP, VK_RBUTTON, false},   {WM_RBUTTONDBLCLK, VK_RBUTTON, true},
    {WM_MBUTTONDOWN, VK_MBUTTON, true},  {WM_MBUTTONUP, VK_MBUTTON, false},
};

}  // namespace

void ApplyKeyMessage(const QueuedMessage& queued) {
  auto& keys = Now().keys;
  const UINT message = queued.msg.message;
  const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
  const bool up = message == WM_KEYUP || message == WM_SYSKEYUP;
  if (down || up) {
    const int code = queued.keyCode != 0 ? queued.keyCode : static_cast<int>(queued.msg.wParam);
    SetKey(keys, code, down);
    if (code != static_cast<int>(queued.msg.wParam)) SyncGenericModifiers(keys);
    return;
  }
  for (const ButtonMessage& b : kButtonMessages) {
    if (b.message == message) SetKey(keys, b.key, b.down);
  }
}

void SetAsyncKey(int code, bool down) {
  auto& keys = Now().asyncKeys;
  SetKey(keys, code, down);
  SyncGenericModifiers(keys);
}

}  // namespace user

using namespace user;

SHORT GetKeyState(int virtualKey) {
  if (virtualKey <= 0 || virtualKey > 255) return 0;
  const std::uint8_t k = Now().keys[static_cast<std::size_t>(virtualKey)];
  return static_cast<SHORT>(((k & 0x80) ? 0x8000 : 0) | (k & 0x01));
}

SHORT GetAsyncKeyState(int virtualKey) {
  if (virtualKey <= 0 || virtualKey > 255) return 0;
  return (Now().asyncKeys[static_cast<std::size_t>(virtualKey)] & 0x80) ? static_cast<SHORT>(0x8000)
                                                                        : 0;
}

namespace {

// The character a key makes by itself, without typed text: the control
// characters of Backspace, Tab, Enter and Esc, and Ctrl with a letter.
char16_t ControlCharacter(WPARAM key) {
  switch (key) {
    case VK_BACK: return 8;
    case VK_TAB: return 9;
    case VK_RETURN: return 13;
    case VK_ESCAPE: return 27;
    default: break;
  }
  const bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
  const bool alt = (GetKeyState(VK_MENU) & 0x8000) != 0;
  if (control && !alt && key >= 'A' && key <= 'Z') return static_cast<char16_t>(key - 'A' + 1);
  return 0;
}

}  // namespace

BOOL TranslateMessage(const MSG* msg) {
  if (msg == nullptr) return FALSE;
  const UINT m = msg->message;
  if (m != WM_KEYDOWN && m != WM_SYSKEYDOWN && m != WM_KEYUP && m != WM_SYSKEYUP) return FALSE;
  if (m == WM_KEYUP || m == WM_SYSKEYUP) return TRUE;
  const UINT charMessage = m == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
  const LPARAM repeat = msg->lParam & 0xFFFFFF;
  auto& pending = Now().pendingCharacters;
  std::u16string text;
  for (auto it = pending.begin(); it != pending.end(); ++it) {
    if (it->serial == msg->lPrivate) {
      text = it->text;
      pending.erase(it);
      break;
    }
  }
  if (text.empty()) {
    char16_t c = ControlCharacter(msg->wParam);
    // Alt with a letter or digit makes the system character of its key, in
    // small letters, as the menu bar's mnemonics expect.
    const WPARAM key = msg->wParam;
    if (c == 0 && m == WM_SYSKEYDOWN && ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))) {
      c = static_cast<char16_t>(key >= 'A' && key <= 'Z' ? key + 32 : key);
    }
    if (c != 0) text = c;
  }
  for (char16_t c : text) PostMessageW(msg->hwnd, charMessage, c, repeat);
  return TRUE;
}
