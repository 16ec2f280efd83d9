// A line of text on a form: the system's static control.
#pragma once

#include <string>

#include "framework/elements/child.h"

namespace VexaUtility {

class Label : public Child {
 public:
  bool bordered = false;
  bool alignRight = false;
  bool alignCenter = false;  // ignored when alignRight is set

  Label(GUIElement* parent, const std::string& text);
  void Create() override;
};

}  // namespace VexaUtility
