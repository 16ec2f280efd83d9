// Update areas, WM_PAINT, window device contexts and presenting frames.
#include <algorithm>

#include "platform/user/state.h"

namespace user {
namespace {

constexpr std::size_t kMaxUpdateRects = 8;

RECT Bounds(const std::vector<RECT>& rects) {
  RECT all{0, 0, 0, 0};
  for (const RECT& r : rects) all = Union(all, r);
  return all;
}

void AddUpdate(Window* w, const RECT& area, bool erase) {
  const RECT clipped = Intersect(area, ClientRect(*w));
  if (Empty(clipped)) return;
  for (const RECT& pending : w->update) {
    if (Contains(pending, clipped)) {
      w->erasePending = w->erasePending || erase;
      return;
    }
  }
  std::erase_if(w->update, [&](const RECT& pending) { return Contains(clipped, pending); });
  w->update.push_back(clipped);
  if (w->update.size() > kMaxUpdateRects) w->update.assign(1, Bounds(w->update));
  w->erasePending = w->erasePending || erase;
}

// The built-in controls draw their own frames when they paint, so an area
// that reaches into a control's frame has the whole control painted again.
bool OverFrame(const Window& child, const RECT& inChild) {
  if (!child.windowClass->builtIn) return false;
  const Insets in = FrameInsets(child);
  const RECT client = ClientRect(child);
  const RECT whole{-in.left, -in.top, client.right + in.right, client.bottom + in.bottom};
  const RECT touched = Intersect(inChild, whole);
  return !Empty(touched) && !Contains(client, touched);
}

// Invalidates an area of a window and, unless it clips its children, the
// parts of its children under that area.
void InvalidateArea(Window* w, const RECT& area, bool erase, bool children) {
  AddUpdate(w, area, erase);
  if (!children || (w->style & WS_CLIPCHILDREN)) return;
  for (Window* child : w->children) {
    if (child->destroyed) continue;
    const Insets in = FrameInsets(*child);
    const RECT inChild =
        Offset(area, -(child->rect.left + in.left), -(child->rect.top + in.top));
    InvalidateArea(child, OverFrame(*child, inChild) ? ClientRect(*child) : inChild, erase, true);
  }
}

void RemoveUpdate(Window* w, const RECT* area) {
  if (area == nullptr || Contains(*area, Bounds(w->update))) {
    w->update.clear();
    w->erasePending = false;
    return;
  }
  std::erase_if(w->update, [&](const RECT& pending) { return Contains(*area, pending); });
  if (w->update.empty()) w->erasePending = false;
}

void PaintNow(Window* w, bool children) {
  if (!w->update.empty() && ShownOnScreen(*w)) SendMessageW(w->Handle(), WM_PAINT, 0, 0);
  if (!children) return;
  const std::vector<Window*> list = w->children;
  for (Window* child : list) {
    if (!child->destroyed) PaintNow(child, true);
  }
}

Window* FirstNeedingPaint(Window* w) {
  if (w->destroyed || !ShownOnScreen(*w)) return nullptr;
  if (!w->update.empty()) return w;
  for (Window* child : w->children) {
    if (Window* found = FirstNeedingPaint(child)) return found;
  }
  return nullptr;
}

}  // namespace

bool NextPaintMessage(MSG& msg) {
  for (Window* top : TopLevelWindows()) {
    if (Window* w = FirstNeedingPaint(top)) {
      msg = MSG{w->Handle(), WM_PAINT, 0, 0, 0, {}, 0};
      return true;
    }
  }
  return false;
}

void InvalidateWhole(Window* w, bool erase) {
  InvalidateArea(w, ClientRect(*w), erase, true);
  Window* top = TopLevel(w);
  if (top->frame != nullptr && w == top) {
    top->changes.Changed(RECT{0, 0, top->frame->width, top->frame->height});
  }
}

void PresentChanges() {
  for (Window* top : TopLevelWindows()) {
    if (top->frame == nullptr || top->changes.Empty()) continue;
    if (!top->visible || top->minimized) continue;
    std::vector<host::Rect> rects;
    for (const RECT& r : top->changes.Areas()) {
      rects.push_back(host::Rect{r.left, r.top, r.right - r.left, r.bottom - r.top});
    }
    const gdi::Bitmap& frame = *top->frame;
    host::Current().Present(top->hostWindow,
                            host::PixelView{frame.pixels.data(), frame.width, frame.height,
                                            frame.width},
                            rects);
    top->changes.Clear();
  }
}

}  // namespace user

using namespace user;

BOOL InvalidateRect(HWND handle, const RECT* rect, BOOL erase) {
  if (handle == nullptr) {
    for (Window* top : TopLevelWindows()) InvalidateWhole(top, erase != FALSE);
    return TRUE;
  }
  Window* w = FromHandle(handle);
  if (w == nullptr) return FALSE;
  InvalidateArea(w, rect != nullptr ? *rect : ClientRect(*w), erase != FALSE, true);
  return TRUE;
}

