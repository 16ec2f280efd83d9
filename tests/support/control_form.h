// A visible pop-up window at the screen's corner for tests of the built-in
// controls: its frame-buffer pixels are its client pixels, and the log keeps
// what the controls told it.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/api/user.h"
#include "platform/host/headless/headless.h"
#include "tests/support/message_log.h"

namespace testing_support {

inline host::headless::HeadlessHost& Host() {
  return host::headless::Instance();
}

// The frame buffer holds 0x00RRGGBB; system colours are COLORREF.
inline std::uint32_t SysPixel(int index) {
  const COLORREF c = GetSysColor(index);
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

class ControlForm {
 public:
  explicit ControlForm(int width = 300, int height = 120) {
    window = log.Create(u"form", WS_POPUP | WS_VISIBLE, 0, 0, width, height);
    hostWindow = Host().Windows().back();
  }
  ~ControlForm() {
    if (IsWindow(window)) DestroyWindow(window);
  }
  ControlForm(const ControlForm&) = delete;
  ControlForm& operator=(const ControlForm&) = delete;

  HWND Add(const char16_t* className, const char16_t* text, DWORD style, int x, int y, int width,
           int height, int id, DWORD exStyle = 0) {
    return CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width,
                           height, window, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                           nullptr, nullptr);
  }

  // Dispatches what is waiting and presents what was drawn.
  void Run() { log.DrainQueue(); }

  // The WM_COMMAND codes that `control` sent, in order.
  std::vector<WORD> Codes(HWND control) const {
    std::vector<WORD> codes;
    for (const LoggedMessage& e : log.Entries(WM_COMMAND)) {
      if (reinterpret_cast<HWND>(e.lParam) == control) codes.push_back(HIWORD(e.wParam));
    }
    return codes;
  }
  int Count(HWND control, WORD code) const {
    int n = 0;
    for (WORD c : Codes(control)) n += c == code;
    return n;
  }

  std::uint32_t Pixel(int x, int y) const { return Host().Window(hostWindow)->Pixel(x, y); }

  MessageLog log;
  HWND window = nullptr;
  host::WindowId hostWindow = 0;
};

}  // namespace testing_support
