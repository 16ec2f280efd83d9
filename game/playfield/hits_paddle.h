// Whether a falling ball or coin lands on the paddle.
#pragma once

#include "framework/games/sprite.h"

namespace Zarvo {

// True when the sprite's bottom lies within the paddle's height (both ends
// included) and the middle half of the sprite meets the paddle sideways.
bool HitsPaddle(const VexaUtility::Sprite& paddle, const VexaUtility::Sprite& sprite);

}  // namespace Zarvo
