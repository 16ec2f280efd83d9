// A field to type into: the system's edit control.
#pragma once

#include <cstdint>
#include <string>

#include "framework/elements/child.h"

namespace VexaUtility {

class TextBox : public Child {
 public:
  std::int32_t maxLength = -1;  // -1: no limit of its own
  bool multiline = false;
  bool hScroll = false;
  bool vScroll = false;
  bool readOnly = false;
  bool numbersOnly = false;
  bool password = false;  // applied by ApplyStyle only
  bool lowerCase = false;  // ignored when upperCase is set
  bool upperCase = false;
  bool alignRight = false;
  bool alignCenter = false;  // ignored when alignRight is set
  bool bordered = true;
  bool wordWrap = false;  // with multiline: no horizontal scrolling

  TextBox(GUIElement* parent, const std::string& text);
  void Create() override;
  // The window style the fields give.
  std::uint32_t Style() const;
  // Gives an existing window the style of the fields again.
  void ApplyStyle();
};

}  // namespace VexaUtility
