#include "platform/host/sdl/key_map.h"

#include <algorithm>
#include <array>

namespace host::sdl {
namespace {

struct KeyRow {
  SDL_Scancode scancode;
  std::uint32_t virtualKey;
  std::uint32_t scanCode;
};

// The keys a game, a name box and a dialog need, and the rest of a
// 104-key US keyboard that has a virtual-key code.
constexpr auto kKeys = std::to_array<KeyRow>({
    {SDL_SCANCODE_A, 0x41, 0x1E},
    {SDL_SCANCODE_B, 0x42, 0x30},
    {SDL_SCANCODE_C, 0x43, 0x2E},
    {SDL_SCANCODE_D, 0x44, 0x20},
    {SDL_SCANCODE_E, 0x45, 0x12},
    {SDL_SCANCODE_F, 0x46, 0x21},
    {SDL_SCANCODE_G, 0x47, 0x22},
    {SDL_SCANCODE_H, 0x48, 0x23},
    {SDL_SCANCODE_I, 0x49, 0x17},
    {SDL_SCANCODE_J, 0x4A, 0x24},
    {SDL_SCANCODE_K, 0x4B, 0x25},
    {SDL_SCANCODE_L, 0x4C, 0x26},
    {SDL_SCANCODE_M, 0x4D, 0x32},
    {SDL_SCANCODE_N, 0x4E, 0x31},
    {SDL_SCANCODE_O, 0x4F, 0x18},
    {SDL_SCANCODE_P, 0x50, 0x19},
    {SDL_SCANCODE_Q, 0x51, 0x10},
    {SDL_SCANCODE_R, 0x52, 0x13},
    {SDL_SCANCODE_S, 0x53, 0x1F},
    {SDL_SCANCODE_T, 0x54, 0x14},
    {SDL_SCANCODE_U, 0x55, 0x16},
    {SDL_SCANCODE_V, 0x56, 0x2F},
    {SDL_SCANCODE_W, 0x57, 0x11},
    {SDL_SCANCODE_X, 0x58, 0x2D},
    {SDL_SCANCODE_Y, 0x59, 0x15},
    {SDL_SCANCODE_Z, 0x5A, 0x2C},
    {SDL_SCANCODE_1, 0x31, 0x02},
    {SDL_SCANCODE_2, 0x32, 0x03},
    {SDL_SCANCODE_3, 0x33, 0x04},
    {SDL_SCANCODE_4, 0x34, 0x05},
    {SDL_SCANCODE_5, 0x35, 0x06},
    {SDL_SCANCODE_6, 0x36, 0x07},
    {SDL_SCANCODE_7, 0x37, 0x08},
    {SDL_SCANCODE_8, 0x38, 0x09},
    {SDL_SCANCODE_9, 0x39, 0x0A},
    {SDL_SCANCODE_0, 0x30, 0x0B},
    {SDL_SCANCODE_RETURN, 0x0D, 0x1C},
    {SDL_SCANCODE_ESCAPE, 0x1B, 0x01},
    {SDL_SCANCODE_BACKSPACE, 0x08, 0x0E},
    {SDL_SCANCODE_TAB, 0x09, 0x0F},
    {SDL_SCANCODE_SPACE, 0x20, 0x39},
    {SDL_SCANCODE_MINUS, 0xBD, 0x0C},
    {SDL_SCANCODE_EQUALS, 0xBB, 0x0D},
    {SDL_SCANCODE_LEFTBRACKET, 0xDB, 0x1A},
    {SDL_SCANCODE_RIGHTBRACKET, 0xDD, 0x1B},
    {SDL_SCANCODE_BACKSLASH, 0xDC, 0x2B},
    {SDL_SCANCODE_NONUSBACKSLASH, 0xE2, 0x56},
    {SDL_SCANCODE_SEMICOLON, 0xBA, 0x27},
    {SDL_SCANCODE_APOSTROPHE, 0xDE, 0x28},
    {SDL_SCANCODE_GRAVE, 0xC0, 0x29},
    {SDL_SCANCODE_COMMA, 0xBC, 0x33},
    {SDL_SCANCODE_PERIOD, 0xBE, 0x34},
    {SDL_SCANCODE_SLASH, 0xBF, 0x35},
    {SDL_SCANCODE_CAPSLOCK, 0x14, 0x3A},
    {SDL_SCANCODE_F1, 0x70, 0x3B},
    {SDL_SCANCODE_F2, 0x71, 0x3C},
    {SDL_SCANCODE_F3, 0x72, 0x3D},
    {SDL_SCANCODE_F4, 0x73, 0x3E},
    {SDL_SCANCODE_F5, 0x74, 0x3F},
    {SDL_SCANCODE_F6, 0x75, 0x40},
    {SDL_SCANCODE_F7, 0x76, 0x41},
    {SDL_SCANCODE_F8, 0x77, 0x42},
    {SDL_SCANCODE_F9, 0x78, 0x43},
    {SDL_SCANCODE_F10, 0x79, 0x44},
    {SDL_SCANCODE_F11, 0x7A, 0x57},
    {SDL_SCANCODE_F12, 0x7B, 0x58},
    {SDL_SCANCODE_PRINTSCREEN, 0x2C, 0xE037},
    {SDL_SCANCODE_SCROLLLOCK, 0x91, 0x46},
    {SDL_SCANCODE_PAUSE, 0x13, 0x45},
    {SDL_SCANCODE_INSERT, 0x2D, 0xE052},
    {SDL_SCANCODE_HOME, 0x24, 0xE047},
    {SDL_SCANCODE_PAGEUP, 0x21, 0xE049},
    {SDL_SCANCODE_DELETE, 0x2E, 0xE053},
    {SDL_SCANCODE_END, 0x23, 0xE04F},
    {SDL_SCANCODE_PAGEDOWN, 0x22, 0xE051},
    {SDL_SCANCODE_RIGHT, 0x27, 0xE04D},
    {SDL_SCANCODE_LEFT, 0x25, 0xE04B},
    {SDL_SCANCODE_DOWN, 0x28, 0xE050},
    {SDL_SCANCODE_UP, 0x26, 0xE048},
    {SDL_SCANCODE_NUMLOCKCLEAR, 0x90, 0x45},
    {SDL_SCANCODE_KP_DIVIDE, 0x6F, 0xE035},
    {SDL_SCANCODE_KP_MULTIPLY, 0x6A, 0x37},
    {SDL_SCANCODE_KP_MINUS, 0x6D, 0x4A},
    {SDL_SCANCODE_KP_PLUS, 0x6B, 0x4E},
    {SDL_SCANCODE_KP_ENTER, 0x0D, 0xE01C},
    {SDL_SCANCODE_KP_1, 0x61, 0x4F},
    {SDL_SCANCODE_KP_2, 0x62, 0x50},
    {SDL_SCANCODE_KP_3, 0x63, 0x51},
    {SDL_SCANCODE_KP_4, 0x64, 0x4B},
    {SDL_SCANCODE_KP_5, 0x65, 0x4C},
    {SDL_SCANCODE_KP_6, 0x66, 0x4D},
    {SDL_SCANCODE_KP_7, 0x67, 0x47},
    {SDL_SCANCODE_KP_8, 0x68, 0x48},
    {SDL_SCANCODE_KP_9, 0x69, 0x49},
    {SDL_SCANCODE_KP_0, 0x60, 0x52},
    {SDL_SCANCODE_KP_PERIOD, 0x6E, 0x53},
    {SDL_SCANCODE_APPLICATION, 0x5D, 0xE05D},
    {SDL_SCANCODE_LCTRL, 0xA2, 0x1D},
    {SDL_SCANCODE_LSHIFT, 0xA0, 0x2A},
    {SDL_SCANCODE_LALT, 0xA4, 0x38},
    {SDL_SCANCODE_LGUI, 0x5B, 0xE05B},
    {SDL_SCANCODE_RCTRL, 0xA3, 0xE01D},
    {SDL_SCANCODE_RSHIFT, 0xA1, 0x36},
    {SDL_SCANCODE_RALT, 0xA5, 0xE038},
    {SDL_SCANCODE_RGUI, 0x5C, 0xE05C},
});

}  // namespace

KeyCodes KeyCodesOf(SDL_Scancode scancode) {
  const auto* row = std::find_if(kKeys.begin(), kKeys.end(),
                                 [scancode](const KeyRow& r) { return r.scancode == scancode; });
  if (row == kKeys.end()) return {};
  return {row->virtualKey, row->scanCode};
}

KeyCodes KeyCodesOf(const SDL_Keysym& key) {
  KeyCodes codes = KeyCodesOf(key.scancode);
  if (key.sym >= SDLK_a && key.sym <= SDLK_z) {
    codes.virtualKey = 'A' + static_cast<std::uint32_t>(key.sym - SDLK_a);
  }
  return codes;
}

}  // namespace host::sdl
