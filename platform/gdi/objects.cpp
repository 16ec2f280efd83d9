#include "platform/gdi/objects.h"

#include <algorithm>
#include <unordered_map>

#include "platform/api/kernel.h"

namespace gdi {
namespace {

// Every live object, by address. Handles are checked against it, so a stale
// or made-up handle is refused rather than followed.
std::unordered_map<const Object*, std::unique_ptr<Object>>& Live() {
  static std::unordered_map<const Object*, std::unique_ptr<Object>> live;
  return live;
}

std::size_t stockCount = 0;

template <typename T>
T* LookupKind(void* handle, Kind kind) {
  Object* object = Lookup(handle);
  if (object == nullptr || object->kind != kind) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return static_cast<T*>(object);
}

}  // namespace

RECT DeviceContext::DrawableArea() const {
  if (target == nullptr) return RECT{0, 0, 0, 0};
  RECT area{std::max<LONG>(clip.left, 0), std::max<LONG>(clip.top, 0),
            std::min<LONG>(clip.right, target->width), std::min<LONG>(clip.bottom, target->height)};
  if (area.right < area.left) area.right = area.left;
  if (area.bottom < area.top) area.bottom = area.top;
  return area;
}

void DeviceContext::Touched(const RECT& area) const {
  if (target != nullptr && target->listener != nullptr && area.right > area.left &&
      area.bottom > area.top) {
    target->listener->Changed(area);
  }
}

Object* Lookup(HGDIOBJ handle) {
  if (handle == nullptr) return nullptr;
  auto& live = Live();
  auto it = live.find(static_cast<const Object*>(handle));
  return it == live.end() ? nullptr : it->second.get();
}

DeviceContext* LookupDc(HDC dc) { return LookupKind<DeviceContext>(dc, Kind::DeviceContext); }
Bitmap* LookupBitmap(HBITMAP bitmap) { return LookupKind<Bitmap>(bitmap, Kind::Bitmap); }
Pen* LookupPen(HPEN pen) { return LookupKind<Pen>(pen, Kind::Pen); }
Brush* LookupBrush(HBRUSH brush) { return LookupKind<Brush>(brush, Kind::Brush); }
Font* LookupFont(HFONT font) { return LookupKind<Font>(font, Kind::Font); }
Icon* LookupIcon(HICON icon) { return LookupKind<Icon>(icon, Kind::Icon); }

Object* RegisterObject(std::unique_ptr<Object> object) {
  Object* raw = object.get();
  if (raw->stock) ++stockCount;
  Live().emplace(raw, std::move(object));
  return raw;
}

void Destroy(Object* object) {
  if (object == nullptr || object->stock) return;
  // A window's frame buffer goes with the window while a program may still
  // hold a context that draws into it: such a context is left drawing
  // nowhere, not into freed memory.
  if (object->kind == Kind::Bitmap) {
    for (auto& [address, owned] : Live()) {
      if (owned->kind != Kind::DeviceContext) continue;
      auto* dc = static_cast<DeviceContext*>(owned.get());
      if (dc->target == object) {
        dc->target = DefaultBitmap();
        dc->clip = RECT{0, 0, 0, 0};
      }
      if (dc->bitmap == object) dc->bitmap = DefaultBitmap();
    }
  }
  Live().erase(object);
}

bool SelectedInAnyContext(const Object* object) {
  for (const auto& [address, owned] : Live()) {
    if (owned->kind != Kind::DeviceContext) continue;
    const auto* dc = static_cast<const DeviceContext*>(owned.get());
    if (dc->bitmap == object || dc->pen == object || dc->brush == object || dc->font == object) {
      return true;
    }
  }
  return false;
}

std::size_t LiveObjectCount() { return Live().size() - stockCount; }

Bitmap* NewColorBitmap(int width, int height) {
  if (width <= 0 || height <= 0 || width > kMaxBitmapSide || height > kMaxBitmapSide) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height, 0);
  return AdoptColorBitmap(width, height, pixels);
}

Bitmap* AdoptColorBitmap(int width, int height, std::vector<std::uint32_t>& pixels) {
  if (width <= 0 || height <= 0 || width > kMaxBitmapSide || height > kMaxBitmapSide ||
      pixels.size() != static_cast<std::size_t>(width) * height) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto bitmap = std::make_unique<Bitmap>();
  bitmap->width = width;
  bitmap->height = height;
  bitmap->bitsPerPixel = 32;
  bitmap->pixels = std::move(pixels);
  return Register(std::move(bitmap));
}

Bitmap* NewFrameBuffer(int width, int height) {
  auto frame = std::make_unique<Bitmap>();
  Bitmap* raw = Register(std::move(frame));
  ResizeFrameBuffer(raw, width, height);
  return raw;
}

void ResizeFrameBuffer(Bitmap* frame, int width, int height) {
  width = std::clamp(width, 0, kMaxBitmapSide);
  height = std::clamp(height, 0, kMaxBitmapSide);
  std::vector<std::uint32_t> resized(static_cast<std::size_t>(width) * height, 0);
  // Keep what was drawn where it still fits.
  for (int y = 0; y < std::min(height, frame->height); ++y) {
    const int n = std::min(width, frame->width);
    std::copy_n(frame->Row(y), n, resized.begin() + static_cast<std::ptrdiff_t>(y) * width);
  }
  frame->width = width;
  frame->height = height;
  frame->pixels = std::move(resized);
}

HDC CreateWindowDc(Bitmap* frame, HWND window, POINT origin, RECT clip) {
  auto dc = std::make_unique<DeviceContext>();
  dc->memory = false;
  dc->window = window;
  dc->target = frame;
  dc->origin = origin;
  dc->clip = clip;
  dc->pen = LookupPen(static_cast<HPEN>(GetStockObject(BLACK_PEN)));
  dc->brush = LookupBrush(static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  dc->font = LookupFont(static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
  return reinterpret_cast<HDC>(Register(std::move(dc)));
}

Icon* NewIcon(std::vector<IconImage> images) {
  auto icon = std::make_unique<Icon>();
  icon->images = std::move(images);
  return Register(std::move(icon));
}

Bitmap* DefaultBitmap() {
  static Bitmap* bitmap = [] {
    auto b = std::make_unique<Bitmap>();
    b->stock = true;
    b->width = 1;
    b->height = 1;
    b->bitsPerPixel = 1;
    b->pixels.assign(1, 0);
    return Register(std::move(b));
  }();
  return bitmap;
}

}  // namespace gdi
