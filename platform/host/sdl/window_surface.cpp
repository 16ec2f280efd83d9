#include "platform/host/sdl/window_surface.h"

#include <algorithm>
#include <vector>

#include "platform/host/scale.h"
#include "platform/host/sdl/display_loss.h"

namespace host::sdl {
namespace {

bool Usable(const PixelView& view) {
  return view.pixels != nullptr && view.width > 0 && view.height > 0 && view.stride >= view.width;
}

// The part of `r` inside both the frame and the surface; empty when none.
// Computed in 64 bits so that no rectangle, however far out, wraps around.
SDL_Rect Clip(const Rect& r, int width, int height) {
  const std::int64_t x0 = std::max<std::int64_t>(r.x, 0), y0 = std::max<std::int64_t>(r.y, 0);
  const std::int64_t x1 = std::min<std::int64_t>(std::int64_t{r.x} + std::max(r.width, 0), width);
  const std::int64_t y1 = std::min<std::int64_t>(std::int64_t{r.y} + std::max(r.height, 0), height);
  if (x1 <= x0 || y1 <= y0) return SDL_Rect{0, 0, 0, 0};
  return SDL_Rect{static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1 - x0),
                  static_cast<int>(y1 - y0)};
}

void CopyRect(const PixelView& frame, SDL_Surface* surface, const SDL_Rect& r) {
  const std::uint32_t* from = frame.pixels + static_cast<std::ptrdiff_t>(r.y) * frame.stride + r.x;
  auto* to = static_cast<Uint8*>(surface->pixels) +
             static_cast<std::ptrdiff_t>(r.y) * surface->pitch +
             r.x * surface->format->BytesPerPixel;
  SDL_ConvertPixels(r.w, r.h, SDL_PIXELFORMAT_XRGB8888, from, frame.stride * 4,
                    surface->format->format, to, surface->pitch);
}

// The blocks go straight into a surface that has the frame's own format,
// as the windows of a 24- or 32-bit X screen do; any other surface gets them
// through a picture of the frame's format, converted as at scale 1.
void CopyRectScaled(const PixelView& frame, SDL_Surface* surface, const SDL_Rect& r, int scale,
                    std::vector<std::uint32_t>& scratch) {
  if (surface->format->format == SDL_PIXELFORMAT_XRGB8888) {
    BlowUp(frame, Rect{r.x, r.y, r.w, r.h}, scale, static_cast<Uint8*>(surface->pixels),
           surface->pitch);
    return;
  }
  const int width = r.w * scale, height = r.h * scale;
  scratch.resize(static_cast<std::size_t>(width) * height);
  const PixelView part{frame.pixels + static_cast<std::ptrdiff_t>(r.y) * frame.stride + r.x, r.w,
                       r.h, frame.stride};
  BlowUp(part, Rect{0, 0, r.w, r.h}, scale, reinterpret_cast<Uint8*>(scratch.data()), width * 4);
  auto* corner = static_cast<Uint8*>(surface->pixels) +
                 static_cast<std::ptrdiff_t>(r.y) * scale * surface->pitch +
                 static_cast<std::ptrdiff_t>(r.x) * scale * surface->format->BytesPerPixel;
  SDL_ConvertPixels(width, height, SDL_PIXELFORMAT_XRGB8888, scratch.data(), width * 4,
                    surface->format->format, corner, surface->pitch);
}

SDL_Rect Grown(const SDL_Rect& r, int scale) {
  return SDL_Rect{r.x * scale, r.y * scale, r.w * scale, r.h * scale};
}

}  // namespace

void PresentRects(SDL_Window* window, PixelView frame, std::span<const Rect> changed, int scale) {
  if (!Usable(frame)) return;
  // SDL makes a new surface after the window changed size; asking every time
  // is cheap and never writes into a surface that is gone.
  SDL_Surface* surface = nullptr;
  ThroughDisplay([&] { surface = SDL_GetWindowSurface(window); });
  if (surface == nullptr) return;
  scale = ClampScale(scale);
  const int width = std::min(frame.width, surface->w / scale);
  const int height = std::min(frame.height, surface->h / scale);
  std::vector<SDL_Rect> shown;
  shown.reserve(changed.size());
  for (const Rect& r : changed) {
    const SDL_Rect clipped = Clip(r, width, height);
    if (clipped.w > 0 && clipped.h > 0) shown.push_back(clipped);
  }
  if (shown.empty()) return;
  if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
  if (scale == 1) {
    for (const SDL_Rect& r : shown) CopyRect(frame, surface, r);
  } else {
    std::vector<std::uint32_t> scratch;
    for (SDL_Rect& r : shown) {
      CopyRectScaled(frame, surface, r, scale, scratch);
      r = Grown(r, scale);
    }
  }
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
  ThroughDisplay(
      [&] { SDL_UpdateWindowSurfaceRects(window, shown.data(), static_cast<int>(shown.size())); });
}

void SetWindowIcon(SDL_Window* window, PixelView argb) {
  if (!Usable(argb)) return;
  // SDL only reads the pixels and copies them before it returns.
  SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(argb.pixels),
                                                         argb.width, argb.height, 32,
                                                         argb.stride * 4, SDL_PIXELFORMAT_ARGB8888);
  if (icon == nullptr) return;
  ThroughDisplay([&] { SDL_SetWindowIcon(window, icon); });
  SDL_FreeSurface(icon);
}

}  // namespace host::sdl
