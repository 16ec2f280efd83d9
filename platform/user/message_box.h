// The message box: one modal window with a text, an icon and a row of
// buttons. Its window and its modal loop share what one box is about.
#pragma once

#include <string>

#include "platform/user/window.h"

namespace user {

// The buttons a box offers, by its type.
struct BoxButtons {
  int count;
  int ids[3];
  const char16_t* labels[3];
  int escape;  // the answer of Esc and of the close box; 0: neither closes it
};

struct BoxSession {
  UINT type = 0;
  std::u16string text;
  std::u16string caption;
  const BoxButtons* buttons = nullptr;
  HICON icon = nullptr;
  RECT iconRect{};
  RECT textRect{};
  bool done = false;
  int result = 0;
};

// Makes the box's window, hidden, sized to its text and centred on the owner
// or the screen. Null when it could not be made.
HWND CreateBoxWindow(HWND owner, BoxSession& session);

// The picture for the icon a box type asks for, or null.
HICON BoxIcon(UINT type);

}  // namespace user
