#include "game/playfield/sprites.h"

#include "framework/util/text.h"
#include "game/playfield/wall_layouts.h"

namespace Zarvo {
namespace {

constexpr COLORREF kPaddleBlue = 0xFF0000;
constexpr COLORREF kPaddleMiddle = 0x00004D;

// The picture's rectangle at the sprite's last place, copied to the same
// place of the surface.
void RestoreFrom(HBITMAP picture, const VexaUtility::Sprite& sprite, Drawing& surface) {
  surface.BlitRegion(sprite.lastX, sprite.lastY, sprite.width, sprite.height, picture, sprite.lastX,
                     sprite.lastY);
}

bool MovedSinceDrawn(const VexaUtility::Sprite& sprite) {
  return sprite.saveBackground && sprite.lastX != -1 && sprite.lastY != -1 &&
         (sprite.lastX != sprite.x || sprite.lastY != sprite.y);
}

Position Drawn(VexaUtility::Sprite& sprite, Position previous) {
  sprite.lastX = sprite.x;
  sprite.lastY = sprite.y;
  sprite.drawn = true;
  return previous;
}

}  // namespace

SpriteBall::SpriteBall(std::int32_t width, std::int32_t height, FormGames* form)
    : Sprite(width, height), form(form) {}

void SpriteBall::Erase(Drawing& surface) { RestoreFrom(form->backgroundPicture, *this, surface); }

void SpriteBall::RepairOldPlace(Drawing& surface) {
  RestoreFrom(form->backgroundPicture, *this, surface);
  VexaUtility::Sprite oldPlace(width, height);
  oldPlace.x = lastX;
  oldPlace.y = lastY;
  for (VexaUtility::GameElement* element : form->elements) {
    auto* other = dynamic_cast<VexaUtility::Sprite*>(element);
    if (other == nullptr || other->id == id || !other->Intersects(oldPlace)) continue;
    form->DrawSpriteOnBack(other);
  }
}

Position SpriteBall::Draw(Drawing& surface) {
  const Position previous{lastX, lastY};
  if (MovedSinceDrawn(*this)) RepairOldPlace(surface);
  surface.FillEllipse(x, y, width, height);  // the red disc, without an outline
  return Drawn(*this, previous);
}

SpriteMonete::SpriteMonete(std::int32_t width, std::int32_t height, FormGames* form)
    : SpriteBall(width, height, form) {}

Position SpriteMonete::Draw(Drawing& surface) {
  const Position previous{lastX, lastY};
  if (MovedSinceDrawn(*this)) RepairOldPlace(surface);
  // The surface's own font: the coin has none of its own.
  surface.DrawStringW(x, y, width, height, VexaUtility::ToWide(text), color, nullptr, 0);
  return Drawn(*this, previous);
}

SpriteTiles::SpriteTiles(std::int32_t width, std::int32_t height, FormGames* form)
    : Sprite(width, height), form(form) {}

void SpriteTiles::Erase(Drawing& surface) { RestoreFrom(form->backgroundPicture, *this, surface); }

Position SpriteTiles::Draw(Drawing& surface) {
  const Position previous{lastX, lastY};
  if (!alive) return previous;  // a broken brick draws nothing
  if (MovedSinceDrawn(*this)) RestoreFrom(form->backgroundPicture, *this, surface);
  const BrickColours colours = ColoursOfKind(kind);
  surface.GradientRect(x, y, width, height, colours.left, colours.right);
  return Drawn(*this, previous);
}

SpritePlayer::SpritePlayer(std::int32_t width, std::int32_t height, FormGames* form)
    : Sprite(width, height), form(form) {
  sharedImage = true;
}

void SpritePlayer::Erase(Drawing& surface) { RestoreFrom(form->levelSnapshot, *this, surface); }

Position SpritePlayer::Draw(Drawing& surface) {
  const Position previous{lastX, lastY};
  // Unlike the ball, the paddle leaves the sprites it wipes out to their own
  // next redraw.
  if (MovedSinceDrawn(*this)) RestoreFrom(form->backgroundPicture, *this, surface);
  const std::int32_t third = width / 3;
  surface.GradientRect(x, y, third, height, kPaddleBlue, kPaddleMiddle);
  if (surface.dc != nullptr) {
    HPEN pen = CreatePen(PS_SOLID, 1, kPaddleMiddle);
    HBRUSH brush = CreateSolidBrush(kPaddleMiddle);
    HGDIOBJ oldPen = SelectObject(surface.dc, pen);
    HGDIOBJ oldBrush = SelectObject(surface.dc, brush);
    Rectangle(surface.dc, x + third, y, x + 2 * third, y + height);
    SelectObject(surface.dc, oldPen);
    SelectObject(surface.dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
  }
  surface.GradientRect(x + 2 * third, y, third, height, kPaddleMiddle, kPaddleBlue);
  return Drawn(*this, previous);
}

}  // namespace Zarvo
