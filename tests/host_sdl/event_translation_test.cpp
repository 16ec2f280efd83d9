#include <gtest/gtest.h>

#include "platform/host/sdl/event_translation.h"

namespace host::sdl {
namespace {

SDL_Event WindowEvent(SDL_WindowEventID id, int data1 = 0, int data2 = 0) {
  SDL_Event raw{};
  raw.type = SDL_WINDOWEVENT;
  raw.window.windowID = 7;
  raw.window.event = static_cast<Uint8>(id);
  raw.window.data1 = data1;
  raw.window.data2 = data2;
  return raw;
}

SDL_Event Wheel(int y, Uint32 direction) {
  SDL_Event raw{};
  raw.type = SDL_MOUSEWHEEL;
  raw.wheel.windowID = 7;
  raw.wheel.y = y;
  raw.wheel.direction = direction;
  raw.wheel.mouseX = 12;
  raw.wheel.mouseY = 34;
  return raw;
}

SDL_Event Button(Uint8 button) {
  SDL_Event raw{};
  raw.type = SDL_MOUSEBUTTONDOWN;
  raw.button.windowID = 7;
  raw.button.button = button;
  return raw;
}

SDL_Event KeyDown(SDL_Scancode scancode, Uint16 mod, Uint8 repeat) {
  SDL_Event raw{};
  raw.type = SDL_KEYDOWN;
  raw.key.windowID = 7;
  raw.key.keysym.scancode = scancode;
  raw.key.keysym.mod = mod;
  raw.key.repeat = repeat;
  return raw;
}

TEST(EventTranslation, WindowEventsCarryTheirData_UnneededOnesAreDropped) {
  Event e;
  ASSERT_TRUE(TranslateEvent(WindowEvent(SDL_WINDOWEVENT_MOVED, -5, 40), e));
  EXPECT_EQ(e.type, EventType::Moved);
  EXPECT_EQ(e.window, 7u);
  EXPECT_EQ(e.x, -5);
  EXPECT_EQ(e.y, 40);
  ASSERT_TRUE(TranslateEvent(WindowEvent(SDL_WINDOWEVENT_SIZE_CHANGED, 300, 200), e));
  EXPECT_EQ(e.type, EventType::Resized);
  EXPECT_EQ(e.width, 300);
  EXPECT_EQ(e.height, 200);
  ASSERT_TRUE(TranslateEvent(WindowEvent(SDL_WINDOWEVENT_MAXIMIZED), e));
  EXPECT_EQ(e.type, EventType::Restored);
  // Each change of size counts once: SIZE_CHANGED already told it.
  EXPECT_FALSE(TranslateEvent(WindowEvent(SDL_WINDOWEVENT_RESIZED, 300, 200), e));
  EXPECT_FALSE(TranslateEvent(WindowEvent(SDL_WINDOWEVENT_SHOWN), e));
}

TEST(EventTranslation, TheWheelCountsNotchesAwayFromTheUser_WhicheverWayTheDeviceTurns) {
  Event e;
  ASSERT_TRUE(TranslateEvent(Wheel(2, SDL_MOUSEWHEEL_NORMAL), e));
  EXPECT_EQ(e.wheel, 2);
  EXPECT_EQ(e.x, 12);
  EXPECT_EQ(e.y, 34);
  ASSERT_TRUE(TranslateEvent(Wheel(2, SDL_MOUSEWHEEL_FLIPPED), e));
  EXPECT_EQ(e.wheel, -2);
  EXPECT_FALSE(TranslateEvent(Wheel(0, SDL_MOUSEWHEEL_NORMAL), e)) << "sideways only";
}

TEST(EventTranslation, OnlyTheThreeMainButtonsCount) {
  Event e;
  for (Uint8 b : {SDL_BUTTON_LEFT, SDL_BUTTON_MIDDLE, SDL_BUTTON_RIGHT}) {
    ASSERT_TRUE(TranslateEvent(Button(b), e));
    EXPECT_EQ(e.button, b);
  }
  EXPECT_FALSE(TranslateEvent(Button(SDL_BUTTON_X1), e));
  EXPECT_FALSE(TranslateEvent(Button(SDL_BUTTON_X2), e));
}

TEST(EventTranslation, KeysCarryModifiersAndRepeat_KeysWithoutACodeAreDropped) {
  Event e;
  ASSERT_TRUE(
      TranslateEvent(KeyDown(SDL_SCANCODE_LEFT, KMOD_RSHIFT | KMOD_LCTRL | KMOD_RALT, 1), e));
  EXPECT_EQ(e.type, EventType::KeyDown);
  EXPECT_EQ(e.virtualKey, 0x25u);
  EXPECT_EQ(e.modifiers, static_cast<std::uint32_t>(ModShift | ModControl | ModAlt));
  EXPECT_TRUE(e.repeat);
  ASSERT_TRUE(TranslateEvent(KeyDown(SDL_SCANCODE_SPACE, KMOD_NUM | KMOD_GUI, 0), e));
  EXPECT_EQ(e.modifiers, 0u);
  EXPECT_FALSE(e.repeat);
  EXPECT_FALSE(TranslateEvent(KeyDown(SDL_SCANCODE_AUDIOPLAY, 0, 0), e));
}

}  // namespace
}  // namespace host::sdl
