// The two movements the frame step runs every 30 ms: the ball's and a coin's.
#pragma once

#include "framework/games/sprite.h"
#include "game/playfield/sprite_settings.h"
#include "game/playfield/sprites.h"

namespace Zarvo {

class FormZarvo;

class MovementBall : public VexaUtility::SpriteAnim {
 public:
  const SpriteSettings* settings;  // not owned
  SpriteBall* sprite;              // not owned
  FormZarvo* form;                 // not owned

  MovementBall(const SpriteSettings* settings, SpriteBall* sprite, FormZarvo* form);
  void Step() override;
  VexaUtility::SpriteAnim* Clone() override;
};

class MovementMoney : public VexaUtility::SpriteAnim {
 public:
  const SpriteSettings* settings;  // not owned
  SpriteMonete* sprite;            // not owned
  FormZarvo* form;                 // not owned

  MovementMoney(const SpriteSettings* settings, SpriteMonete* sprite, FormZarvo* form);
  void Step() override;
  VexaUtility::SpriteAnim* Clone() override;
};

}  // namespace Zarvo
