// Where the "edit" control's line lies and how it is drawn: the text scrolled
// so that the caret stays in sight, the selection highlighted while the
// control has the focus, and a steady caret at the insertion point. The caret
// does not blink: a blink needs a timer of its own, which would wake every
// message loop that waits (the headless one never going idle) and would send
// the control WM_TIMER ids that a subclass may take for its own timers.
#include <algorithm>
#include <cstdlib>

#include "platform/user/edit.h"
#include "platform/user/state.h"

namespace user {

std::u16string ShownText(const Window& w, const EditState& s) {
  if (s.passwordChar != 0) return std::u16string(w.text.size(), s.passwordChar);
  return w.text;
}

LineMeasure::LineMeasure(Window& w, const EditState& s)
    : w_(w), s_(s), dc_(GetDC(w.Handle())), shown_(ShownText(w, s)) {
  previous_ = SelectObject(dc_, ControlFont(w));
}

LineMeasure::~LineMeasure() {
  SelectObject(dc_, previous_);
  ReleaseDC(w_.Handle(), dc_);
}

int LineMeasure::X(std::size_t position) const {
  return TextWidth(dc_, std::u16string_view(shown_).substr(0, position));
}

int LineMeasure::LineLeft() const {
  const int room = ClientRect(w_).right - 2 * kEditMargin;
  const int width = Width();
  int align = 0;
  // Alignment matters only while the whole line fits.
  if (width < room && (w_.style & ES_RIGHT))
    align = room - width;
  else if (width < room && (w_.style & ES_CENTER))
    align = (room - width) / 2;
  return kEditMargin + align - s_.scroll;
}

std::size_t LineMeasure::PositionAt(int clientX) const {
  const int x = clientX - LineLeft();
  std::size_t best = 0;
  int bestDistance = std::abs(x);
  for (std::size_t i = 1; i <= shown_.size(); ++i) {
    const int distance = std::abs(x - X(i));
    if (distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return best;
}

void KeepCaretVisible(Window& w, EditState& s) {
  const LineMeasure line(w, s);
  // One pixel more than the text: the caret after the last character.
  const int room = std::max(1, ClientRect(w).right - 2 * kEditMargin);
  const int width = line.Width() + 1;
  const int caret = line.X(s.caret);
  if (width <= room) {
    s.scroll = 0;
    return;
  }
  if (caret < s.scroll) s.scroll = caret;
  if (caret + 1 > s.scroll + room) s.scroll = caret + 1 - room;
  s.scroll = std::clamp(s.scroll, 0, width - room);
}

namespace {

bool Greyed(const Window& w) {
  return !w.Enabled() || (w.style & ES_READONLY);
}

void DrawSelection(HDC dc, const LineMeasure& line, const std::u16string& shown, const EditState& s,
                   int y, int height) {
  const std::size_t from = s.SelectionStart(), to = s.SelectionEnd();
  const int left = line.LineLeft();
  const RECT band{left + line.X(from), y, left + line.X(to), y + height};
  FillRect(dc, &band, GetSysColorBrush(COLOR_HIGHLIGHT));
  SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
  TextOutW(dc, band.left, y, shown.c_str() + from, static_cast<int>(to - from));
}

void DrawCaret(HDC dc, const LineMeasure& line, const EditState& s, int y, int height) {
  const int x = line.LineLeft() + line.X(s.caret);
  HBRUSH brush = CreateSolidBrush(GetTextColor(dc));
  const RECT bar{x, y, x + 1, y + height};
  FillRect(dc, &bar, brush);
  DeleteObject(brush);
}

}  // namespace

void PaintEdit(Window& w, EditState& s) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(w.Handle(), &ps);
  // Read-only and disabled boxes sit on the face colour, as static text does.
  HBRUSH brush = Greyed(w) ? ControlBrush(w, dc, WM_CTLCOLORSTATIC, COLOR_BTNFACE)
                           : ControlBrush(w, dc, WM_CTLCOLOREDIT, COLOR_WINDOW);
  const RECT client = ClientRect(w);
  FillRect(dc, &client, brush);
  if (!w.Enabled()) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  const COLORREF textColour = GetTextColor(dc);
  HGDIOBJ previous = SelectObject(dc, ControlFont(w));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  const int height = metrics.tmHeight;
  const int y = std::max(0, (static_cast<int>(client.bottom) - height) / 2);
  const std::u16string shown = ShownText(w, s);
  {
    const LineMeasure line(w, s);
    SetBkMode(dc, TRANSPARENT);
    TextOutW(dc, line.LineLeft(), y, shown.c_str(), static_cast<int>(shown.size()));
    const bool focused = Now().focus == &w;
    if ((focused || (w.style & ES_NOHIDESEL)) && s.SelectionStart() != s.SelectionEnd()) {
      DrawSelection(dc, line, shown, s, y, height);
    }
    SetTextColor(dc, textColour);
    if (focused && w.Enabled()) DrawCaret(dc, line, s, y, height);
  }
  SelectObject(dc, previous);
  EndPaint(w.Handle(), &ps);
  DrawControlFrame(w);
}

}  // namespace user
