#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/api/mm.h"
#include "platform/host/headless/headless.h"

namespace {

std::u16string Name(const WCHAR* field) {
  return std::u16string(field);
}

host::JoystickState Pad(std::string name, int axes = 2, int buttons = 4) {
  host::JoystickState state;
  state.nameUtf8 = std::move(name);
  state.axes = axes;
  state.buttonCount = buttons;
  return state;
}

class Joystick : public ::testing::Test {
 protected:
  host::headless::HeadlessHost& host_ = host::headless::Instance();
};

TEST_F(Joystick, SixteenWhileTheServiceIsThere_NoneWithout) {
  EXPECT_EQ(joyGetNumDevs(), 16u) << "how many the driver takes, with none plugged in";
  host_.PlugJoystick(0, Pad("Pad"));
  EXPECT_EQ(joyGetNumDevs(), 16u);

  host_.SetJoystickService(false);
  EXPECT_EQ(joyGetNumDevs(), 0u);
  JOYINFO info{};
  JOYCAPSW caps{};
  EXPECT_EQ(joyGetPos(JOYSTICKID1, &info), MMSYSERR_NODRIVER);
  EXPECT_EQ(joyGetDevCapsW(JOYSTICKID1, &caps, sizeof caps), MMSYSERR_NODRIVER);
}

TEST_F(Joystick, PositionFollowsPlugMoveAndUnplug) {
  JOYINFO info{1, 2, 3, 4};
  EXPECT_EQ(joyGetPos(JOYSTICKID1, &info), JOYERR_UNPLUGGED);

  host::JoystickState pad = Pad("Pad", 3, 6);
  pad.z = 100;
  pad.buttons = 0b110101;  // buttons 1, 3, 5 and 6
  host_.PlugJoystick(1, pad);
  EXPECT_EQ(joyGetPos(JOYSTICKID1, &info), JOYERR_UNPLUGGED) << "the first joystick is not there";
  ASSERT_EQ(joyGetPos(JOYSTICKID2, &info), JOYERR_NOERROR);
  EXPECT_EQ(info.wXpos, 32767u);
  EXPECT_EQ(info.wYpos, 32767u);
  EXPECT_EQ(info.wZpos, 100u);
  EXPECT_EQ(info.wButtons, JOY_BUTTON1 | JOY_BUTTON3) << "the record holds four buttons";

  struct Move {
    std::uint32_t x, y;
  } moves[] = {{0, 65535}, {65535, 0}, {32768, 1}};
  for (const Move& m : moves) {
    host_.MoveJoystick(1, m.x, m.y);
    ASSERT_EQ(joyGetPos(JOYSTICKID2, &info), JOYERR_NOERROR);
    EXPECT_EQ(info.wXpos, m.x);
    EXPECT_EQ(info.wYpos, m.y);
  }

  host_.UnplugJoystick(1);
  EXPECT_EQ(joyGetPos(JOYSTICKID2, &info), JOYERR_UNPLUGGED);
  EXPECT_EQ(joyGetNumDevs(), 16u);
}

TEST_F(Joystick, BadNumbersRecordsAndSizesAreRefused) {
  host_.PlugJoystick(0, Pad("Pad"));
  JOYINFO info{};
  JOYCAPSW caps{};
  EXPECT_EQ(joyGetPos(JOYSTICKID1, nullptr), JOYERR_PARMS);
  EXPECT_EQ(joyGetDevCapsW(JOYSTICKID1, nullptr, sizeof caps), JOYERR_PARMS);
  for (UINT size : {0u, static_cast<UINT>(sizeof caps - 1), static_cast<UINT>(sizeof caps + 1)}) {
    EXPECT_EQ(joyGetDevCapsW(JOYSTICKID1, &caps, size), JOYERR_PARMS) << size;
  }
  for (UINT id : {16u, 0xFFFFu, 0xFFFFFFFFu}) {
    EXPECT_EQ(joyGetPos(id, &info), JOYERR_PARMS) << id;
    EXPECT_EQ(joyGetDevCapsW(id, &caps, sizeof caps), JOYERR_PARMS) << id;
  }
  EXPECT_EQ(joyGetDevCapsW(UINT_PTR{1} << 32, &caps, sizeof caps), JOYERR_PARMS)
      << "a number that a 32-bit cut would turn into 0";
  EXPECT_EQ(joyGetPos(15, &info), JOYERR_UNPLUGGED);
  EXPECT_EQ(joyGetDevCapsW(15, &caps, sizeof caps), JOYERR_UNPLUGGED);
}

TEST_F(Joystick, ADriverWithOneSlotNamesOnlyTheFirstJoystick) {
  host_.SetJoystickSlots(1);
  host_.PlugJoystick(1, Pad("Pad"));
  JOYINFO info{};
  JOYCAPSW caps{};
  EXPECT_EQ(joyGetNumDevs(), 1u);
  EXPECT_EQ(joyGetPos(JOYSTICKID2, &info), JOYERR_PARMS);
  EXPECT_EQ(joyGetDevCapsW(JOYSTICKID2, &caps, sizeof caps), JOYERR_PARMS);
  EXPECT_EQ(joyGetPos(JOYSTICKID1, &info), JOYERR_UNPLUGGED);
}

TEST_F(Joystick, CapabilitiesGiveFullAxisRangesTheNameAndTheCounts) {
  host_.PlugJoystick(0, Pad("Zarvo Pad", 2, 3));
  JOYCAPSW caps;
  std::memset(&caps, 0xAB, sizeof caps);
  ASSERT_EQ(joyGetDevCapsW(JOYSTICKID1, &caps, sizeof caps), JOYERR_NOERROR);
  EXPECT_EQ(Name(caps.szPname), u"Zarvo Pad");
  EXPECT_EQ(caps.wXmin, 0u);
  EXPECT_EQ(caps.wXmax, 65535u);
  EXPECT_EQ(caps.wYmin, 0u);
  EXPECT_EQ(caps.wYmax, 65535u);
  EXPECT_EQ(caps.wZmax, 0u) << "no third axis";
  EXPECT_EQ(caps.wNumAxes, 2u);
  EXPECT_EQ(caps.wMaxAxes, 6u);
  EXPECT_EQ(caps.wCaps, 0u);
  EXPECT_EQ(caps.wNumButtons, 3u);
  EXPECT_EQ(caps.wMaxButtons, 32u);
  EXPECT_LE(caps.wPeriodMin, caps.wPeriodMax);
  EXPECT_EQ(caps.szRegKey[0], 0);
  EXPECT_EQ(caps.szOEMVxD[0], 0);

  // Four axes, and a name longer than the field: cut, with its zero.
  host_.PlugJoystick(1, Pad("A joystick whose name is longer than thirty-one", 4, 40));
  ASSERT_EQ(joyGetDevCapsW(JOYSTICKID2, &caps, sizeof caps), JOYERR_NOERROR);
  EXPECT_EQ(Name(caps.szPname), u"A joystick whose name is longer");
  EXPECT_EQ(caps.wZmax, 65535u);
  EXPECT_EQ(caps.wRmax, 65535u);
  EXPECT_EQ(caps.wUmax, 0u);
  EXPECT_EQ(caps.wCaps, JOYCAPS_HASZ | JOYCAPS_HASR);
  EXPECT_EQ(caps.wNumAxes, 4u);
  EXPECT_EQ(caps.wNumButtons, 32u);

  host_.PlugJoystick(2, Pad(""));
  ASSERT_EQ(joyGetDevCapsW(2, &caps, sizeof caps), JOYERR_NOERROR);
  EXPECT_FALSE(Name(caps.szPname).empty()) << "a joystick without a name is still called something";
}

// The game's steering maps X against the range the capabilities give.
TEST_F(Joystick, TheCentreOfTheRangeSteersNeitherWay) {
  host_.PlugJoystick(0, Pad("Pad"));
  JOYCAPSW caps{};
  JOYINFO info{};
  ASSERT_EQ(joyGetDevCapsW(JOYSTICKID1, &caps, sizeof caps), JOYERR_NOERROR);
  auto mapped = [&](std::uint32_t x) {
    host_.MoveJoystick(0, x, 32767);
    EXPECT_EQ(joyGetPos(JOYSTICKID1, &info), JOYERR_NOERROR);
    return static_cast<int>((info.wXpos - (caps.wXmin + caps.wXmax) * 0.5) * 200 /
                            (caps.wXmax - caps.wXmin));
  };
  EXPECT_EQ(mapped(32767), 0);
  EXPECT_EQ(mapped(32768), 0);
  EXPECT_EQ(mapped(0), -100);
  EXPECT_EQ(mapped(65535), 100);
}

}  // namespace
