#include "game/playfield/sprite_settings.h"

#include "game/playfield/sprites.h"

namespace Zarvo {

VexaUtility::Sprite* SpriteSettings::CreateSprite(VexaUtility::FormGames* form,
                                                  std::int32_t value) const {
  VexaUtility::Sprite* made = nullptr;
  if (kind == "tiles") {
    auto* brick = new SpriteTiles(width, height, form);
    brick->alive = true;
    brick->kind = value;
    made = brick;
  } else if (kind == "player") {
    made = new SpritePlayer(width, height, form);
  } else if (kind == "ball") {
    auto* ball = new SpriteBall(width, height, form);
    ball->maxX = fieldWidth - width;
    ball->maxY = fieldHeight - height;
    made = ball;
  } else if (kind == "money") {
    auto* coin = new SpriteMonete(width, height, form);
    coin->text.clear();
    coin->color = static_cast<COLORREF>(value);
    coin->maxX = fieldWidth - width;
    coin->maxY = fieldHeight - height;
    made = coin;
  }
  if (made != nullptr) form->AddElement(made);
  return made;
}

}  // namespace Zarvo
