// What the window framework's tests share: the headless host, running the
// real message loop with a watchdog, and a probe control whose own window
// procedure writes down what reaches it and answers as a system control.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "framework/elements/child.h"
#include "framework/forms/form.h"
#include "platform/host/headless/headless.h"

namespace window_tests {

host::headless::HeadlessHost& Host();

// Dispatches whatever is waiting now, without letting virtual time pass.
void Drain();

// RunMessageLoop(form), ended by a quit after `limitMs` virtual milliseconds
// at the latest; returns false when it took the watchdog to end it.
bool RunLoop(VexaUtility::Form* form, int limitMs = 60000);

// The host window of a top-level window.
host::WindowId HostWindowOf(HWND window);

// A pixel of the client area as the window shows it now.
COLORREF WindowPixel(HWND window, int x, int y);

// What a probe window's own procedure saw and what it answers.
struct ProbeRecord {
  std::vector<UINT> messages;
  std::u16string characters;   // WM_CHAR
  UINT check = BST_UNCHECKED;  // BM_GETCHECK / BM_SETCHECK
  SYSTEMTIME date{};           // DTM_GETSYSTEMTIME, MCM_GETCURSEL
  LRESULT dateAnswer = GDT_VALID;
  LRESULT position = 0;  // TBM_GETPOS, TCM_GETCURSEL
};

ProbeRecord& Probe(HWND window);

// A window of the probe class, not subclassed.
HWND MakeProbeWindow(HWND parent, int id, DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP);

// Gives an element a probe window as if its Create had made it.
void Adopt(VexaUtility::GUIElement& element, HWND parent);

// A control made the way the framework makes its controls, of the probe class.
class ProbeControl : public VexaUtility::Child {
 public:
  explicit ProbeControl(VexaUtility::GUIElement* parent,
                        DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP);
  void Create() override;
  DWORD style;
};

// A form with room for a few controls, to be created by the test.
struct TestForm : VexaUtility::Form {
  TestForm();
};

}  // namespace window_tests
