#include <gtest/gtest.h>

#include <SDL.h>
#include <string>

#include "platform/api/mm.h"
#include "tests/platform_sdl/sdl_platform_fixture.h"

namespace sdl_platform_testing {
namespace {

// A pad with two axes and five buttons, plugged in as the first joystick.
class SdlJoystick : public OnSdlHost {
 protected:
  void SetUp() override {
    OnSdlHost::SetUp();
    SDL_VirtualJoystickDesc pad{};
    pad.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    pad.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    pad.naxes = 2;
    pad.nbuttons = 5;
    pad.name = "Zarvo Pad";
    index_ = SDL_JoystickAttachVirtualEx(&pad);
    ASSERT_EQ(index_, 0) << SDL_GetError();
    // The test moves the stick through a handle of its own.
    stick_ = SDL_JoystickOpen(index_);
    ASSERT_NE(stick_, nullptr);
  }
  void TearDown() override {
    if (stick_ != nullptr) SDL_JoystickClose(stick_);
    OnSdlHost::TearDown();
  }

  int index_ = -1;
  SDL_Joystick* stick_ = nullptr;
};

TEST_F(SdlJoystick, AVirtualPadIsReadThroughTheJoystickCalls) {
  EXPECT_EQ(joyGetNumDevs(), 16u);
  JOYCAPSW caps{};
  ASSERT_EQ(joyGetDevCapsW(JOYSTICKID1, &caps, sizeof caps), JOYERR_NOERROR);
  EXPECT_EQ(std::u16string(caps.szPname), u"Zarvo Pad");
  EXPECT_EQ(caps.wXmax, 65535u);
  EXPECT_EQ(caps.wNumAxes, 2u);
  EXPECT_EQ(caps.wNumButtons, 5u);

  JOYINFO info{};
  ASSERT_EQ(joyGetPos(JOYSTICKID1, &info), JOYERR_NOERROR);
  EXPECT_EQ(info.wXpos, 32768u) << "at rest";
  EXPECT_EQ(info.wZpos, 32768u) << "an axis it lacks rests at the centre";
  struct Move {
    Sint16 x, y;
    UINT expectX, expectY;
  } moves[] = {{-32768, 32767, 0, 65535}, {32767, -32768, 65535, 0}, {-1, 1, 32767, 32769}};
  for (const Move& m : moves) {
    SDL_JoystickSetVirtualAxis(stick_, 0, m.x);
    SDL_JoystickSetVirtualAxis(stick_, 1, m.y);
    ASSERT_EQ(joyGetPos(JOYSTICKID1, &info), JOYERR_NOERROR);
    EXPECT_EQ(info.wXpos, m.expectX) << m.x;
    EXPECT_EQ(info.wYpos, m.expectY) << m.y;
  }
  SDL_JoystickSetVirtualButton(stick_, 1, SDL_PRESSED);
  SDL_JoystickSetVirtualButton(stick_, 4, SDL_PRESSED);  // a fifth button: not in the record
  ASSERT_EQ(joyGetPos(JOYSTICKID1, &info), JOYERR_NOERROR);
  EXPECT_EQ(info.wButtons, JOY_BUTTON2);

  EXPECT_EQ(joyGetPos(JOYSTICKID2, &info), JOYERR_UNPLUGGED);
  ASSERT_EQ(SDL_JoystickDetachVirtual(index_), 0);
  EXPECT_EQ(joyGetPos(JOYSTICKID1, &info), JOYERR_UNPLUGGED);
  EXPECT_EQ(joyGetDevCapsW(JOYSTICKID1, &caps, sizeof caps), JOYERR_UNPLUGGED);
  EXPECT_EQ(joyGetNumDevs(), 16u);
}

}  // namespace
}  // namespace sdl_platform_testing
