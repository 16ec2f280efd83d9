// How the "Button" control looks: raised push buttons that sink while
// pressed, check boxes and radio buttons with their marks, group frames, and
// the owner's own drawing through WM_DRAWITEM.
#include <algorithm>

#include "platform/user/button.h"

namespace user {
namespace {

constexpr int kMarkSize = 13;  // the square of a check box or radio button
constexpr int kMarkGap = 4;    // between the mark and the caption

// A caption as buttons draw it: greyed and embossed while disabled.
void DrawCaption(Window& w, HDC dc, RECT r, UINT format) {
  SetBkMode(dc, TRANSPARENT);
  const int length = static_cast<int>(w.text.size());
  if (!w.Enabled()) {
    RECT shadow = r;
    OffsetRect(&shadow, 1, 1);
    SetTextColor(dc, GetSysColor(COLOR_3DHIGHLIGHT));
    DrawTextW(dc, w.text.c_str(), length, &shadow, format);
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  }
  DrawTextW(dc, w.text.c_str(), length, &r, format);
}

void PaintPush(Window& w, const ButtonState& s, HDC dc) {
  const bool down = s.pushed || s.highlighted;
  RECT r = ClientRect(w);
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  if (IsDefaultPush(w)) DrawEdgeRing(dc, r, COLOR_WINDOWFRAME, COLOR_WINDOWFRAME);
  if (down) {
    DrawEdgeRing(dc, r, COLOR_3DDKSHADOW, COLOR_3DHIGHLIGHT);
    DrawEdgeRing(dc, r, COLOR_3DSHADOW, COLOR_3DLIGHT);
  } else {
    DrawEdgeRing(dc, r, COLOR_3DHIGHLIGHT, COLOR_3DDKSHADOW);
    DrawEdgeRing(dc, r, COLOR_3DLIGHT, COLOR_3DSHADOW);
  }
  RECT caption = r;
  if (down) OffsetRect(&caption, 1, 1);  // the caption sinks with the face
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  DrawCaption(w, dc, caption, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  if (HasFocus(w)) {
    InflateRect(&r, -1, -1);
    DrawFocusRect(dc, &r);
  }
}

// The tick of a checked box: a short stroke down and a long one up, three
// pixels thick, in the box's 9 by 9 inside.
void DrawTick(HDC dc, int left, int top, HBRUSH brush) {
  constexpr int kRise[] = {2, 3, 4, 3, 2, 1, 0};
  for (int i = 0; i < 7; ++i) {
    const RECT stroke{left + 1 + i, top + 1 + kRise[i], left + 2 + i, top + 4 + kRise[i]};
    FillRect(dc, &stroke, brush);
  }
}

void DrawCheckMark(const ButtonState& s, HDC dc, RECT box, bool enabled) {
  DrawEdgeRing(dc, box, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT);
  DrawEdgeRing(dc, box, COLOR_3DDKSHADOW, COLOR_3DLIGHT);
  const bool grey = !enabled || s.pushed || s.check == BST_INDETERMINATE;
  FillRect(dc, &box, GetSysColorBrush(grey ? COLOR_BTNFACE : COLOR_WINDOW));
  if (s.check == BST_UNCHECKED) return;
  const int tick = s.check == BST_INDETERMINATE || !enabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT;
  DrawTick(dc, box.left, box.top, GetSysColorBrush(tick));
}

void DrawRadioMark(const ButtonState& s, HDC dc, RECT box, bool enabled) {
  HGDIOBJ pen = SelectObject(dc, GetStockObject(BLACK_PEN));
  HGDIOBJ brush =
      SelectObject(dc, GetSysColorBrush(enabled && !s.pushed ? COLOR_WINDOW : COLOR_BTNFACE));
  Ellipse(dc, box.left, box.top, box.right, box.bottom);
  if (s.check != BST_UNCHECKED) {
    SelectObject(dc, GetStockObject(enabled ? BLACK_BRUSH : GRAY_BRUSH));
    Ellipse(dc, box.left + 4, box.top + 4, box.right - 4, box.bottom - 4);
  }
  SelectObject(dc, brush);
  SelectObject(dc, pen);
}

void PaintMarked(Window& w, const ButtonState& s, HDC dc) {
  RECT r = ClientRect(w);
  FillRect(dc, &r, ControlBrush(w, dc, WM_CTLCOLORSTATIC, COLOR_BTNFACE));
  const int top = std::max<int>(0, (r.bottom - kMarkSize) / 2);
  const RECT box{0, top, kMarkSize, top + kMarkSize};
  if (KindOf(w) == ButtonKind::Radio)
    DrawRadioMark(s, dc, box, w.Enabled());
  else
    DrawCheckMark(s, dc, box, w.Enabled());
  RECT caption{kMarkSize + kMarkGap, 0, r.right, r.bottom};
  DrawCaption(w, dc, caption, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  if (!HasFocus(w) || w.text.empty()) return;
  RECT measured = caption;
  DrawTextW(dc, w.text.c_str(), static_cast<int>(w.text.size()), &measured,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_CALCRECT);
  const int height = measured.bottom - measured.top;
  RECT focus{caption.left - 1, (r.bottom - height) / 2 - 1, measured.right + 1,
             (r.bottom - height) / 2 + height + 1};
  DrawFocusRect(dc, &focus);
}

// An etched frame with the caption breaking its top line.
void PaintGroup(Window& w, HDC dc) {
  RECT r = ClientRect(w);
  FillRect(dc, &r, ControlBrush(w, dc, WM_CTLCOLORSTATIC, COLOR_BTNFACE));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  RECT frame{r.left, r.top + metrics.tmHeight / 2, r.right, r.bottom};
  RECT outer = frame;
  DrawEdgeRing(dc, outer, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT);
  DrawEdgeRing(dc, outer, COLOR_3DHIGHLIGHT, COLOR_3DSHADOW);
  if (w.text.empty()) return;
  RECT caption{8, 0, r.right - 8, metrics.tmHeight};
  DrawTextW(dc, w.text.c_str(), static_cast<int>(w.text.size()), &caption,
            DT_LEFT | DT_SINGLELINE | DT_CALCRECT);
  InflateRect(&caption, 2, 0);
  FillRect(dc, &caption, ControlBrush(w, dc, WM_CTLCOLORSTATIC, COLOR_BTNFACE));
  InflateRect(&caption, -2, 0);
  DrawCaption(w, dc, caption, DT_LEFT | DT_SINGLELINE);
}

UINT OwnerState(const Window& w, const ButtonState& s) {
  UINT state = 0;
  if (s.pushed || s.highlighted) state |= ODS_SELECTED;
  if (HasFocus(w)) state |= ODS_FOCUS;
  if (!w.Enabled()) state |= ODS_DISABLED;
  return state;
}

// The parent draws; the context comes with the parent's colours and the
// button's font already chosen.
void PaintOwner(Window& w, ButtonState& s, HDC dc) {
  ControlBrush(w, dc, WM_CTLCOLORBTN, COLOR_BTNFACE);
  if (!w.IsChild() || w.parent == nullptr) return;
  // A paint of the button's own making says what changed; any other one
  // (the first, an uncovering) asks for everything.
  const UINT changes = s.pendingAction & (ODA_SELECT | ODA_FOCUS);
  const UINT action =
      changes != 0 && !(s.pendingAction & ODA_DRAWENTIRE) ? changes : ODA_DRAWENTIRE;
  DRAWITEMSTRUCT item{ODT_BUTTON, static_cast<UINT>(w.id), 0, action, OwnerState(w, s), w.Handle(),
                      dc,         ClientRect(w),           0};
  SendMessageW(w.parent->Handle(), WM_DRAWITEM, static_cast<WPARAM>(w.id),
               reinterpret_cast<LPARAM>(&item));
}

}  // namespace

void PaintButton(Window& w, ButtonState& s) {
  PAINTSTRUCT ps;
  const HWND handle = w.Handle();
  HDC dc = BeginPaint(handle, &ps);
  HGDIOBJ previous = SelectObject(dc, ControlFont(w));
  switch (KindOf(w)) {
    case ButtonKind::Push:
      ControlBrush(w, dc, WM_CTLCOLORBTN, COLOR_BTNFACE);
      PaintPush(w, s, dc);
      break;
    case ButtonKind::Check:
    case ButtonKind::Radio:
      PaintMarked(w, s, dc);
      break;
    case ButtonKind::Group:
      PaintGroup(w, dc);
      break;
    case ButtonKind::Owner:
      PaintOwner(w, s, dc);
      break;
  }
  if (gdi::LookupDc(dc) != nullptr) SelectObject(dc, previous);
  EndPaint(handle, &ps);
  if (FromHandle(handle) == nullptr) return;  // its owner took it away while drawing
  s.pendingAction = 0;
  DrawControlFrame(w);
}

}  // namespace user
