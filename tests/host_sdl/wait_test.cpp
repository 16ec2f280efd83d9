#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <thread>

#include "tests/host_sdl/host_fixture.h"

namespace sdl_testing {
namespace {

class Waiting : public WithoutDisplay {
 protected:
  void SetUp() override {
    WithoutDisplay::SetUp();
    Drain(host());
  }
  // How long one WaitEvent took, and what it returned.
  std::pair<bool, std::uint64_t> TimedWait(int timeoutMs) {
    host::Event event;
    const std::uint64_t start = host().Milliseconds();
    const bool got = host().WaitEvent(event, timeoutMs);
    return {got, host().Milliseconds() - start};
  }
};

TEST_F(Waiting, NothingHappening_AWaitEndsEmptyAtItsTimeout_AndALookAtOnce) {
  const auto [got, took] = TimedWait(50);
  EXPECT_FALSE(got);
  EXPECT_GE(took, 49u);
  EXPECT_LT(took, 400u);
  const auto [looked, lookTook] = TimedWait(0);
  EXPECT_FALSE(looked);
  EXPECT_LT(lookTook, 100u);
}

TEST_F(Waiting, WakeFromElsewhereEndsAWaitWithoutLimit) {
  // Timed from before the waker starts, so that only a wait that did not
  // wait can come out shorter than the waker's pause.
  const std::uint64_t start = host().Milliseconds();
  std::thread waker([this] {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    host().Wake();
  });
  host::Event event;
  const bool got = host().WaitEvent(event, -1);
  const std::uint64_t took = host().Milliseconds() - start;
  waker.join();
  EXPECT_FALSE(got);
  EXPECT_GE(took, 29u);
  EXPECT_LT(took, 1000u);
}

TEST_F(Waiting, WakeBeforeAWaitEndsTheNextOne_ManyWakesCountOnce) {
  host().Wake();
  host().Wake();
  const auto [got, took] = TimedWait(5000);
  EXPECT_FALSE(got);
  EXPECT_LT(took, 1000u) << "the wait ran to its time-out";
  const auto [again, tookAgain] = TimedWait(50);
  EXPECT_FALSE(again);
  EXPECT_GE(tookAgain, 49u) << "the second wake was not folded into the first";
}

TEST_F(Waiting, TheSessionAskingToEndIsAQuit) {
  std::raise(SIGTERM);
  EXPECT_TRUE(
      Contains(EventsUntil(host(), Is(host::EventType::Quit), 2000), Is(host::EventType::Quit)));
}

}  // namespace
}  // namespace sdl_testing
