// The "Button" control's state and kinds, shared by its behaviour and its
// drawing.
#pragma once

#include "platform/user/controls.h"

namespace user {

enum class ButtonKind { Push, Check, Radio, Group, Owner };

struct ButtonState : ControlState {
  bool tracking = false;     // the left mouse button went down on it and is still held
  bool spaceDown = false;    // Space went down while it had the focus
  bool pushed = false;       // drawn pressed: the pointer held over it, or Space held
  bool highlighted = false;  // drawn pressed on request (BM_SETSTATE)
  UINT check = BST_UNCHECKED;
  UINT pendingAction = 0;  // what changed since the last paint, for an owner's WM_DRAWITEM
};

ButtonKind KindOf(const Window& w);
bool IsDefaultPush(const Window& w);
bool HasFocus(const Window& w);

// Paints the whole button; an owner-drawn one asks its parent to.
void PaintButton(Window& w, ButtonState& state);

}  // namespace user
