// The window procedure's reactions, one per message or group of messages.
// Each gets the message and the element found for its window, and either
// answers the message itself or leaves it to default processing.
#pragma once

#include <cstdint>

#include "framework/elements/gui_element.h"

namespace VexaUtility {

struct Message {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  GUIElement* element;  // may be null
};

struct Reaction {
  bool answered = false;  // true: return `result`, no default processing
  LRESULT result = 0;
};

inline Reaction Answer(LRESULT result) {
  return Reaction{true, result};
}
inline Reaction PassOn() {
  return Reaction{};
}

// The 16-bit halves of a value, the way mouse positions and codes travel.
inline std::int32_t LowSigned(LPARAM v) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(v & 0xFFFF));
}
inline std::int32_t HighSigned(LPARAM v) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>((v >> 16) & 0xFFFF));
}

Reaction ReactActivate(const Message& m);
Reaction ReactTab(const Message& m);
Reaction ReactCommand(const Message& m);
Reaction ReactNotify(const Message& m);
Reaction ReactScroll(const Message& m);
Reaction ReactWheel(const Message& m);
Reaction ReactHotKey(const Message& m);
Reaction ReactDrawItem(const Message& m);

}  // namespace VexaUtility
