// One kind of sprite: the size of its sprites and of the field they move
// in, and the factory key that says which kind it makes.
#pragma once

#include <cstdint>
#include <string>

#include "framework/games/form_games.h"

namespace Zarvo {

struct SpriteSettings {
  std::int32_t fieldWidth = 400;
  std::int32_t fieldHeight = 320;
  std::int32_t width = 64;
  std::int32_t height = 63;
  std::string kind;  // "player", "tiles", "money" or "ball"

  // A new sprite of this kind, owned by the caller and added to the form's
  // elements; none for an unknown key. `value` is the brick's kind or the
  // coin's colour; the paddle and the ball ignore it.
  VexaUtility::Sprite* CreateSprite(VexaUtility::FormGames* form, std::int32_t value) const;
};

}  // namespace Zarvo
