#include "framework/games/sprite.h"

#include "framework/drawing/drawing.h"

namespace VexaUtility {

std::int32_t spriteCount = 0;

Sprite::Sprite(std::int32_t width, std::int32_t height)
    : width(width), height(height), id(++spriteCount) {}

Sprite::~Sprite() {
  if (image != nullptr && !sharedImage) DeleteObject(image);
  if (savedBackground != nullptr) DeleteObject(savedBackground);
}

void Sprite::Erase(Drawing& surface) {
  if (savedBackground == nullptr) return;
  if (drawn) surface.DrawBitmap(lastX, lastY, width, height, savedBackground);
  DeleteObject(savedBackground);
  savedBackground = nullptr;
  drawn = false;
  lastX = -1;
  lastY = -1;
}

void Sprite::SetFrame(int index) { frame = index + 1; }

std::pair<std::int32_t, std::int32_t> Sprite::Draw(Drawing& surface) {
  const std::pair<std::int32_t, std::int32_t> previous{lastX, lastY};
  if (saveBackground && (lastX != x || lastY != y)) {
    // Repair the old place, then keep what the new place shows.
    if (savedBackground != nullptr) {
      surface.DrawBitmap(lastX, lastY, width, height, savedBackground);
      DeleteObject(savedBackground);
    }
    savedBackground = surface.CaptureRegion(x, y, width, height);
  }
  const int sourceRow = (frame - 1) * height;
  if (transparent) {
    surface.BlitTransparent(x, y, width, height, image, sourceRow);
  } else {
    surface.BlitRegion(x, y, width, height, image, 0, sourceRow);
  }
  lastX = x;
  lastY = y;
  drawn = true;
  return previous;
}

bool Sprite::Intersects(const Sprite& other) const {
  const RECT a{x, y, x + width, y + height};
  const RECT b{other.x, other.y, other.x + other.width, other.y + other.height};
  RECT common{};
  return IntersectRect(&common, &a, &b) != FALSE;
}

}  // namespace VexaUtility
