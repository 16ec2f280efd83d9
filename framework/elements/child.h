// An element that lives inside another one: a control or timer in a form, a
// menu in a menu bar, an item in a menu. Its `parent` is what holds it.
#pragma once

#include "framework/elements/gui_element.h"

namespace VexaUtility {

class Child : public GUIElement {
 public:
  using GUIElement::GUIElement;
};

}  // namespace VexaUtility
