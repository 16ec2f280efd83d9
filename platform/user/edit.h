// The "edit" control's state and its line's geometry, shared by its editing
// and its drawing.
#pragma once

#include <cstddef>
#include <string>

#include "platform/user/controls.h"

namespace user {

struct EditState : ControlState {
  std::size_t anchor = 0;  // where the selection began
  std::size_t caret = 0;   // the insertion point: the selection's moving end
  std::size_t limit = 0x7FFF;
  char16_t passwordChar = 0;  // shown for every character when not 0
  int scroll = 0;             // pixels of the line scrolled out at the left
  bool selecting = false;     // the mouse is dragging a selection

  std::size_t SelectionStart() const { return anchor < caret ? anchor : caret; }
  std::size_t SelectionEnd() const { return anchor < caret ? caret : anchor; }
};

// The space between the frame and the text, on each side.
constexpr int kEditMargin = 2;

// The line as shown: the text, or a password character for each of its own.
std::u16string ShownText(const Window& w, const EditState& s);

// Measures the line in the control's font; made and released around one use.
class LineMeasure {
 public:
  LineMeasure(Window& w, const EditState& s);
  ~LineMeasure();
  LineMeasure(const LineMeasure&) = delete;
  LineMeasure& operator=(const LineMeasure&) = delete;

  int Width() const { return TextWidth(dc_, shown_); }
  int X(std::size_t position) const;  // where `position` lies from the line's start
  int LineLeft() const;  // client x of the line's start, scrolling and alignment counted
  std::size_t PositionAt(int clientX) const;  // the character boundary nearest a client x

 private:
  Window& w_;
  const EditState& s_;
  HDC dc_;
  HGDIOBJ previous_;
  std::u16string shown_;
};

// Scrolls the line so that the caret stays in sight.
void KeepCaretVisible(Window& w, EditState& s);
void PaintEdit(Window& w, EditState& s);

}  // namespace user
