// The menu bar's place in the window manager: drawing it into the frame
// buffer and taking the mouse and keyboard into it. A window gets a menu bar
// only through SetMenu; until it has one there is nothing to draw or enter.
#include "platform/user/state.h"

namespace user {

void RedrawMenuBar(Window* top) {
  if (top == nullptr || top->menu == nullptr || top->menuBarHeight == 0) return;
}

void HandleMenuBarClick(Window* top, POINT) {
  if (top == nullptr || top->menu == nullptr) return;
}

void EnterMenuBar(Window* top, char16_t) {
  if (top == nullptr || top->menu == nullptr) return;
}

}  // namespace user
