// A panel whose children scroll: its own scroll bars, or the mouse wheel,
// move them, and its callbacks hear by how much.
#pragma once

#include <cstdint>
#include <string>

#include "framework/elements/child.h"

namespace VexaUtility {

using ScrollCallback = void (*)(GUIElement* element, std::int32_t delta);

class PanelChildren : public Child {
 public:
  bool horizontalScroll = false;
  bool verticalScroll = false;
  ScrollCallback onHorizontalScroll = nullptr;
  ScrollCallback onVerticalScroll = nullptr;

  explicit PanelChildren(GUIElement* parent);
  void Create() override;
  bool Scrolls(bool vertical) const { return vertical ? verticalScroll : horizontalScroll; }
};

}  // namespace VexaUtility
