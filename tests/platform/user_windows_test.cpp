#include <gtest/gtest.h>

#include "platform/api/kernel.h"
#include "platform/api/user.h"
#include "platform/host/headless/headless.h"
#include "tests/support/message_log.h"

namespace {

using testing_support::MessageLog;
using Messages = std::vector<UINT>;

host::headless::HeadlessHost& Host() { return host::headless::Instance(); }

constexpr DWORD kGameStyle = 0x10CA0000;  // visible, caption, system menu, minimise box

TEST(Windows, CreationSendsItsMessagesBeforeReturningAndShowsAVisibleWindow) {
  MessageLog log;
  HWND w = log.Create(u"Zarvo", kGameStyle, 10, 20, 300, 200);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(log.Messages(w), (Messages{WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW,
                                       WM_ACTIVATE, WM_SETFOCUS}));
  EXPECT_TRUE(IsWindowVisible(w));
  EXPECT_EQ(GetForegroundWindow(), w);
  EXPECT_EQ(GetFocus(), w);
  const auto* hostWindow = Host().Window(Host().Windows().back());
  ASSERT_NE(hostWindow, nullptr);
  EXPECT_EQ(hostWindow->options.titleUtf8, "Zarvo");
  EXPECT_FALSE(hostWindow->options.traits.resizable);
  EXPECT_TRUE(hostWindow->options.traits.minimizeButton);
  EXPECT_FALSE(hostWindow->options.traits.maximizeButton);
  EXPECT_EQ(hostWindow->visibility, host::Visibility::Shown);
  DestroyWindow(w);
}

TEST(Windows, ClientAreaIsTheWindowLessItsFrameAndTheSizeCanBeCorrected) {
  MessageLog log;
  HWND w = log.Create(u"t", kGameStyle, 100, 100, 800, 600);
  RECT window{}, client{};
  GetWindowRect(w, &window);
  GetClientRect(w, &client);
  EXPECT_EQ(window.right - window.left, 800);
  EXPECT_LT(client.right, 800);
  EXPECT_LT(client.bottom, 600);
  // Sizing by the difference gives exactly the client area asked for.
  const int frameWidth = 800 - client.right, frameHeight = 600 - client.bottom;
  SetWindowPos(w, nullptr, 0, 0, frameWidth + 800, frameHeight + 640, SWP_NOMOVE | SWP_NOZORDER);
  GetClientRect(w, &client);
  EXPECT_EQ(client.right, 800);
  EXPECT_EQ(client.bottom, 640);
  const auto sizes = log.Entries(WM_SIZE);
  ASSERT_FALSE(sizes.empty());
  EXPECT_EQ(sizes.back().lParam, MAKELONG(800, 640));
  // The frame buffer and the host window follow.
  const auto* hostWindow = Host().Window(Host().Windows().back());
  EXPECT_EQ(hostWindow->options.bounds.width, 800);
  EXPECT_EQ(hostWindow->options.bounds.height, 640);
  POINT p{0, 0};
  ClientToScreen(w, &p);
  EXPECT_EQ(p.x, hostWindow->options.bounds.x);
  EXPECT_EQ(p.y, hostWindow->options.bounds.y);
  ScreenToClient(w, &p);
  EXPECT_EQ(p.x, 0);
  DestroyWindow(w);
}

TEST(Windows, DestroyingSendsDestroyToTheWindowThenItsChildrenAndInvalidatesHandles) {
  MessageLog log;
  HWND top = log.Create(u"top", kGameStyle, 0, 0, 300, 200);
  HWND child = log.Create(u"child", WS_CHILD | WS_VISIBLE, 5, 5, 50, 20, top, 7);
  HWND grandchild = log.Create(u"g", WS_CHILD | WS_VISIBLE, 1, 1, 10, 10, child, 8);
  EXPECT_EQ(GetParent(child), top);
  EXPECT_EQ(GetDlgItem(top, 7), child);
  EXPECT_EQ(GetDlgCtrlID(child), 7);
  log.Clear();
  EXPECT_TRUE(DestroyWindow(top));
  std::vector<HWND> destroyed;
  for (const auto& e : log.Entries(WM_DESTROY)) destroyed.push_back(e.window);
  EXPECT_EQ(destroyed, (std::vector<HWND>{top, child, grandchild}));
  for (HWND h : {top, child, grandchild}) EXPECT_FALSE(IsWindow(h));
  EXPECT_FALSE(DestroyWindow(top));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
  EXPECT_TRUE(Host().Windows().empty());
}

TEST(Windows, CloseDestroysByDefaultAndAVetoKeepsTheWindow) {
  MessageLog log;
  HWND w = log.Create(u"t", kGameStyle, 0, 0, 100, 100);
  static bool veto = true;
  log.reply = [](HWND, UINT m, WPARAM, LPARAM, bool& handled) -> LRESULT {
    handled = m == WM_CLOSE && veto;
    return 1;
  };
  // The close box arrives as a host event and becomes WM_SYSCOMMAND, then WM_CLOSE.
  Host().WindowEvent(Host().Windows().back(), host::EventType::Close);
  log.DrainQueue();
  EXPECT_EQ(log.Count(w, WM_CLOSE), 1);
  EXPECT_TRUE(IsWindow(w));
  veto = false;
  SendMessageW(w, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(w));
}

TEST(Windows, TextStyleAndProcedureSlots) {
  MessageLog log;
  HWND w = log.Create(u"first", WS_POPUP, 0, 0, 10, 10);
  EXPECT_EQ(GetWindowTextLengthW(w), 5);
  SetWindowTextW(w, u"caff\u00E8");
  char16_t buffer[4];
  EXPECT_EQ(GetWindowTextW(w, buffer, 4), 3);  // cut to the buffer, zero included
  EXPECT_EQ(std::u16string(buffer), u"caf");
  EXPECT_EQ(Host().Window(Host().Windows().back())->options.titleUtf8, "caff\xC3\xA8");
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(w, GWL_STYLE)), WS_POPUP);
  ShowWindow(w, SW_SHOWNA);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(w, GWL_STYLE)), WS_POPUP | WS_VISIBLE);
  EXPECT_NE(GetForegroundWindow(), w);  // shown without activation

  static int subclassed = 0;
  static WNDPROC original = nullptr;
  original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(w, GWLP_WNDPROC));
  WNDPROC mine = [](HWND h, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
    ++subclassed;
    return CallWindowProcW(original, h, m, wp, lp);
  };
  EXPECT_EQ(SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(mine)),
            reinterpret_cast<LONG_PTR>(original));
  SendMessageW(w, WM_USER, 0, 0);
  EXPECT_EQ(subclassed, 1);
  EXPECT_EQ(log.Messages(w).back(), WM_USER);  // reached the original through CallWindowProcW
  DestroyWindow(w);
}

TEST(Windows, ClassesAreCheckedAndUniqueWithoutRegardToCase) {
  WNDCLASSW info{};
  info.lpfnWndProc = DefWindowProcW;
  info.lpszClassName = u"Window0";
  EXPECT_NE(RegisterClassW(&info), 0);
  info.lpszClassName = u"WINDOW0";
  EXPECT_EQ(RegisterClassW(&info), 0);
  EXPECT_EQ(GetLastError(), ERROR_CLASS_ALREADY_EXISTS);
  EXPECT_EQ(CreateWindowExW(0, u"NoSuchClass", u"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                            nullptr),
            nullptr);
  EXPECT_EQ(GetLastError(), ERROR_CLASS_DOES_NOT_EXIST);
  // The system's own "static" class is there for child windows.
  HWND parent = CreateWindowExW(0, u"window0", u"p", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                nullptr, nullptr);
  HWND label = CreateWindowExW(0, u"static", u"timer", WS_CHILD, 0, 0, 50, 22, parent,
                               reinterpret_cast<HMENU>(3), nullptr, nullptr);
  EXPECT_NE(label, nullptr);
  EXPECT_FALSE(IsWindowVisible(label));
  DestroyWindow(parent);
}

}  // namespace
