#include "tests/support/message_log.h"

namespace testing_support {

MessageLog* MessageLog::current = nullptr;

namespace {

// Noise that every test would have to skip over.
bool Interesting(UINT message) {
  return message != WM_SETCURSOR && message != WM_NCACTIVATE && message != WM_GETDLGCODE &&
         message != WM_CAPTURECHANGED;
}

LRESULT CALLBACK LogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  MessageLog* log = MessageLog::current;
  if (log != nullptr) {
    if (Interesting(message)) log->entries_.push_back({window, message, wParam, lParam});
    if (log->reply != nullptr) {
      bool handled = false;
      const LRESULT result = log->reply(window, message, wParam, lParam, handled);
      if (handled) return result;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

MessageLog::MessageLog() {
  current = this;
  WNDCLASSW info{};
  info.style = CS_DBLCLKS;
  info.lpfnWndProc = LogProcedure;
  info.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  info.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  info.lpszClassName = u"LogWindow";
  WNDCLASSW existing{};
  if (!GetClassInfoW(nullptr, u"LogWindow", &existing)) RegisterClassW(&info);
}

MessageLog::~MessageLog() { current = nullptr; }

HWND MessageLog::Create(const char16_t* title, DWORD style, int x, int y, int width, int height,
                        HWND parent, int id, DWORD exStyle) {
  return CreateWindowExW(exStyle, u"LogWindow", title, style, x, y, width, height, parent,
                         reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
}

std::vector<UINT> MessageLog::Messages(HWND window) const {
  std::vector<UINT> result;
  for (const LoggedMessage& e : entries_) {
    if (window == nullptr || e.window == window) result.push_back(e.message);
  }
  return result;
}

std::vector<LoggedMessage> MessageLog::Entries(UINT message) const {
  std::vector<LoggedMessage> result;
  for (const LoggedMessage& e : entries_) {
    if (e.message == message) result.push_back(e);
  }
  return result;
}

int MessageLog::Count(HWND window, UINT message) const {
  int n = 0;
  for (const LoggedMessage& e : entries_) n += (e.window == window && e.message == message);
  return n;
}

int MessageLog::RunUntilQuit(int limit) {
  MSG msg;
  for (int i = 0; i < limit; ++i) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(msg.wParam);
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return -1;
}

void MessageLog::DrainQueue() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace testing_support
