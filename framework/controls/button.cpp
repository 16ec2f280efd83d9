#include "framework/controls/button.h"

#include "framework/controls/control_window.h"
#include "framework/drawing/drawing.h"
#include "framework/elements/font.h"

namespace VexaUtility {
namespace {

constexpr COLORREF kDisabledText = 0x969696;
constexpr COLORREF kDisabledFrame = 0x696969;
constexpr int kFocusInset = 3;

// The height of the font the context holds, read by swapping in a default
// font for a moment: that gives back the one that was selected.
LONG SelectedFontHeight(HDC dc) {
  FontSpec probe;
  HGDIOBJ previous = SelectObject(dc, probe.Realize());
  LOGFONTW log{};
  GetObjectW(previous, sizeof log, &log);
  SelectObject(dc, previous);
  return log.lfHeight;
}

}  // namespace

Button::Button(GUIElement* owner, const std::string& caption) : Child(nullptr) {
  SetUpControl(*this, owner, caption, "button");
}

void Button::Create() {
  if (created) return;
  DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (ownerDraw ? BS_OWNERDRAW : 0);
  if (!enabled) style |= WS_DISABLED;
  MakeControlWindow(*this, u"Button", style, 0);
  FinishCreate();
}

std::int32_t Button::DrawImage(Drawing& surface, const RECT& area, bool) {
  HBITMAP picture = enabled ? enabledBitmap : disabledBitmap;
  if (picture != nullptr) {
    BITMAP info{};
    GetObjectW(picture, sizeof info, &info);
    surface.DrawTransparent(area.left + 5, (area.bottom - area.top - info.bmHeight) / 2, 0, 0,
                            picture);
    return info.bmWidth + area.left + 8;
  }
  HICON icon = enabled ? enabledIcon : disabledIcon;
  if (icon == nullptr) return 0;
  if (surface.dc != nullptr) {
    DrawIconEx(surface.dc, area.left + 5, (area.bottom - area.top - 32) / 2, icon, 32, 32, 0,
               nullptr, DI_NORMAL | DI_COMPAT);
  }
  return area.left + 40;
}

void Button::PaintOwnerDrawn(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  const RECT& area = item.rcItem;
  const int width = area.right - area.left, height = area.bottom - area.top;
  // The surface borrows the item's context: it neither ends a paint on it
  // nor deletes it.
  Drawing surface(this);
  surface.dc = dc;
  COLORREF textColour = GetTextColor(dc);
  const LONG fontHeight = SelectedFontHeight(dc);
  int textTop = (height - static_cast<int>(fontHeight)) / 2;
  if (textTop < 0) textTop = 0;
  surface.DrawFilledRect(area.left, area.top, width, height, GetBkColor(dc), 0, 0);
  COLORREF frame = textColour;
  if (item.itemState & ODS_DISABLED) {
    textColour = kDisabledText;
    frame = kDisabledFrame;
  } else if (item.itemState & ODS_SELECTED) {
    frame = 0xFFFFFF - textColour;
  }
  surface.OutlineRect(area.left, area.top, width, height, frame);
  const std::int32_t offset = DrawImage(surface, area, (item.itemState & ODS_SELECTED) != 0);
  surface.DrawString(area.left + offset, area.top + textTop, width - offset, height, GetText(),
                     textColour, nullptr, offset > 0 ? 0 : 2);
  if (item.itemState & ODS_FOCUS) {
    RECT focus = area;
    InflateRect(&focus, -kFocusInset, -kFocusInset);
    DrawFocusRect(dc, &focus);
  }
  surface.dc = nullptr;
}

}  // namespace VexaUtility
