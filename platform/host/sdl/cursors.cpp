#include "platform/host/sdl/cursors.h"

#include "platform/host/sdl/display_loss.h"

namespace host::sdl {
namespace {

// In the order of host::Cursor.
constexpr std::array<SDL_SystemCursor, 6> kShapes = {
    SDL_SYSTEM_CURSOR_ARROW, SDL_SYSTEM_CURSOR_WAIT,    SDL_SYSTEM_CURSOR_HAND,
    SDL_SYSTEM_CURSOR_IBEAM, SDL_SYSTEM_CURSOR_SIZEALL, SDL_SYSTEM_CURSOR_NO,
};

}  // namespace

// A cursor lives on the X server: with the display lost there is none to free.
Cursors::~Cursors() {
  ThroughDisplay([&] {
    for (SDL_Cursor* cursor : made_) {
      if (cursor) SDL_FreeCursor(cursor);
    }
  });
}

void Cursors::Set(Cursor cursor) {
  const auto index = static_cast<std::size_t>(cursor);
  if (index >= kShapes.size()) return;
  if (made_[index] == nullptr) made_[index] = SDL_CreateSystemCursor(kShapes[index]);
  if (made_[index] != nullptr) SDL_SetCursor(made_[index]);
}

}  // namespace host::sdl
