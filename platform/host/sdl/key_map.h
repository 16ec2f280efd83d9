// Which key a player pressed, in the codes the windowing API speaks.
#pragma once

#include <SDL.h>
#include <cstdint>

namespace host::sdl {

struct KeyCodes {
  std::uint32_t virtualKey = 0;  // 0: the key has no virtual-key code
  // The classic set-1 make code; keys that the keyboard sends with the 0xE0
  // prefix carry it in the second byte (0xE048 for Up).
  std::uint32_t scanCode = 0;
};

// By position on the keyboard, as a US layout labels the keys.
KeyCodes KeyCodesOf(SDL_Scancode scancode);

// As the windowing API reports a key: letters follow the layout in use (the
// key that types "a" is 'A' wherever it sits), everything else its position.
KeyCodes KeyCodesOf(const SDL_Keysym& key);

}  // namespace host::sdl
