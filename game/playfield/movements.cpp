#include "game/playfield/movements.h"

#include <cstdlib>

#include "game/playfield/hits_paddle.h"
#include "game/shell/form_zarvo.h"

namespace Zarvo {

MovementBall::MovementBall(const SpriteSettings* settings, SpriteBall* sprite, FormZarvo* form)
    : settings(settings), sprite(sprite), form(form) {
  period = 30;
}

VexaUtility::SpriteAnim* MovementBall::Clone() { return new MovementBall(*this); }

void MovementBall::Step() {
  SpriteBall& b = *sprite;
  if (!b.movingRight) {
    b.x -= b.stepX;
    if (b.x < b.minX) {
      b.x = b.minX;
      b.movingRight = true;
    }
  } else {
    b.x += b.stepX;
    if (b.x > b.maxX) {
      b.x = b.maxX;
      b.movingRight = false;
    }
  }
  if (!b.movingUp) {
    b.y += b.stepY;
    // The ball is lost, but the step goes on: it is drawn once more at the
    // bottom over the picture BallLost shows.
    if (b.y > b.maxY) {
      b.y = b.maxY;
      form->BallLost();
    }
  } else {
    b.y -= b.stepY;
    if (b.y < b.minY) {
      b.y = b.minY;
      b.movingUp = false;
    }
  }
  if (form->paddle != nullptr && HitsPaddle(*form->paddle, b)) {
    form->PlayBallSound();
    b.movingUp = true;
    const std::int32_t offset = b.x + b.width / 2 - form->paddle->width / 2 - form->paddle->x;
    // Near the centre the ball goes straight up; further out it leaves to
    // that side, the slower the further out.
    const double f = 1.0 - std::abs(offset) / static_cast<double>(form->paddle->width);
    if (offset < -b.width) {
      b.movingRight = false;
      b.stepX = static_cast<std::int32_t>(f * b.baseStepX);
    } else if (offset > b.width) {
      b.movingRight = true;
      b.stepX = static_cast<std::int32_t>(f * b.baseStepX);
    } else {
      b.stepX = 0;
    }
  }
  if (!form->HitBricks(&b)) {
    form->LevelComplete();
    return;
  }
  form->RedrawSprite(&b);
}

MovementMoney::MovementMoney(const SpriteSettings* settings, SpriteMonete* sprite,
                             FormZarvo* form)
    : settings(settings), sprite(sprite), form(form) {
  period = 30;
}

VexaUtility::SpriteAnim* MovementMoney::Clone() { return new MovementMoney(*this); }

void MovementMoney::Step() {
  SpriteMonete& c = *sprite;
  if (c.caught) {
    c.x += c.stepX;
    if (c.x > c.maxX) {
      c.x = c.maxX;
      form->Respawn(&c);
    }
  } else {
    c.y += c.stepY;
    if (c.y > c.maxY) {
      c.y = c.maxY;
      form->Respawn(&c);  // missed: back at the top at once
    } else if (form->paddle != nullptr && HitsPaddle(*form->paddle, c)) {
      c.caught = true;
      form->score += std::atoi(c.text.c_str());
      form->DrawStatusLine();
    }
  }
  form->RedrawSprite(&c);
}

}  // namespace Zarvo
