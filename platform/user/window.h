// The windows behind the handles, and what every part of the window manager
// shares about them: geometry, the frame buffer of each top-level window, and
// the walk over the window tree.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/api/user.h"
#include "platform/gdi/objects.h"
#include "platform/host/host.h"

namespace user {

struct WindowClass {
  std::u16string name;
  WNDCLASSW info{};  // lpszClassName points at `name`
  bool builtIn = false;
  bool neverActive = false;  // its windows show without taking the activation (drop-downs)
};

// Collects the areas of a top-level frame buffer that drawing changed, for
// the next presentation. A rectangle inside one already pending adds nothing;
// past a handful of rectangles they are merged into their bounding box.
class FrameChanges final : public gdi::ChangeListener {
 public:
  void Changed(const RECT& area) override;
  bool Empty() const { return areas_.empty(); }
  const std::vector<RECT>& Areas() const { return areas_; }
  void Clear() { areas_.clear(); }

 private:
  std::vector<RECT> areas_;
};

// A window's own scroll bar: its range, page and position.
struct ScrollBar {
  bool exists = false;  // set by SetScrollInfo, or by the window's WS_HSCROLL/WS_VSCROLL style
  int min = 0;
  int max = 0;
  UINT page = 0;
  int pos = 0;
};

// What a built-in control keeps beyond what every window has; each control
// class derives its own.
struct ControlState {
  virtual ~ControlState() = default;
};

struct Window {
  HWND Handle() { return reinterpret_cast<HWND>(this); }

  WindowClass* windowClass = nullptr;
  WNDPROC procedure = nullptr;
  HINSTANCE instance = nullptr;
  std::u16string text;
  DWORD style = 0;
  DWORD exStyle = 0;
  Window* parent = nullptr;  // child windows: the window they live in
  Window* owner = nullptr;   // top-level windows: the window they belong to
  std::vector<Window*> children;  // in creation order, which is also the tab order
  RECT rect{};                    // window rectangle: parent's client coordinates, or the screen
  UINT_PTR id = 0;                // child windows: the control id
  HMENU menu = nullptr;           // top-level windows: the menu bar
  int menuBarHeight = 0;
  LONG_PTR userData = 0;
  HFONT font = nullptr;
  HICON iconSmall = nullptr;
  HICON iconBig = nullptr;
  bool visible = false;
  bool minimized = false;
  bool destroyed = false;
  bool createdFully = false;  // WM_CREATE has returned
  Window* lastFocus = nullptr;  // top-level windows: the focus to give back on activation
  std::unique_ptr<ControlState> control;  // built-in controls: their own state

  ScrollBar scrollBars[2];  // SB_HORZ, SB_VERT

  // Painting: the pending update area in client coordinates.
  std::vector<RECT> update;
  bool erasePending = false;

  // Top-level windows.
  host::WindowId hostWindow = 0;
  gdi::Bitmap* frame = nullptr;
  FrameChanges changes;

  bool IsChild() const { return (style & WS_CHILD) != 0; }
  bool Enabled() const { return (style & WS_DISABLED) == 0; }
};

// The live window a handle names, or null (and ERROR_INVALID_WINDOW_HANDLE).
Window* FromHandle(HWND handle);
// Every live top-level window, in creation order.
std::vector<Window*> TopLevelWindows();
Window* TopLevel(Window* window);
bool IsDescendant(const Window* ancestor, const Window* window);
// The window and its descendants, parent before children.
void ForEachInTree(Window* root, void (*visit)(Window*, void*), void* context);
template <typename F>
void VisitTree(Window* root, F&& visit) {
  ForEachInTree(
      root, [](Window* w, void* f) { (*static_cast<F*>(f))(w); }, &visit);
}

// Window management internals.
Window* NewWindow();
void Bury(Window* window);         // no longer live; its memory goes later
void CollectGraves();              // frees buried windows; only outside message handling
extern int dispatchDepth;          // window procedures currently running

// Geometry. The frame of a window is what lies between its window rectangle
// and its client area: borders, caption, menu bar, edges.
struct Insets {
  int left = 0, top = 0, right = 0, bottom = 0;
};
Insets FrameInsets(const Window& window);
RECT ClientRect(const Window& window);  // (0, 0, width, height)
// Where the client area's (0, 0) lies in the window's top-level frame buffer.
POINT ClientOriginInFrame(const Window& window);
// The part of the frame buffer where the window's client area may be drawn:
// limited by every ancestor's client area; empty while hidden or minimised.
RECT VisibleClientInFrame(const Window& window);
// The window's client-area origin on the screen.
POINT ClientOriginOnScreen(const Window& window);
// The size of a top-level window's frame buffer: menu bar plus client area.
SIZE FrameBufferSize(const Window& window);
bool ShownOnScreen(const Window& window);  // itself and every ancestor visible, none minimised

// Rectangle helpers.
bool Empty(const RECT& r);
RECT Intersect(const RECT& a, const RECT& b);
RECT Union(const RECT& a, const RECT& b);
bool Contains(const RECT& outer, const RECT& inner);
RECT Offset(RECT r, int dx, int dy);

}  // namespace user
