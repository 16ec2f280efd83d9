// The four kinds of sprite on the play field. None carries a picture: each
// draws itself with shapes or text, and repairs what it leaves behind from
// the game form's background picture.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "framework/games/form_games.h"
#include "framework/games/sprite.h"

namespace Zarvo {

using VexaUtility::Drawing;
using VexaUtility::FormGames;
using Position = std::pair<std::int32_t, std::int32_t>;

// The red ball.
class SpriteBall : public VexaUtility::Sprite {
 public:
  std::int32_t stepX = 4;
  std::int32_t minX = 0;
  std::int32_t maxX = 0;  // set by the factory: field width - width
  std::int32_t stepY = 4;
  std::int32_t minY = 20;  // the top limit, below the status line
  std::int32_t maxY = 0;   // set by the factory: field height - height
  std::int32_t baseStepX = 4;
  bool movingRight = false;
  bool movingUp = false;
  FormGames* form;  // not owned: the game form

  SpriteBall(std::int32_t width, std::int32_t height, FormGames* form);

  // Puts the background picture back where the sprite was.
  void Erase(Drawing& surface) override;
  Position Draw(Drawing& surface) override;

 protected:
  // When the sprite has moved: the old place gets its background back, and
  // every other sprite that overlapped it is drawn again on the back surface.
  void RepairOldPlace(Drawing& surface);
};

// A coin: a label that is also its value in points.
class SpriteMonete : public SpriteBall {
 public:
  bool caught = false;  // landed on the paddle, sliding off to the right
  COLORREF color = 0;
  std::string text;

  SpriteMonete(std::int32_t width, std::int32_t height, FormGames* form);
  Position Draw(Drawing& surface) override;
};

// A brick, broken at the first touch.
class SpriteTiles : public VexaUtility::Sprite {
 public:
  std::int32_t kind = 1;  // colour scheme 1, 2 or 3
  bool alive = true;
  FormGames* form;  // not owned

  SpriteTiles(std::int32_t width, std::int32_t height, FormGames* form);
  void Erase(Drawing& surface) override;
  Position Draw(Drawing& surface) override;
};

// The paddle: blue at both ends, dark red in the middle.
class SpritePlayer : public VexaUtility::Sprite {
 public:
  FormGames* form;  // not owned

  SpritePlayer(std::int32_t width, std::int32_t height, FormGames* form);
  // Puts back the play field as the level began (the form's snapshot).
  void Erase(Drawing& surface) override;
  Position Draw(Drawing& surface) override;
};

}  // namespace Zarvo
