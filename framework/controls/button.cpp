#include "framework/controls/button.h"

#include "framework/controls/control_window.h"

namespace VexaUtility {
namespace {

constexpr COLORREF kDisabledFrame = 0x696969;
constexpr int kFocusInset = 3;

void Outline(HDC dc, const RECT& area, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FrameRect(dc, &area, brush);
  DeleteObject(brush);
}

void Fill(HDC dc, const RECT& area, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &area, brush);
  DeleteObject(brush);
}

}  // namespace

Button::Button(GUIElement* owner, const std::string& caption) : Child(nullptr) {
  SetUpControl(*this, owner, caption, "button");
}

void Button::Create() {
  if (created) return;
  MakeControlWindow(*this, u"Button",
                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | (ownerDraw ? BS_OWNERDRAW : 0), 0);
  FinishCreate();
}

// The background in the context's background colour, a frame in the text
// colour (its inverse while pressed, grey while disabled) and the focus
// rectangle. The picture and the caption are drawn with the drawing
// surface, which the button gets together with the other controls.
void Button::PaintOwnerDrawn(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  const RECT& area = item.rcItem;
  const COLORREF textColour = GetTextColor(dc);
  Fill(dc, area, GetBkColor(dc));
  COLORREF frame = textColour;
  if (item.itemState & ODS_DISABLED) {
    frame = kDisabledFrame;
  } else if (item.itemState & ODS_SELECTED) {
    frame = 0xFFFFFF - textColour;
  }
  Outline(dc, area, frame);
  if (item.itemState & ODS_FOCUS) {
    RECT focus = area;
    InflateRect(&focus, -kFocusInset, -kFocusInset);
    DrawFocusRect(dc, &focus);
  }
}

}  // namespace VexaUtility
