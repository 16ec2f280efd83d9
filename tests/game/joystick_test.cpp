#include <gtest/gtest.h>

#include "game/playfield/joystick.h"
#include "platform/host/headless/headless.h"

namespace {

using namespace Zarvo;

host::headless::HeadlessHost& Host() { return host::headless::Instance(); }

host::JoystickState Pad(std::uint32_t x) {
  host::JoystickState state;
  state.plugged = true;
  state.x = x;
  state.nameUtf8 = "Pad";
  return state;
}

TEST(FindJoystick, TheFirstThatAnswers_OrNone) {
  EXPECT_EQ(FindJoystick(), -1);
  Host().PlugJoystick(1, Pad(32767));
  EXPECT_EQ(FindJoystick(), 1);
  Host().PlugJoystick(0, Pad(32767));
  EXPECT_EQ(FindJoystick(), 0);
  Host().SetJoystickService(false);
  EXPECT_EQ(FindJoystick(), -1);
}

TEST(FindJoystick, TheSecondOnlyWhenTheDriverReportsTwoOrMore) {
  Host().PlugJoystick(1, Pad(0));
  Host().SetJoystickSlots(2);
  EXPECT_EQ(FindJoystick(), 1);
  Host().SetJoystickSlots(1);
  EXPECT_EQ(FindJoystick(), -1) << "one device reported: only joystick 1 is tried";
}

TEST(ReadJoystick, MapsTheXAxisToMinus100Plus100) {
  struct Case {
    std::uint32_t x;
    std::int32_t mapped;
  } cases[] = {{0, -100}, {65535, 100}, {32767, 0}, {32768, 0}, {16384, -49}, {49151, 49}};
  for (const Case& c : cases) {
    Host().PlugJoystick(0, Pad(c.x));
    JoystickReading reading;
    ASSERT_EQ(joyGetDevCapsW(0, &reading.capabilities, sizeof reading.capabilities),
              JOYERR_NOERROR);
    ASSERT_TRUE(ReadJoystick(reading, 0)) << c.x;
    EXPECT_EQ(MappedX(reading), c.mapped) << c.x;
  }
}

TEST(ReadJoystick, AnEmptyRangeReadsAsCentred_AMissingJoystickAsNoReading) {
  Host().PlugJoystick(0, Pad(65535));
  JoystickReading reading;
  reading.capabilities.wXmin = 500;
  reading.capabilities.wXmax = 500;  // no travel at all
  ASSERT_TRUE(ReadJoystick(reading, 0));
  EXPECT_EQ(MappedX(reading), 0);
  Host().UnplugJoystick(0);
  EXPECT_FALSE(ReadJoystick(reading, 0));
  EXPECT_EQ(reading.position.wXpos, 0u);
}

}  // namespace
