#include <gtest/gtest.h>

#include "platform/host/headless/headless.h"

namespace {

using host::headless::HeadlessHost;

TEST(HeadlessClock, WaitingIsTheClockMovingOn) {
  HeadlessHost host;
  const std::int64_t start = host.VirtualMilliseconds();
  host::Event event;
  EXPECT_FALSE(host.WaitEvent(event, 20));
  EXPECT_EQ(host.VirtualMilliseconds(), start + 20);
  EXPECT_EQ(host.Milliseconds(), 20u);

  host::Event key;
  key.type = host::EventType::KeyDown;
  key.virtualKey = 0x47;
  host.Push(key);
  EXPECT_TRUE(host.WaitEvent(event, 20));  // an event comes at once
  EXPECT_EQ(event.virtualKey, 0x47u);
  EXPECT_EQ(host.VirtualMilliseconds(), start + 20);

  host.Wake();
  EXPECT_FALSE(host.WaitEvent(event, 1000));  // woken: no time passes
  EXPECT_EQ(host.VirtualMilliseconds(), start + 20);

  int starved = 0;
  host.onStarved = [&] {
    ++starved;
    host::Event quit;
    quit.type = host::EventType::Quit;
    host.Push(quit);
  };
  EXPECT_TRUE(host.WaitEvent(event, -1));
  EXPECT_EQ(event.type, host::EventType::Quit);
  EXPECT_EQ(starved, 1);
}

TEST(HeadlessClock, AClockThatRunsWhileItIsReadMovesOnAfterEachReading) {
  HeadlessHost host;
  const host::LocalTime first = host.Now();
  EXPECT_EQ(host.Now().millisecond, first.millisecond);  // it stands still by default
  host.SetReadingStep(7);
  EXPECT_EQ(host.Now().millisecond, first.millisecond);  // read, then moved
  EXPECT_EQ(host.Now().millisecond, first.millisecond + 7);
  EXPECT_EQ(host.Now().millisecond, first.millisecond + 14);
  host.SetReadingStep(0);
  EXPECT_EQ(host.Now().millisecond, first.millisecond + 21);
  EXPECT_EQ(host.Now().millisecond, first.millisecond + 21);
}

TEST(HeadlessWindows, KeepWhatWasPresentedInTheChangedRectanglesOnly) {
  HeadlessHost host;
  const host::WindowId id = host.CreateWindow(host::WindowOptions{"t", {0, 0, 4, 3}, {}});
  std::uint32_t first[12], second[12];
  std::fill(std::begin(first), std::end(first), 0x111111u);
  std::fill(std::begin(second), std::end(second), 0x222222u);
  const host::Rect all{0, 0, 4, 3}, corner{2, 1, 9, 9};  // clipped to the frame
  host.Present(id, host::PixelView{first, 4, 3, 4}, std::span(&all, 1));
  host.Present(id, host::PixelView{second, 4, 3, 4}, std::span(&corner, 1));
  const auto* window = host.Window(id);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->Pixel(1, 1), 0x111111u);
  EXPECT_EQ(window->Pixel(2, 1), 0x222222u);
  EXPECT_EQ(window->Pixel(3, 2), 0x222222u);
  EXPECT_EQ(window->Pixel(3, 0), 0x111111u);
  EXPECT_EQ(window->Pixel(4, 0), 0xFFFFFFFFu);
  EXPECT_EQ(window->presentCount, 2);
  host.DestroyWindow(id);
  EXPECT_EQ(host.Window(id), nullptr);
}

TEST(HeadlessSound, RecordsEachSoundAndHowLongItPlayed) {
  HeadlessHost host;
  const std::vector<std::uint8_t> tenthOfASecond(4410 * 2, 0);  // 16-bit mono
  const host::PcmFormat format{44100, 1, 16};
  host.PlaySound(format, tenthOfASecond, false);
  host.Advance(40);
  host.PlaySound(format, tenthOfASecond, false);  // cuts the first one short
  host.Advance(500);
  host.StopSound();  // the second had ended by itself
  ASSERT_EQ(host.Sounds().size(), 2u);
  EXPECT_EQ(host.Sounds()[0].DurationMs(), 40);
  EXPECT_EQ(host.Sounds()[1].DurationMs(), 100);
}

TEST(HeadlessJoysticks, PluggedMovedAndUnplugged) {
  HeadlessHost host;
  EXPECT_FALSE(host.ReadJoystick(0).plugged);
  host.PlugJoystick(0, host::JoystickState{});
  host.MoveJoystick(0, 65535, 0);
  EXPECT_TRUE(host.ReadJoystick(0).plugged);
  EXPECT_EQ(host.ReadJoystick(0).x, 65535u);
  host.SetJoystickService(false);
  EXPECT_EQ(host.JoystickSlots(), 0);
  EXPECT_FALSE(host.ReadJoystick(0).plugged);
  host.SetJoystickService(true);
  host.UnplugJoystick(0);
  EXPECT_FALSE(host.ReadJoystick(0).plugged);
}

}  // namespace
