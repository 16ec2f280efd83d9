// A window's own scroll bars: range, page and position, kept per window and
// bar, and ScrollWindow. The bars have no picture of their own here; what a
// program sees of them is the numbers and the clamping.
#include <algorithm>

#include "platform/api/kernel.h"
#include "platform/user/state.h"

namespace user {
namespace {

// A window made with WS_HSCROLL or WS_VSCROLL starts with the range 0 to 100.
ScrollBar* BarOf(Window& w, int bar) {
  if (bar != SB_HORZ && bar != SB_VERT) return nullptr;
  ScrollBar& b = w.scrollBars[bar];
  const DWORD style = bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL;
  if (!b.exists && (w.style & style)) b = ScrollBar{true, 0, 100, 0, 0};
  return &b;
}

// The page never exceeds the range, and the position stays where a page
// still fits: from min to max - (page - 1).
void Clamp(ScrollBar& b) {
  if (b.max < b.min) b.max = b.min;
  const long long span = static_cast<long long>(b.max) - b.min + 1;
  if (static_cast<long long>(b.page) > span) b.page = static_cast<UINT>(span);
  const long long last = b.page > 0 ? static_cast<long long>(b.max) - (b.page - 1) : b.max;
  b.pos = static_cast<int>(std::clamp<long long>(b.pos, b.min, std::max<long long>(last, b.min)));
}

}  // namespace
}  // namespace user

using namespace user;

int SetScrollInfo(HWND handle, int bar, LPCSCROLLINFO info, BOOL) {
  Window* w = FromHandle(handle);
  if (w == nullptr || info == nullptr || info->cbSize != sizeof(SCROLLINFO)) return 0;
  ScrollBar* b = BarOf(*w, bar);
  if (b == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  b->exists = true;
  if (info->fMask & SIF_RANGE) {
    b->min = info->nMin;
    b->max = info->nMax;
  }
  if (info->fMask & SIF_PAGE) b->page = info->nPage;
  if (info->fMask & SIF_POS) b->pos = info->nPos;
  Clamp(*b);
  return b->pos;
}

BOOL GetScrollInfo(HWND handle, int bar, LPSCROLLINFO info) {
  Window* w = FromHandle(handle);
  if (w == nullptr || info == nullptr || info->cbSize != sizeof(SCROLLINFO)) return FALSE;
  ScrollBar* b = BarOf(*w, bar);
  if (b == nullptr || !b->exists) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (info->fMask & SIF_RANGE) {
    info->nMin = b->min;
    info->nMax = b->max;
  }
  if (info->fMask & SIF_PAGE) info->nPage = b->page;
  if (info->fMask & SIF_POS) info->nPos = b->pos;
  // Nobody drags a thumb here: the track position is the position.
  if (info->fMask & SIF_TRACKPOS) info->nTrackPos = b->pos;
  return TRUE;
}

BOOL ScrollWindow(HWND handle, int, int, const RECT*, const RECT*) {
  Window* w = FromHandle(handle);
  if (w == nullptr) return FALSE;
  // The contents are drawn again at their new place rather than moved.
  InvalidateWhole(w, true);
  return TRUE;
}
