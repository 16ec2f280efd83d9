#include "framework/controls/label.h"

#include "framework/controls/control_window.h"

namespace VexaUtility {

Label::Label(GUIElement* owner, const std::string& caption) : Child(nullptr) {
  SetUpControl(*this, owner, caption, "label");
}

void Label::Create() {
  if (created) return;
  DWORD style = WS_CHILD | WS_VISIBLE | SS_NOTIFY;
  if (!enabled) style |= WS_DISABLED;
  if (bordered) style |= WS_BORDER;
  if (alignRight) {
    style |= SS_RIGHT;
  } else if (alignCenter) {
    style |= SS_CENTER;
  }
  MakeControlWindow(*this, u"static", style, bordered ? WS_EX_CLIENTEDGE : 0);
  FinishCreate();
}

}  // namespace VexaUtility
