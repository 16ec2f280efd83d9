#include <gtest/gtest.h>

#include "platform/host/sdl/key_map.h"

namespace host::sdl {
namespace {

SDL_Keysym Key(SDL_Scancode scancode, SDL_Keycode sym) {
  SDL_Keysym key{};
  key.scancode = scancode;
  key.sym = sym;
  return key;
}

TEST(KeyMap, KeysGetTheirVirtualKeyAndSetOneScanCodes) {
  struct Row {
    SDL_Scancode scancode;
    std::uint32_t virtualKey, scanCode;
  };
  // Where the table is easiest to get wrong: the two halves of the modifier
  // keys, the keys of the 0xE0 group, the punctuation codes, the keypad.
  const Row rows[] = {
      {SDL_SCANCODE_A, 0x41, 0x1E},          {SDL_SCANCODE_Z, 0x5A, 0x2C},
      {SDL_SCANCODE_0, 0x30, 0x0B},          {SDL_SCANCODE_9, 0x39, 0x0A},
      {SDL_SCANCODE_SPACE, 0x20, 0x39},      {SDL_SCANCODE_F10, 0x79, 0x44},
      {SDL_SCANCODE_F11, 0x7A, 0x57},        {SDL_SCANCODE_LSHIFT, 0xA0, 0x2A},
      {SDL_SCANCODE_RSHIFT, 0xA1, 0x36},     {SDL_SCANCODE_LCTRL, 0xA2, 0x1D},
      {SDL_SCANCODE_RCTRL, 0xA3, 0xE01D},    {SDL_SCANCODE_LALT, 0xA4, 0x38},
      {SDL_SCANCODE_RALT, 0xA5, 0xE038},     {SDL_SCANCODE_UP, 0x26, 0xE048},
      {SDL_SCANCODE_PAGEDOWN, 0x22, 0xE051}, {SDL_SCANCODE_KP_8, 0x68, 0x48},
      {SDL_SCANCODE_KP_ENTER, 0x0D, 0xE01C}, {SDL_SCANCODE_SEMICOLON, 0xBA, 0x27},
      {SDL_SCANCODE_EQUALS, 0xBB, 0x0D},     {SDL_SCANCODE_GRAVE, 0xC0, 0x29},
      {SDL_SCANCODE_BACKSLASH, 0xDC, 0x2B},  {SDL_SCANCODE_APOSTROPHE, 0xDE, 0x28},
      {SDL_SCANCODE_AUDIOPLAY, 0, 0},
  };
  for (const Row& row : rows) {
    const KeyCodes codes = KeyCodesOf(row.scancode);
    EXPECT_EQ(codes.virtualKey, row.virtualKey) << SDL_GetScancodeName(row.scancode);
    EXPECT_EQ(codes.scanCode, row.scanCode) << SDL_GetScancodeName(row.scancode);
  }
}

TEST(KeyMap, LettersFollowTheLayout_OtherKeysTheirPlace) {
  // On a French keyboard the key where a US one has Q types "a".
  EXPECT_EQ(KeyCodesOf(Key(SDL_SCANCODE_Q, SDLK_a)).virtualKey, 0x41u);
  EXPECT_EQ(KeyCodesOf(Key(SDL_SCANCODE_Q, SDLK_a)).scanCode, 0x10u);
  // ... and the digit row types symbols, yet its keys are still the digits.
  EXPECT_EQ(KeyCodesOf(Key(SDL_SCANCODE_1, SDLK_AMPERSAND)).virtualKey, 0x31u);
  // A key that types no Latin letter keeps the code of its place.
  EXPECT_EQ(KeyCodesOf(Key(SDL_SCANCODE_F, 0x430)).virtualKey, 0x46u);
}

}  // namespace
}  // namespace host::sdl
