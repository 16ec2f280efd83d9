#include "game/playfield/hits_paddle.h"

namespace Zarvo {
namespace {

bool Between(int low, int value, int high) { return low <= value && value <= high; }

}  // namespace

bool HitsPaddle(const VexaUtility::Sprite& paddle, const VexaUtility::Sprite& sprite) {
  const int bottom = sprite.y + sprite.height;
  if (!Between(paddle.y, bottom, paddle.y + paddle.height)) return false;
  // The middle half of the sprite: a glancing touch of its corner is a miss.
  const int a = sprite.x + sprite.width / 4;
  const int b = a + sprite.width / 2;
  const int left = paddle.x;
  const int right = paddle.x + paddle.width;
  if (paddle.width >= sprite.width / 2) return Between(left, a, right) || Between(left, b, right);
  // A paddle narrower than the middle half: one of its ends must lie within it.
  return Between(a, left, b) || Between(a, right, b);
}

}  // namespace Zarvo
