// The desktop's own pointer shapes, each made once and kept.
#pragma once

#include <SDL.h>
#include <array>

#include "platform/host/host.h"

namespace host::sdl {

class Cursors {
 public:
  Cursors() = default;
  ~Cursors();
  Cursors(const Cursors&) = delete;
  Cursors& operator=(const Cursors&) = delete;

  void Set(Cursor cursor);

 private:
  std::array<SDL_Cursor*, 6> made_{};
};

}  // namespace host::sdl
