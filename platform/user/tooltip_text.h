// The text of a tooltip: how much room it takes and how it is drawn.
#pragma once

#include <string_view>

#include "platform/api/user.h"

namespace user {

// Margin between the tip's border and its text, in pixels, on every side.
constexpr int kTipMargin = 3;

// The size of the text as it will be drawn with the context's font.
SIZE MeasureTipText(HDC dc, std::u16string_view text);
// Draws the text into `box` (client coordinates of the tip).
void DrawTipText(HDC dc, const RECT& box, std::u16string_view text);

}  // namespace user
