// MessageBoxA and MessageBoxW: the box is modal through a message loop of its
// own, which keeps every window of the thread painted and its timers ticking
// while the windows the box stands in front of take no input.
#include <iterator>
#include <vector>

#include "platform/api/kernel.h"
#include "platform/crt/utf.h"
#include "platform/user/classes.h"
#include "platform/user/controls.h"
#include "platform/user/message_box.h"
#include "platform/user/state.h"

namespace user {
namespace {

constexpr BoxButtons kButtonSets[] = {
    {1, {IDOK}, {u"OK"}, IDOK},
    {2, {IDOK, IDCANCEL}, {u"OK", u"Cancel"}, IDCANCEL},
    {3, {IDABORT, IDRETRY, IDIGNORE}, {u"&Abort", u"&Retry", u"&Ignore"}, 0},
    {3, {IDYES, IDNO, IDCANCEL}, {u"&Yes", u"&No", u"Cancel"}, IDCANCEL},
    {2, {IDYES, IDNO}, {u"&Yes", u"&No"}, 0},
    {2, {IDRETRY, IDCANCEL}, {u"&Retry", u"Cancel"}, IDCANCEL},
};

// A task-modal box stands in front of every window of the thread; any other
// box in front of its owner only.
std::vector<HWND> DisableBehind(HWND owner, UINT type) {
  std::vector<HWND> disabled;
  if (type & MB_TASKMODAL) {
    for (Window* top : TopLevelWindows()) {
      if (top->visible && top->Enabled() && !top->destroyed) disabled.push_back(top->Handle());
    }
  } else if (Window* o = owner != nullptr ? FromHandle(owner) : nullptr) {
    if (TopLevel(o)->Enabled()) disabled.push_back(TopLevel(o)->Handle());
  }
  for (HWND h : disabled) EnableWindow(h, FALSE);
  return disabled;
}

// Exactly the windows the box disabled, those still there.
void EnableAgain(const std::vector<HWND>& disabled) {
  for (HWND h : disabled) {
    if (IsWindow(h)) EnableWindow(h, TRUE);
  }
}

void FocusDefaultButton(HWND box) {
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (SendMessageW(child, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) {
      SetFocus(child);
      return;
    }
  }
}

void TellHost(HWND box, const BoxSession& s) {
  Window* w = FromHandle(box);
  if (w == nullptr) return;
  host::Current().OnMessageBox(w->hostWindow, crt::Utf8FromUtf16(s.text),
                               crt::Utf8FromUtf16(s.caption), s.type);
}

struct LoopEnd {
  bool quit = false;
  int quitCode = 0;
};

// Runs until the box is answered or taken away. WM_QUIT ends it too, and is
// handed back to the caller so that the loop outside ends as well.
LoopEnd RunBox(HWND box, const BoxSession& s) {
  LoopEnd end;
  MSG msg;
  while (!s.done && IsWindow(box)) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      end.quit = true;
      end.quitCode = static_cast<int>(msg.wParam);
      break;
    }
    if (got < 0) break;
    if (!IsDialogMessageW(box, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  return end;
}

std::u16string Widened(LPCSTR text) {
  std::u16string wide;
  if (text == nullptr) return wide;
  for (const char* c = text; *c != '\0'; ++c) wide.push_back(static_cast<unsigned char>(*c));
  return wide;
}

}  // namespace
}  // namespace user

using namespace user;

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  if (owner != nullptr && FromHandle(owner) == nullptr) return 0;
  const UINT set = type & MB_TYPEMASK;
  if (set >= std::size(kButtonSets)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  FindClass(kMessageBoxClass);  // the built-in classes exist from the first look-up on
  BoxSession session;
  session.type = type;
  session.text = text != nullptr ? text : u"";
  session.caption = caption != nullptr ? caption : u"Error";
  session.buttons = &kButtonSets[set];

  const HWND wasActive = GetActiveWindow();
  const std::vector<HWND> disabled = DisableBehind(owner, type);
  HWND box = CreateBoxWindow(owner, session);
  if (box == nullptr) {
    EnableAgain(disabled);
    return 0;
  }
  ShowWindow(box, SW_SHOW);
  FocusDefaultButton(box);
  TellHost(box, session);
  const LoopEnd end = RunBox(box, session);
  // The windows behind come back before the box goes, and the one that was
  // active before it takes the activation back, with its focus.
  EnableAgain(disabled);
  if (wasActive != nullptr && IsWindowVisible(wasActive) && IsWindowEnabled(wasActive)) {
    SetActiveWindow(wasActive);
  }
  if (IsWindow(box)) DestroyWindow(box);
  if (end.quit) PostQuitMessage(end.quitCode);
  return session.done ? session.result : session.buttons->escape;
}

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  const std::u16string wideText = Widened(text);
  const std::u16string wideCaption = Widened(caption);
  return MessageBoxW(owner, wideText.c_str(), caption != nullptr ? wideCaption.c_str() : nullptr,
                     type);
}
