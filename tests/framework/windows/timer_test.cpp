#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/controls/timer.h"
#include "framework/elements/element_registry.h"
#include "tests/framework/windows/window_fixture.h"

namespace {

using namespace VexaUtility;
using window_tests::Drain;
using window_tests::Host;
using window_tests::RunLoop;
using window_tests::TestForm;

std::vector<std::uint64_t> tickTimes;

// Five ticks, then the form goes and the loop ends.
void CountTicks(Timer* timer) {
  tickTimes.push_back(Host().Milliseconds());
  if (tickTimes.size() == 5) DestroyWindow(timer->parent->hwnd);
}

int CountChildren(HWND parent) {
  int n = 0;
  for (HWND w = GetWindow(parent, GW_CHILD); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) ++n;
  return n;
}

TEST(Timer, TicksReachOnTickEveryIntervalThroughTheMessageLoop) {
  TestForm form;
  form.Create();
  Timer timer(&form);
  timer.onTick = CountTicks;
  const std::uint64_t start = Host().Milliseconds();
  timer.Start();
  ASSERT_TRUE(RunLoop(&form));
  ASSERT_EQ(tickTimes.size(), 5u);
  for (std::size_t i = 0; i < tickTimes.size(); ++i) {
    EXPECT_EQ(tickTimes[i] - start, 20 * (i + 1));
  }
}

TEST(Timer, StartingTwiceMakesOneWindowAndKeepsTheFirstRhythm) {
  TestForm form;
  form.Create();
  Timer timer(&form);
  static int fired = 0;
  timer.onTick = [](Timer*) { ++fired; };
  timer.Start();
  EXPECT_EQ(timer.typeName, "timer");
  const std::int32_t id = timer.id;
  const HWND window = timer.hwnd;
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(IsWindowVisible(window));
  Host().Advance(15);
  timer.Start();  // a second SetTimer would start the 20 ms over
  EXPECT_EQ(timer.id, id);
  EXPECT_EQ(CountChildren(form.hwnd), 1);
  Host().Advance(5);
  Drain();
  EXPECT_EQ(fired, 1);
}

TEST(Timer, StopKeepsTheWindowAndIdForTheNextStart) {
  TestForm form;
  form.Create();
  Timer timer(&form);
  static int fired = 0;
  timer.onTick = [](Timer*) { ++fired; };
  timer.Stop();  // not running: nothing to do
  timer.Start();
  const std::int32_t id = timer.id;
  const HWND window = timer.hwnd;
  timer.Stop();
  EXPECT_FALSE(timer.running);
  Host().Advance(100);
  Drain();
  EXPECT_EQ(fired, 0);
  timer.Start();
  EXPECT_EQ(timer.id, id);
  EXPECT_EQ(timer.hwnd, window);
  Host().Advance(20);
  Drain();
  EXPECT_EQ(fired, 1);
  EXPECT_EQ(FindById(id), &timer);
}

TEST(Timer, ADestroyedTimerTicksNoMoreAndAnUnknownIdDoesNothing) {
  TestForm form;
  form.Create();
  static int fired = 0;
  auto timer = std::make_unique<Timer>(&form);
  timer->onTick = [](Timer*) { ++fired; };
  timer->Start();
  const std::int32_t id = timer->id;
  timer.reset();
  Host().Advance(100);
  Drain();
  EXPECT_EQ(fired, 0);
  // A tick whose id belongs to no timer (here: the form's own id) is ignored.
  EXPECT_EQ(SendMessageW(form.hwnd, WM_TIMER, static_cast<WPARAM>(id), 0), 0);
  EXPECT_EQ(SendMessageW(form.hwnd, WM_TIMER, static_cast<WPARAM>(form.id), 0), 0);
  EXPECT_EQ(fired, 0);
}

}  // namespace
