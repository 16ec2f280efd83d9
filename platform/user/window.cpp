#include "platform/user/window.h"

#include <algorithm>
#include <unordered_set>

#include "platform/api/kernel.h"

namespace user {

int dispatchDepth = 0;

namespace {

struct Registry {
  std::vector<std::unique_ptr<Window>> live;  // creation order
  std::unordered_set<const Window*> index;
  std::vector<std::unique_ptr<Window>> graves;
};

Registry& Windows() {
  static Registry registry;
  return registry;
}

constexpr std::size_t kMaxPendingAreas = 8;

}  // namespace

void FrameChanges::Changed(const RECT& area) {
  for (const RECT& pending : areas_) {
    if (Contains(pending, area)) return;
  }
  std::erase_if(areas_, [&](const RECT& pending) { return Contains(area, pending); });
  areas_.push_back(area);
  if (areas_.size() > kMaxPendingAreas) {
    RECT all = areas_.front();
    for (const RECT& r : areas_) all = Union(all, r);
    areas_.assign(1, all);
  }
}

Window* FromHandle(HWND handle) {
  const auto* candidate = reinterpret_cast<const Window*>(handle);
  if (handle == nullptr || !Windows().index.contains(candidate)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  return const_cast<Window*>(candidate);
}

std::vector<Window*> TopLevelWindows() {
  std::vector<Window*> result;
  for (const auto& w : Windows().live) {
    if (!w->IsChild()) result.push_back(w.get());
  }
  return result;
}

Window* TopLevel(Window* window) {
  while (window != nullptr && window->IsChild() && window->parent != nullptr) {
    window = window->parent;
  }
  return window;
}

bool IsDescendant(const Window* ancestor, const Window* window) {
  for (const Window* w = window; w != nullptr; w = w->IsChild() ? w->parent : nullptr) {
    if (w == ancestor) return true;
  }
  return false;
}

void ForEachInTree(Window* root, void (*visit)(Window*, void*), void* context) {
  visit(root, context);
  // Children may be destroyed by the visit; walk a copy.
  const std::vector<Window*> children = root->children;
  for (Window* child : children) {
    if (!child->destroyed) ForEachInTree(child, visit, context);
  }
}

Window* NewWindow() {
  auto window = std::make_unique<Window>();
  Window* raw = window.get();
  Windows().index.insert(raw);
  Windows().live.push_back(std::move(window));
  return raw;
}

void Bury(Window* window) {
  Registry& registry = Windows();
  registry.index.erase(window);
  auto it = std::find_if(registry.live.begin(), registry.live.end(),
                         [&](const auto& w) { return w.get() == window; });
  if (it == registry.live.end()) return;
  registry.graves.push_back(std::move(*it));
  registry.live.erase(it);
}

void CollectGraves() {
  if (dispatchDepth == 0) Windows().graves.clear();
}

Insets FrameInsets(const Window& window) {
  Insets insets;
  auto add = [&](int n) {
    insets.left += n;
    insets.top += n;
    insets.right += n;
    insets.bottom += n;
  };
  const DWORD style = window.style;
  // An overlapped top-level window always has a caption; a pop-up has one
  // only when asked.
  const bool captioned =
      !window.IsChild() && ((style & WS_CAPTION) == WS_CAPTION || (style & WS_POPUP) == 0);
  if (style & WS_THICKFRAME) {
    add(GetSystemMetrics(SM_CXSIZEFRAME));
  } else if (captioned || (style & WS_DLGFRAME) || (window.exStyle & WS_EX_DLGMODALFRAME)) {
    add(GetSystemMetrics(SM_CXFIXEDFRAME));
  } else if (style & WS_BORDER) {
    add(GetSystemMetrics(SM_CXBORDER));
  }
  if (captioned) {
    insets.top += (window.exStyle & WS_EX_TOOLWINDOW) ? GetSystemMetrics(SM_CYSMCAPTION)
                                                       : GetSystemMetrics(SM_CYCAPTION);
  }
  if (window.exStyle & WS_EX_CLIENTEDGE) add(GetSystemMetrics(SM_CXEDGE));
  if (window.exStyle & WS_EX_STATICEDGE) add(1);
  insets.top += window.menuBarHeight;
  return insets;
}

RECT ClientRect(const Window& window) {
  const Insets in = FrameInsets(window);
  const LONG width = std::max<LONG>(0, window.rect.right - window.rect.left - in.left - in.right);
  const LONG height = std::max<LONG>(0, window.rect.bottom - window.rect.top - in.top - in.bottom);
  return RECT{0, 0, width, height};
}

POINT ClientOriginInFrame(const Window& window) {
  if (!window.IsChild() || window.parent == nullptr) return POINT{0, window.menuBarHeight};
  const POINT parentOrigin = ClientOriginInFrame(*window.parent);
  const Insets in = FrameInsets(window);
  return POINT{parentOrigin.x + window.rect.left + in.left,
               parentOrigin.y + window.rect.top + in.top};
}

bool ShownOnScreen(const Window& window) {
  for (const Window* w = &window; w != nullptr; w = w->IsChild() ? w->parent : nullptr) {
    if (!w->visible || w->minimized || w->destroyed) return false;
  }
  return true;
}

RECT VisibleClientInFrame(const Window& window) {
  if (!ShownOnScreen(window)) return RECT{0, 0, 0, 0};
  const POINT origin = ClientOriginInFrame(window);
  const RECT client = ClientRect(window);
  RECT area = Offset(client, origin.x, origin.y);
  if (window.IsChild() && window.parent != nullptr) {
    area = Intersect(area, VisibleClientInFrame(*window.parent));
  }
  return area;
}

POINT ClientOriginOnScreen(const Window& window) {
  if (window.IsChild() && window.parent != nullptr) {
    const POINT parentOrigin = ClientOriginOnScreen(*window.parent);
    const Insets in = FrameInsets(window);
    return POINT{parentOrigin.x + window.rect.left + in.left,
                 parentOrigin.y + window.rect.top + in.top};
  }
  const Insets in = FrameInsets(window);
  return POINT{window.rect.left + in.left, window.rect.top + in.top};
}

SIZE FrameBufferSize(const Window& window) {
  const RECT client = ClientRect(window);
  return SIZE{client.right, client.bottom + window.menuBarHeight};
}

bool Empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

RECT Intersect(const RECT& a, const RECT& b) {
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  if (Empty(r)) return RECT{0, 0, 0, 0};
  return r;
}

RECT Union(const RECT& a, const RECT& b) {
  if (Empty(a)) return b;
  if (Empty(b)) return a;
  return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
              std::max(a.bottom, b.bottom)};
}

bool Contains(const RECT& outer, const RECT& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

RECT Offset(RECT r, int dx, int dy) {
  r.left += dx;
  r.right += dx;
  r.top += dy;
  r.bottom += dy;
  return r;
}

}  // namespace user
