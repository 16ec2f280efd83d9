// The graphics objects behind the handles: what a device context, a bitmap,
// a pen, a brush, a font and an icon hold. Shared by the drawing routines of
// this folder and by the window manager, which gives each top-level window a
// frame-buffer bitmap and draws into it through window contexts.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/api/gdi.h"
#include "platform/api/user.h"

namespace gdi {

enum class Kind { DeviceContext, Bitmap, Pen, Brush, Font, Icon };

struct Object {
  explicit Object(Kind kind) : kind(kind) {}
  virtual ~Object() = default;
  const Kind kind;
  bool stock = false;  // stock objects live for the whole process; deleting them does nothing
};

// Told of every area of a bitmap that drawing changed, in bitmap pixels.
class ChangeListener {
 public:
  virtual ~ChangeListener() = default;
  virtual void Changed(const RECT& area) = 0;
};

// Pixels are stored top-down, `width` to a row. A colour bitmap holds
// 0x00RRGGBB values; a monochrome one holds 0 (black) or 1 (white).
struct Bitmap : Object {
  Bitmap() : Object(Kind::Bitmap) {}
  int width = 0;
  int height = 0;
  int bitsPerPixel = 32;    // 32 or 1
  bool dibSection = false;  // made by LoadImageW with LR_CREATEDIBSECTION
  std::vector<std::uint32_t> pixels;
  struct DeviceContext* selectedInto = nullptr;  // a bitmap is in one memory context at most
  ChangeListener* listener = nullptr;

  bool Monochrome() const { return bitsPerPixel == 1; }
  std::uint32_t* Row(int y) { return pixels.data() + static_cast<std::size_t>(y) * width; }
  const std::uint32_t* Row(int y) const {
    return pixels.data() + static_cast<std::size_t>(y) * width;
  }
};

struct Pen : Object {
  Pen() : Object(Kind::Pen) {}
  int style = PS_SOLID;
  int width = 1;
  COLORREF color = 0;
};

struct Brush : Object {
  Brush() : Object(Kind::Brush) {}
  UINT style = BS_SOLID;
  COLORREF color = 0;
};

// What the text engine makes of a font; defined there.
struct FontFace;

struct Font : Object {
  Font() : Object(Kind::Font) {}
  LOGFONTW log{};
  std::shared_ptr<FontFace> face;  // made on first use by the text engine
};

struct IconImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> argb;  // 0xAARRGGBB, top-down; alpha 0 is transparent
};

struct Icon : Object {
  Icon() : Object(Kind::Icon) {}
  std::vector<IconImage> images;  // the sizes of one icon group
};

// A device context draws into a target bitmap: for a memory context the
// bitmap selected into it, for a window context the top-level window's frame
// buffer. `origin` is where the context's (0, 0) lies in the target and
// `clip` (target pixels) the part of the target it may touch.
struct DeviceContext : Object {
  DeviceContext() : Object(Kind::DeviceContext) {}
  bool memory = true;
  HWND window = nullptr;
  Bitmap* target = nullptr;
  POINT origin{0, 0};
  RECT clip{0, 0, 0, 0};

  Bitmap* bitmap = nullptr;  // selected bitmap of a memory context
  Pen* pen = nullptr;
  Brush* brush = nullptr;
  Font* font = nullptr;
  COLORREF textColor = 0x000000;
  COLORREF backgroundColor = 0xFFFFFF;
  int backgroundMode = OPAQUE;
  int stretchMode = BLACKONWHITE;

  // The clip rectangle limited to the target: where drawing may land.
  RECT DrawableArea() const;
  // Tells the target's listener that drawing changed this area (target pixels).
  void Touched(const RECT& area) const;
};

// Handles are the objects' addresses; these check that a handle names a live
// object of the expected kind (null otherwise, with ERROR_INVALID_HANDLE).
Object* Lookup(HGDIOBJ handle);
DeviceContext* LookupDc(HDC dc);
Bitmap* LookupBitmap(HBITMAP bitmap);
Pen* LookupPen(HPEN pen);
Brush* LookupBrush(HBRUSH brush);
Font* LookupFont(HFONT font);
Icon* LookupIcon(HICON icon);

// Makes an object live (it gets a handle) or ends it.
Object* RegisterObject(std::unique_ptr<Object> object);
template <typename T>
T* Register(std::unique_ptr<T> object) {
  return static_cast<T*>(RegisterObject(std::move(object)));
}
void Destroy(Object* object);

// Whether a live context has the object selected.
bool SelectedInAnyContext(const Object* object);

// Objects made and not yet deleted, stock objects not counted.
std::size_t LiveObjectCount();

// A colour bitmap of the given size, filled with black; null when the size
// is not positive or too large to hold.
Bitmap* NewColorBitmap(int width, int height);
// A colour bitmap that takes `pixels` (width × height of them, top row
// first) as they are, allocating none of its own; null, with the pixels
// left alone, when the size does not match them or NewColorBitmap would
// refuse it.
Bitmap* AdoptColorBitmap(int width, int height, std::vector<std::uint32_t>& pixels);
// The same as NewColorBitmap, for the window manager: a frame buffer that no
// memory context can select.
Bitmap* NewFrameBuffer(int width, int height);
void ResizeFrameBuffer(Bitmap* frame, int width, int height);

// A context that draws into a window's part of its top-level frame buffer.
HDC CreateWindowDc(Bitmap* frame, HWND window, POINT origin, RECT clip);

Icon* NewIcon(std::vector<IconImage> images);

// The one-pixel monochrome bitmap that a new memory context holds.
Bitmap* DefaultBitmap();

// COLORREF (0x00BBGGRR) and stored pixels (0x00RRGGBB).
constexpr std::uint32_t PixelFromColor(COLORREF c) {
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
constexpr COLORREF ColorFromPixel(std::uint32_t p) {
  return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
}

// The largest side a bitmap may have.
constexpr int kMaxBitmapSide = 16384;

}  // namespace gdi
