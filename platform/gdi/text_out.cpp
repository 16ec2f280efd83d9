// Text output and measurement on a context with its selected font.
#include <algorithm>

#include "platform/api/kernel.h"
#include "platform/gdi/font_engine.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/text_paint.h"

using namespace gdi;

namespace {

long long RunWidth(const FontFace& face, LPCWSTR text, UINT length, const INT* dx) {
  if (dx == nullptr) return TextWidth(face, text, length);
  long long width = 0;
  for (UINT i = 0; i < length; ++i) width += dx[i];
  return width;
}

}  // namespace

BOOL ExtTextOutW(HDC handle, int x, int y, UINT options, const RECT* rect, LPCWSTR text,
                 UINT length, const INT* dx) {
  DeviceContext* dc = LookupDc(handle);
  if (dc == nullptr) return FALSE;
  if (text == nullptr && length > 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  RECT clip = dc->DrawableArea();
  if (rect != nullptr && (options & ETO_CLIPPED) != 0) clip = ClipToLogical(*dc, *rect);
  TextPainter painter(*dc, clip);
  if (rect != nullptr && (options & ETO_OPAQUE) != 0) {
    painter.Fill(rect->left, rect->top, rect->right, rect->bottom, dc->backgroundColor);
  }
  if (length == 0) return TRUE;
  const FontFace& face = SelectedFace(*dc);
  if (dc->backgroundMode == OPAQUE) {
    const long long width = RunWidth(face, text, length, dx);
    painter.Fill(std::min<long long>(x, x + width), y, std::max<long long>(x, x + width),
                 static_cast<long long>(y) + face.metrics.tmHeight, dc->backgroundColor);
  }
  painter.Text(face, x, y, text, length, dx, dc->textColor);
  return TRUE;
}

BOOL TextOutW(HDC dc, int x, int y, LPCWSTR text, int length) {
  if (length < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return ExtTextOutW(dc, x, y, 0, nullptr, text, static_cast<UINT>(length), nullptr);
}

BOOL GetTextMetricsW(HDC handle, TEXTMETRICW* metrics) {
  DeviceContext* dc = LookupDc(handle);
  if (dc == nullptr) return FALSE;
  if (metrics == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *metrics = SelectedFace(*dc).metrics;
  return TRUE;
}

BOOL GetTextExtentPoint32W(HDC handle, LPCWSTR text, int length, SIZE* size) {
  DeviceContext* dc = LookupDc(handle);
  if (dc == nullptr) return FALSE;
  if (size == nullptr || length < 0 || (text == nullptr && length > 0)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const FontFace& face = SelectedFace(*dc);
  const long long width = TextWidth(face, text, static_cast<std::size_t>(length));
  size->cx = static_cast<LONG>(std::min<long long>(width, 0x7FFFFFFF));
  size->cy = face.metrics.tmHeight;
  return TRUE;
}
