#include "tests/framework/windows/window_fixture.h"

#include "framework/controls/control_window.h"
#include "framework/elements/element_registry.h"
#include "framework/forms/message_loop.h"
#include "platform/user/window.h"

namespace window_tests {
namespace {

std::map<HWND, ProbeRecord>& Records() {
  static std::map<HWND, ProbeRecord> records;
  return records;
}

bool watchdogFired = false;

void CALLBACK Watchdog(HWND, UINT, UINT_PTR, DWORD) {
  watchdogFired = true;
  PostQuitMessage(0);
}

LRESULT CALLBACK ProbeProcedure(HWND w, UINT m, WPARAM wParam, LPARAM lParam) {
  ProbeRecord& r = Records()[w];
  r.messages.push_back(m);
  switch (m) {
    case WM_CHAR:
      r.characters += static_cast<char16_t>(wParam);
      return 0;
    case BM_GETCHECK:
      return r.check;
    case BM_SETCHECK:
      r.check = static_cast<UINT>(wParam);
      return 0;
    case DTM_GETSYSTEMTIME:  // the same number as MCM_GETCURSEL
      *reinterpret_cast<SYSTEMTIME*>(lParam) = r.date;
      return r.dateAnswer;
    case TBM_GETPOS:
    case TCM_GETCURSEL:
      return r.position;
    default:
      return DefWindowProcW(w, m, wParam, lParam);
  }
}

void RegisterProbeClass() {
  WNDCLASSW existing{};
  if (GetClassInfoW(nullptr, u"ProbeControl", &existing)) return;
  WNDCLASSW info{};
  info.lpfnWndProc = ProbeProcedure;
  info.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  info.lpszClassName = u"ProbeControl";
  RegisterClassW(&info);
}

}  // namespace

host::headless::HeadlessHost& Host() {
  return host::headless::Instance();
}

void Drain() {
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

bool RunLoop(VexaUtility::Form* form, int limitMs) {
  watchdogFired = false;
  const UINT_PTR watchdog = SetTimer(nullptr, 0, static_cast<UINT>(limitMs), Watchdog);
  VexaUtility::RunMessageLoop(form);
  KillTimer(nullptr, watchdog);
  return !watchdogFired;
}

host::WindowId HostWindowOf(HWND window) {
  user::Window* w = user::FromHandle(window);
  return w != nullptr ? w->hostWindow : 0;
}

COLORREF WindowPixel(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return c;
}

ProbeRecord& Probe(HWND window) {
  return Records()[window];
}

HWND MakeProbeWindow(HWND parent, int id, DWORD style) {
  RegisterProbeClass();
  return CreateWindowExW(0, u"ProbeControl", u"", style, 0, 0, 60, 20, parent,
                         reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
}

void Adopt(VexaUtility::GUIElement& element, HWND parent) {
  element.id = ++VexaUtility::nextElementId;
  element.hwnd = MakeProbeWindow(parent, element.id);
  element.created = true;
}

ProbeControl::ProbeControl(VexaUtility::GUIElement* owner, DWORD probeStyle)
    : Child(nullptr), style(probeStyle) {
  VexaUtility::SetUpControl(*this, owner, "", "probe");
}

void ProbeControl::Create() {
  if (created) return;
  RegisterProbeClass();
  VexaUtility::MakeControlWindow(*this, u"ProbeControl", style, 0);
  FinishCreate();
}

TestForm::TestForm() : Form(nullptr) {
  text = u"Test";
  x = 50;
  y = 60;
  width = 400;
  height = 300;
}

}  // namespace window_tests
