// The message queue: sending, posting, waiting and dispatching.
#include <algorithm>

#include "platform/api/kernel.h"
#include "platform/user/state.h"

namespace user {

State& Now() {
  static State state;
  return state;
}

std::uint64_t Clock() { return host::Current().Milliseconds(); }

namespace {

bool Matches(const MSG& msg, HWND filter, UINT first, UINT last) {
  if (filter != nullptr && msg.hwnd != filter) {
    Window* target = FromHandle(msg.hwnd);
    Window* wanted = FromHandle(filter);
    if (target == nullptr || wanted == nullptr || !IsDescendant(wanted, target)) return false;
  }
  if (first == 0 && last == 0) return true;
  return msg.message >= first && msg.message <= last;
}

MSG Stamp(MSG msg) {
  msg.time = static_cast<DWORD>(Clock());
  msg.pt = Now().pointer;
  return msg;
}

bool TakeFrom(std::deque<QueuedMessage>& queue, MSG& out, HWND filter, UINT first, UINT last,
              bool remove) {
  const bool input = &queue == &Now().input;
  for (auto it = queue.begin(); it != queue.end(); ++it) {
    if (input) RouteQueuedInput(*it);
    if (!Matches(it->msg, filter, first, last)) continue;
    out = it->msg;
    if (remove) {
      ApplyKeyMessage(*it);
      // Text typed with a key travels with it until TranslateMessage.
      if (!it->characters.empty()) {
        auto& pending = Now().pendingCharacters;
        pending.push_back({it->msg.lPrivate, it->characters});
        // A program that never translates must not make this grow.
        if (pending.size() > 16) pending.pop_front();
      }
      queue.erase(it);
    }
    return true;
  }
  return false;
}

// The next message without waiting: posted, then input, then WM_QUIT, paint
// and timers.
bool Look(MSG& msg, HWND filter, UINT first, UINT last, bool remove) {
  State& s = Now();
  if (TakeFrom(s.posted, msg, filter, first, last, remove)) return true;
  if (TakeFrom(s.input, msg, filter, first, last, remove)) return true;
  if (s.quitPosted && filter == nullptr) {
    msg = Stamp(MSG{nullptr, WM_QUIT, static_cast<WPARAM>(s.quitCode), 0, 0, {}, 0});
    if (remove) s.quitPosted = false;
    return true;
  }
  MSG candidate{};
  if (NextPaintMessage(candidate) && Matches(candidate, filter, first, last)) {
    msg = Stamp(candidate);
    return true;
  }
  if (NextTimerMessage(candidate, false) && Matches(candidate, filter, first, last)) {
    if (remove) NextTimerMessage(candidate, true);
    msg = Stamp(candidate);
    return true;
  }
  return false;
}

}  // namespace

DWORD NextSerial() {
  static DWORD serial = 0;
  return ++serial;
}

QueuedMessage& PostInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam, int keyCode) {
  QueuedMessage queued;
  queued.msg = Stamp(MSG{window, message, wParam, lParam, 0, {}, NextSerial()});
  queued.keyCode = keyCode;
  Now().input.push_back(std::move(queued));
  return Now().input.back();
}

}  // namespace user

using namespace user;

LRESULT CallWindowProcW(WNDPROC procedure, HWND window, UINT message, WPARAM wParam,
                        LPARAM lParam) {
  if (procedure == nullptr) return 0;
  ++dispatchDepth;
  const LRESULT result = procedure(window, message, wParam, lParam);
  --dispatchDepth;
  return result;
}

LRESULT SendMessageW(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* window = FromHandle(handle);
  if (window == nullptr) return 0;
  return CallWindowProcW(window->procedure, handle, message, wParam, lParam);
}

BOOL PostMessageW(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  if (handle != nullptr && FromHandle(handle) == nullptr) return FALSE;
  QueuedMessage queued;
  queued.msg = Stamp(MSG{handle, message, wParam, lParam, 0, {}, NextSerial()});
  Now().posted.push_back(std::move(queued));
  host::Current().Wake();
  return TRUE;
}

void PostQuitMessage(int exitCode) {
  Now().quitPosted = true;
  Now().quitCode = exitCode;
  host::Current().Wake();
}

BOOL PeekMessageW(LPMSG msg, HWND window, UINT first, UINT last, UINT remove) {
  if (msg == nullptr) return FALSE;
  CollectGraves();
  PumpHost(0);
  CheckHover();
  if (Look(*msg, window, first, last, (remove & PM_REMOVE) != 0)) return TRUE;
  PresentChanges();
  return FALSE;
}

BOOL GetMessageW(LPMSG msg, HWND window, UINT first, UINT last) {
  if (msg == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  if (window != nullptr && FromHandle(window) == nullptr) return -1;
  for (;;) {
    CollectGraves();
    PumpHost(0);
    CheckHover();
    if (Look(*msg, window, first, last, true)) return msg->message == WM_QUIT ? FALSE : TRUE;
    // Idle: show what was drawn, then wait for the host or the next timer.
    PresentChanges();
    PumpHost(MillisecondsUntilNextTimer());
  }
}

BOOL WaitMessage() {
  State& s = Now();
  PresentChanges();
  if (s.posted.empty() && s.input.empty()) PumpHost(MillisecondsUntilNextTimer());
  return TRUE;
}

LRESULT DispatchMessageW(const MSG* msg) {
  if (msg == nullptr) return 0;
  if (msg->message == WM_TIMER && msg->lParam != 0) {
    auto procedure = reinterpret_cast<TIMERPROC>(msg->lParam);
    ++dispatchDepth;
    procedure(msg->hwnd, WM_TIMER, msg->wParam, msg->time);
    --dispatchDepth;
    return 0;
  }
  Window* window = FromHandle(msg->hwnd);
  if (window == nullptr) return 0;
  return CallWindowProcW(window->procedure, msg->hwnd, msg->message, msg->wParam, msg->lParam);
}
