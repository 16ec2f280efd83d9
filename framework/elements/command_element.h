// The part of an element that can be chosen: a button pressed, a menu item
// picked. The window procedure finds it by asking whether an element is
// also a CommandElement.
#pragma once

#include "framework/elements/gui_element.h"

namespace VexaUtility {

using CommandCallback = void (*)(GUIElement* element);

class CommandElement {
 public:
  CommandCallback onCommand = nullptr;
};

}  // namespace VexaUtility
