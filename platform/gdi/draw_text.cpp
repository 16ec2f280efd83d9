// DrawTextW: text laid out in a rectangle, aligned, clipped, with mnemonic
// underlines.
#include <algorithm>
#include <string>

#include "platform/api/kernel.h"
#include "platform/api/user.h"
#include "platform/gdi/font_engine.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/text_layout.h"
#include "platform/gdi/text_paint.h"

using namespace gdi;

namespace {

long long LineLeft(const RECT& rect, UINT format, long long width) {
  if ((format & DT_CENTER) != 0)
    return (static_cast<long long>(rect.left) + rect.right - width) / 2;
  if ((format & DT_RIGHT) != 0) return rect.right - width;
  return rect.left;
}

// Vertical alignment applies to a single line only, as the API defines it;
// several lines always start at the top.
long long FirstLineTop(const RECT& rect, UINT format, long long height) {
  if ((format & DT_SINGLELINE) == 0) return rect.top;
  if ((format & DT_VCENTER) != 0)
    return (static_cast<long long>(rect.top) + rect.bottom - height) / 2;
  if ((format & DT_BOTTOM) != 0) return rect.bottom - height;
  return rect.top;
}

// Draws one line: its background in an opaque context, the text piece by
// piece between tabs, then the mnemonic underlines.
void DrawLine(TextPainter& painter, const DeviceContext& dc, const FontFace& face,
              const TextLayout& layout, const TextLine& line, long long x, long long y,
              bool underlineMnemonics) {
  const long long height = face.metrics.tmHeight;
  if (dc.backgroundMode == OPAQUE) {
    painter.Fill(x, y, x + line.width, y + height, dc.backgroundColor);
  }
  std::size_t piece = line.start;
  while (piece < line.end) {
    std::size_t end = piece;
    while (end < line.end && !(layout.expandTabs && layout.text[end] == u'\t')) ++end;
    const long long offset = OffsetInLine(face, layout, line, piece);
    painter.Text(face, x + offset, y, layout.text.data() + piece, end - piece, nullptr,
                 dc.textColor);
    piece = end + 1;
  }
  if (!underlineMnemonics) return;
  for (std::size_t at : layout.mnemonics) {
    if (at < line.start || at >= line.end) continue;
    const long long from = x + OffsetInLine(face, layout, line, at);
    const long long to = x + OffsetInLine(face, layout, line, at + 1);
    painter.Fill(from, y + face.underlineTop, to, y + face.underlineTop + face.underlineHeight,
                 dc.textColor);
  }
}

}  // namespace

int DrawTextW(HDC handle, LPCWSTR text, int length, LPRECT rect, UINT format) {
  DeviceContext* dc = LookupDc(handle);
  if (dc == nullptr) return 0;
  if (rect == nullptr || (text == nullptr && length != 0)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const std::u16string_view view =
      length < 0 ? std::u16string_view(text)
                 : std::u16string_view(text, static_cast<std::size_t>(length));
  const FontFace& face = SelectedFace(*dc);
  const TextLayout layout =
      LayOutText(face, view, format, static_cast<long long>(rect->right) - rect->left);
  const long long lineHeight = face.metrics.tmHeight;
  const long long height = lineHeight * static_cast<long long>(layout.lines.size());
  const auto result = [](long long value) {
    return static_cast<int>(std::clamp<long long>(value, 0, 0x7FFFFFFF));
  };
  if ((format & DT_CALCRECT) != 0) {
    rect->right = static_cast<LONG>(std::min<long long>(rect->left + layout.width, 0x7FFFFFFF));
    rect->bottom = static_cast<LONG>(std::min<long long>(rect->top + height, 0x7FFFFFFF));
    return result(height);
  }
  const RECT clip = (format & DT_NOCLIP) != 0 ? dc->DrawableArea() : ClipToLogical(*dc, *rect);
  const bool underline = (format & (DT_NOPREFIX | DT_HIDEPREFIX)) == 0;
  const long long top = FirstLineTop(*rect, format, lineHeight);
  {
    TextPainter painter(*dc, clip);
    long long y = top;
    for (const TextLine& line : layout.lines) {
      DrawLine(painter, *dc, face, layout, line, LineLeft(*rect, format, line.width), y, underline);
      y += lineHeight;
    }
  }
  // With the text moved down, what counts is how far below the top it ends.
  if ((format & DT_SINGLELINE) != 0 && (format & (DT_VCENTER | DT_BOTTOM)) != 0) {
    return result(top - rect->top + height);
  }
  return result(height);
}
