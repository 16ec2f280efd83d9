#include <gtest/gtest.h>

#include "tests/host_sdl/host_fixture.h"

namespace sdl_testing {
namespace {

using host::EventType;

class Joystick : public WithoutDisplay {
 protected:
  // A pad with two axes and three buttons; its device index.
  int AttachPad() {
    SDL_VirtualJoystickDesc pad{};
    pad.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    pad.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    pad.naxes = 2;
    pad.nbuttons = 3;
    pad.name = "Zarvo Pad";
    return SDL_JoystickAttachVirtualEx(&pad);
  }
};

TEST_F(Joystick, AVirtualPadIsPlugged_ItsAxesSpanTheRange_ItsButtonsAreBits) {
  ASSERT_EQ(host().JoystickSlots(), 16);
  const int index = AttachPad();
  ASSERT_GE(index, 0) << SDL_GetError();
  EXPECT_TRUE(
      Contains(EventsUntil(host(), Is(EventType::JoystickAdded)), Is(EventType::JoystickAdded)));

  host::JoystickState state = host().ReadJoystick(index);
  ASSERT_TRUE(state.plugged);
  EXPECT_EQ(state.nameUtf8, "Zarvo Pad");
  EXPECT_EQ(state.axes, 2);
  EXPECT_EQ(state.buttonCount, 3);
  EXPECT_EQ(state.x, 32768u);
  EXPECT_EQ(state.y, 32768u);
  EXPECT_EQ(state.z, 32768u) << "an axis it lacks reads as at rest";
  EXPECT_EQ(state.buttons, 0u);

  // The test moves the stick through a handle of its own.
  SDL_Joystick* stick = SDL_JoystickOpen(index);
  ASSERT_NE(stick, nullptr);
  struct Move {
    Sint16 x, y;
    std::uint32_t expectX, expectY;
  };
  const Move moves[] = {{-32768, 32767, 0, 65535},
                        {32767, -32768, 65535, 0},
                        {0, 0, 32768, 32768},
                        {1, -1, 32769, 32767}};
  for (const Move& m : moves) {
    SDL_JoystickSetVirtualAxis(stick, 0, m.x);
    SDL_JoystickSetVirtualAxis(stick, 1, m.y);
    state = host().ReadJoystick(index);
    EXPECT_EQ(state.x, m.expectX) << m.x;
    EXPECT_EQ(state.y, m.expectY) << m.y;
  }
  SDL_JoystickSetVirtualButton(stick, 0, SDL_PRESSED);
  SDL_JoystickSetVirtualButton(stick, 2, SDL_PRESSED);
  EXPECT_EQ(host().ReadJoystick(index).buttons, 0b101u);

  ASSERT_EQ(SDL_JoystickDetachVirtual(index), 0);
  EXPECT_FALSE(host().ReadJoystick(index).plugged);
  EXPECT_TRUE(Contains(EventsUntil(host(), Is(EventType::JoystickRemoved)),
                       Is(EventType::JoystickRemoved)));
  SDL_JoystickClose(stick);
}

TEST_F(Joystick, ANumberWithoutAJoystickIsNotPlugged) {
  const int index = AttachPad();
  ASSERT_GE(index, 0);
  EXPECT_TRUE(host().ReadJoystick(index).plugged);
  for (int missing : {-1, index + 1, 16}) {
    const host::JoystickState state = host().ReadJoystick(missing);
    EXPECT_FALSE(state.plugged) << missing;
    EXPECT_TRUE(state.nameUtf8.empty()) << missing;
  }
}

TEST_F(Joystick, APadPluggedAgainIsReadAgain) {
  const int first = AttachPad();
  ASSERT_GE(first, 0);
  EXPECT_TRUE(host().ReadJoystick(first).plugged);
  ASSERT_EQ(SDL_JoystickDetachVirtual(first), 0);
  EXPECT_FALSE(host().ReadJoystick(first).plugged);
  const int again = AttachPad();
  ASSERT_GE(again, 0);
  const host::JoystickState state = host().ReadJoystick(again);
  EXPECT_TRUE(state.plugged);
  EXPECT_EQ(state.nameUtf8, "Zarvo Pad");
}

}  // namespace
}  // namespace sdl_testing
