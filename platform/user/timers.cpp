// Window timers: WM_TIMER made when the queues are empty and a timer is due.
#include <algorithm>
#include <vector>

#include "platform/user/state.h"

namespace user {
namespace {

constexpr UINT kMinimumInterval = 10;

struct Timer {
  Window* window;  // null: a timer of the thread, with a procedure
  UINT_PTR id;
  UINT interval;
  TIMERPROC procedure;
  std::uint64_t due;
};

std::vector<Timer>& Timers() {
  static std::vector<Timer> timers;
  return timers;
}

Timer* Earliest() {
  Timer* best = nullptr;
  for (Timer& t : Timers()) {
    if (best == nullptr || t.due < best->due) best = &t;
  }
  return best;
}

}  // namespace

bool NextTimerMessage(MSG& msg, bool remove) {
  Timer* t = Earliest();
  const std::uint64_t now = Clock();
  if (t == nullptr || t->due > now) return false;
  msg = MSG{t->window != nullptr ? t->window->Handle() : nullptr, WM_TIMER, t->id,
            reinterpret_cast<LPARAM>(t->procedure), 0, {}, 0};
  if (remove) {
    // The next tick keeps the timer's own rhythm; ticks missed while the
    // program was busy are not made up for.
    while (t->due <= now) t->due += t->interval;
  }
  return true;
}

int MillisecondsUntilNextTimer() {
  std::int64_t wait = -1;
  if (const Timer* t = Earliest()) {
    wait = std::max<std::int64_t>(0, static_cast<std::int64_t>(t->due) -
                                         static_cast<std::int64_t>(Clock()));
  }
  const State& s = Now();
  if (s.tracked != nullptr && (s.trackFlags & TME_HOVER) && s.hoverArmed) {
    const std::int64_t hover = std::max<std::int64_t>(
        0, static_cast<std::int64_t>(s.hoverSince + s.hoverTime) -
               static_cast<std::int64_t>(Clock()));
    wait = wait < 0 ? hover : std::min(wait, hover);
  }
  return static_cast<int>(std::min<std::int64_t>(wait, 0x7FFFFFFF));
}

void KillWindowTimers(Window* window) {
  std::erase_if(Timers(), [&](const Timer& t) { return t.window == window; });
}

}  // namespace user

using namespace user;

UINT_PTR SetTimer(HWND handle, UINT_PTR id, UINT elapse, TIMERPROC procedure) {
  Window* w = nullptr;
  if (handle != nullptr) {
    w = FromHandle(handle);
    if (w == nullptr) return 0;
  }
  const UINT interval = std::clamp<UINT>(elapse, kMinimumInterval, 0x7FFFFFFF);
  auto& timers = Timers();
  if (w == nullptr) {
    // A timer of the thread gets an id of its own unless it names one it has.
    const bool known = std::any_of(timers.begin(), timers.end(),
                                   [&](const Timer& t) { return !t.window && t.id == id; });
    if (id == 0 || !known) {
      static UINT_PTR nextThreadTimer = 0x7FFF;
      id = ++nextThreadTimer;
    }
  }
  const std::uint64_t due = Clock() + interval;
  for (Timer& t : timers) {
    if (t.window == w && t.id == id) {
      t.interval = interval;
      t.procedure = procedure;
      t.due = due;
      return w != nullptr ? (id != 0 ? id : 1) : id;
    }
  }
  timers.push_back(Timer{w, id, interval, procedure, due});
  host::Current().Wake();
  return w != nullptr ? (id != 0 ? id : 1) : id;
}

BOOL KillTimer(HWND handle, UINT_PTR id) {
  Window* w = handle != nullptr ? FromHandle(handle) : nullptr;
  if (handle != nullptr && w == nullptr) return FALSE;
  auto& timers = Timers();
  const auto before = timers.size();
  std::erase_if(timers, [&](const Timer& t) { return t.window == w && t.id == id; });
  // A WM_TIMER already in the queue for it goes too.
  std::erase_if(Now().posted, [&](const QueuedMessage& q) {
    return q.msg.message == WM_TIMER && q.msg.hwnd == handle && q.msg.wParam == id;
  });
  return timers.size() != before ? TRUE : FALSE;
}
