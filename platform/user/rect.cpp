#include "platform/api/user.h"
#include "platform/user/window.h"

BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom) {
  if (rect == nullptr) return FALSE;
  *rect = RECT{left, top, right, bottom};
  return TRUE;
}

BOOL SetRectEmpty(LPRECT rect) { return SetRect(rect, 0, 0, 0, 0); }

BOOL IsRectEmpty(const RECT* rect) { return rect == nullptr || user::Empty(*rect); }

BOOL PtInRect(const RECT* rect, POINT p) {
  return rect != nullptr && p.x >= rect->left && p.x < rect->right && p.y >= rect->top &&
         p.y < rect->bottom;
}

BOOL IntersectRect(LPRECT out, const RECT* a, const RECT* b) {
  if (out == nullptr || a == nullptr || b == nullptr) return FALSE;
  *out = user::Intersect(*a, *b);
  return !user::Empty(*out);
}

BOOL UnionRect(LPRECT out, const RECT* a, const RECT* b) {
  if (out == nullptr || a == nullptr || b == nullptr) return FALSE;
  *out = user::Union(*a, *b);
  if (user::Empty(*out)) *out = RECT{0, 0, 0, 0};
  return !user::Empty(*out);
}

BOOL OffsetRect(LPRECT rect, int dx, int dy) {
  if (rect == nullptr) return FALSE;
  *rect = user::Offset(*rect, dx, dy);
  return TRUE;
}

BOOL InflateRect(LPRECT rect, int dx, int dy) {
  if (rect == nullptr) return FALSE;
  rect->left -= dx;
  rect->right += dx;
  rect->top -= dy;
  rect->bottom += dy;
  return TRUE;
}

BOOL EqualRect(const RECT* a, const RECT* b) {
  return a != nullptr && b != nullptr && a->left == b->left && a->top == b->top &&
         a->right == b->right && a->bottom == b->bottom;
}
