#include "platform/host/sdl/display_loss.h"

#include <atomic>
#include <csignal>
#include <sys/time.h>
#include <unistd.h>

namespace host::sdl {
namespace {

std::atomic<bool> lost{false};

void EndNow(int) {
  _exit(kLostDisplayExitStatus);
}

// A timer signal, so that the end comes even to a program stuck in a wait or
// a loop that never asks the host again.
void StartWatchdog() {
  struct sigaction action {};
  action.sa_handler = EndNow;
  sigemptyset(&action.sa_mask);
  sigaction(SIGALRM, &action, nullptr);
  itimerval timer{};
  timer.it_value.tv_sec = kLostDisplayGraceMs / 1000;
  timer.it_value.tv_usec = (kLostDisplayGraceMs % 1000) * 1000;
  setitimer(ITIMER_REAL, &timer, nullptr);
}

bool OnMainThread() {
  return gettid() == getpid();
}

}  // namespace

bool DisplayLost() {
  return lost.load();
}

DisplayLanding*& CurrentLanding() {
  thread_local DisplayLanding* landing = nullptr;
  return landing;
}

void LandAfterLostDisplay() {
  if (!lost.exchange(true)) StartWatchdog();
  DisplayLanding*& current = CurrentLanding();
  if (DisplayLanding* landing = current) {
    current = landing->outer;
    std::longjmp(landing->jump, 1);
  }
  if (OnMainThread()) _exit(kLostDisplayExitStatus);
  for (;;) pause();
}

}  // namespace host::sdl