BOOL ValidateRect(HWND handle, const RECT* rect) {
  Window* w = FromHandle(handle);
  if (w == nullptr) return FALSE;
  RemoveUpdate(w, rect);
  return TRUE;
}

BOOL RedrawWindow(HWND handle, const RECT* rect, HRGN, UINT flags) {
  Window* w = FromHandle(handle);
  if (w == nullptr) return FALSE;
  const bool children =
      (flags & RDW_ALLCHILDREN) || (!(flags & RDW_NOCHILDREN) && !(w->style & WS_CLIPCHILDREN));
  const RECT area = rect != nullptr ? *rect : ClientRect(*w);
  if (flags & RDW_INVALIDATE) InvalidateArea(w, area, (flags & RDW_ERASE) != 0, children);
  if (flags & RDW_VALIDATE) RemoveUpdate(w, rect);
  if ((flags & RDW_FRAME) && !w->IsChild() && w->frame != nullptr) {
    // The frame drawn here is the menu bar; the host draws the rest.
    w->changes.Changed(RECT{0, 0, w->frame->width, w->menuBarHeight});
    RedrawMenuBar(w);
  }
  if (flags & RDW_UPDATENOW) PaintNow(w, children);
  return TRUE;
}

BOOL GetUpdateRect(HWND handle, LPRECT rect, BOOL) {
  Window* w = FromHandle(handle);
  if (w == nullptr) return FALSE;
  RECT all{0, 0, 0, 0};
  for (const RECT& r : w->update) all = Union(all, r);
  if (rect != nullptr) *rect = all;
  return Empty(all) ? FALSE : TRUE;
}

BOOL UpdateWindow(HWND handle) {
  Window* w = FromHandle(handle);
  if (w == nullptr) return FALSE;
  PaintNow(w, false);
  return TRUE;
}

HDC GetDC(HWND handle) {
  Window* w = handle != nullptr ? FromHandle(handle) : nullptr;
  if (w == nullptr) return nullptr;
  Window* top = TopLevel(w);
  return gdi::CreateWindowDc(top->frame, handle, ClientOriginInFrame(*w), VisibleClientInFrame(*w));
}

HDC GetWindowDC(HWND handle) {
  Window* w = handle != nullptr ? FromHandle(handle) : nullptr;
  if (w == nullptr) return nullptr;
  Window* top = TopLevel(w);
  const POINT client = ClientOriginInFrame(*w);
  const Insets in = FrameInsets(*w);
  const POINT origin{client.x - in.left, client.y - in.top};
  RECT clip{0, 0, 0, 0};
  if (ShownOnScreen(*w) && top->frame != nullptr) {
    const RECT whole{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
    clip = Offset(whole, origin.x, origin.y);
    // A child's frame lies in its parent's client area; a top-level window's
    // frame is the host's, and only the part in the frame buffer is drawable.
    clip = Intersect(clip, w->IsChild() && w->parent != nullptr
                               ? VisibleClientInFrame(*w->parent)
                               : RECT{0, 0, top->frame->width, top->frame->height});
  }
  return gdi::CreateWindowDc(top->frame, handle, origin, clip);
}

int ReleaseDC(HWND, HDC dc) { return DeleteDC(dc) ? 1 : 0; }

HDC BeginPaint(HWND handle, PAINTSTRUCT* paint) {
  Window* w = FromHandle(handle);
  if (w == nullptr || paint == nullptr) return nullptr;
  *paint = PAINTSTRUCT{};
  RECT area{0, 0, 0, 0};
  for (const RECT& r : w->update) area = Union(area, r);
  area = Intersect(area, ClientRect(*w));
  const bool erase = w->erasePending;
  w->update.clear();
  w->erasePending = false;

  Window* top = TopLevel(w);
  const POINT origin = ClientOriginInFrame(*w);
  const RECT clip = Intersect(VisibleClientInFrame(*w), Offset(area, origin.x, origin.y));
  HDC dc = gdi::CreateWindowDc(top->frame, handle, origin, clip);
  paint->hdc = dc;
  paint->rcPaint = area;
  paint->fErase = TRUE;
  if (erase) {
    paint->fErase = SendMessageW(handle, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) ? FALSE
                                                                                       : TRUE;
  }
  return dc;
}

BOOL EndPaint(HWND, const PAINTSTRUCT* paint) {
  // A paint whose context was already deleted has nothing left to end.
  if (paint != nullptr && gdi::LookupDc(paint->hdc) != nullptr) DeleteDC(paint->hdc);
  return TRUE;
}

int GetClipBox(HDC handle, LPRECT rect) {
  gdi::DeviceContext* dc = gdi::LookupDc(handle);
  if (dc == nullptr || rect == nullptr) return 0;
  const RECT area = dc->DrawableArea();
  *rect = Offset(area, -dc->origin.x, -dc->origin.y);
  constexpr int kNullRegion = 1, kSimpleRegion = 2;
  return Empty(area) ? kNullRegion : kSimpleRegion;
}
