// A window class whose procedure writes down every message it gets, for
// tests of the window manager.
#pragma once

#include <string>
#include <vector>

#include "platform/api/user.h"

namespace testing_support {

struct LoggedMessage {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

class MessageLog {
 public:
  MessageLog();  // registers the class "LogWindow" once per process
  ~MessageLog();

  HWND Create(const char16_t* title, DWORD style, int x, int y, int width, int height,
              HWND parent = nullptr, int id = 0, DWORD exStyle = 0);

  // The messages of interest that `window` got, in order (all windows when null).
  std::vector<UINT> Messages(HWND window = nullptr) const;
  std::vector<LoggedMessage> Entries(UINT message) const;
  int Count(HWND window, UINT message) const;
  void Clear() { entries_.clear(); }

  // What the procedure answers; messages not listed go to DefWindowProcW.
  LRESULT (*reply)(HWND, UINT, WPARAM, LPARAM, bool& handled) = nullptr;

  // Runs the message loop until WM_QUIT or until `limit` messages were dispatched.
  int RunUntilQuit(int limit = 100000);
  // Dispatches whatever is waiting now, without letting time pass.
  void DrainQueue();

  static MessageLog* current;
  std::vector<LoggedMessage> entries_;
};

}  // namespace testing_support
