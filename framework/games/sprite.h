// What the game form keeps on its play field: game elements, of which the
// sprites are the ones that draw themselves, and the movements that the frame
// step runs at their own pace.
#pragma once

#include <cstdint>
#include <utility>

#include "platform/api/user.h"

namespace VexaUtility {

class Drawing;

class GameElement {
 public:
  GameElement() = default;
  virtual ~GameElement() = default;
  GameElement(const GameElement&) = delete;
  GameElement& operator=(const GameElement&) = delete;
};

// One counter for the whole process, never reset: every sprite made takes
// the next value as its id, so ids are never reused within a run.
extern std::int32_t spriteCount;

class Sprite : public GameElement {
 public:
  HBITMAP image = nullptr;            // a vertical strip of frames, each `height` tall
  HBITMAP savedBackground = nullptr;  // what the default Draw covered
  std::int32_t width;
  std::int32_t height;
  std::int32_t frame = 1;  // 1-based
  std::int32_t x = 0;
  std::int32_t y = 0;
  bool drawn = false;
  std::int32_t id;
  std::int32_t lastX = -1;  // where the last Draw drew; -1 before the first
  std::int32_t lastY = -1;
  bool saveBackground = true;
  bool transparent = true;  // black pixels of the image are not drawn
  bool sharedImage = false;  // the sprite does not own `image`

  Sprite(std::int32_t width, std::int32_t height);
  ~Sprite() override;

  virtual void Erase(Drawing& surface);
  virtual void SetFrame(int index);
  // Draws at (x, y); returns where it had drawn before (lastX, lastY).
  virtual std::pair<std::int32_t, std::int32_t> Draw(Drawing& surface);

  bool Intersects(const Sprite& other) const;
};

class SpriteAnim {
 public:
  std::int32_t elapsed = 0;  // milliseconds gathered towards the next Step
  std::int32_t period = 30;  // milliseconds between two steps

  SpriteAnim() = default;
  virtual ~SpriteAnim() = default;
  virtual void Step() = 0;
  virtual SpriteAnim* Clone() = 0;  // a new movement of the same kind, owned by the caller
};

}  // namespace VexaUtility
