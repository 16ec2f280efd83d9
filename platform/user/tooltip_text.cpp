// Tooltip text. These two functions are the only place where the tooltip
// meets the text engine of the drawing layer. That engine (TextOutW,
// GetTextExtentPoint32W) is not part of this build yet, so for now a tip is
// measured as a row of cells of the default font's size and its text is not
// drawn: the box, its colours and its place are all there, the letters come
// with the engine.
#include "platform/user/tooltip_text.h"

namespace user {
namespace {

// The default user-interface font's average cell.
constexpr int kCellWidth = 6;
constexpr int kCellHeight = 13;

}  // namespace

SIZE MeasureTipText(HDC, std::u16string_view text) {
  return SIZE{static_cast<LONG>(text.size()) * kCellWidth, kCellHeight};
}

void DrawTipText(HDC, const RECT&, std::u16string_view) {}

}  // namespace user
