// Tooltip text: the one place where the tooltip meets the text engine.
#include "platform/user/tooltip_text.h"

namespace user {

SIZE MeasureTipText(HDC dc, std::u16string_view text) {
  SIZE size{0, 0};
  if (!GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size)) {
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    size.cy = metrics.tmHeight;
  }
  return size;
}

void DrawTipText(HDC dc, const RECT& box, std::u16string_view text) {
  RECT area = box;
  SetBkMode(dc, TRANSPARENT);
  DrawTextW(dc, text.data(), static_cast<int>(text.size()), &area,
            DT_SINGLELINE | DT_NOPREFIX | DT_LEFT | DT_VCENTER);
}

}  // namespace user
