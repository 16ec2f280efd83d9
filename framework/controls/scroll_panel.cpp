#include "framework/controls/scroll_panel.h"

#include "framework/controls/control_window.h"

namespace VexaUtility {

PanelChildren::PanelChildren(GUIElement* owner) : Child(nullptr) {
  SetUpControl(*this, owner, "", "panel");
}

void PanelChildren::Create() {
  if (created) return;
  DWORD style = WS_CHILD | WS_VISIBLE;
  if (horizontalScroll) style |= WS_HSCROLL;
  if (verticalScroll) style |= WS_VSCROLL;
  MakeControlWindow(*this, u"static", style, WS_EX_CONTROLPARENT);
  FinishCreate();
}

}  // namespace VexaUtility
