#include "framework/controls/timer.h"

#include "framework/controls/control_window.h"

namespace VexaUtility {

Timer::Timer(GUIElement* form) : Child(nullptr) {
  parent = form;
  text = u"timer";
  width = 50;
  height = 22;
  typeName = "timer";
}

Timer::~Timer() {
  Stop();
}

void Timer::Create() {
  if (created) return;
  // Never shown: the window only gives the timer its place among the form's
  // children. A timer has no tooltip and no font.
  MakeControlWindow(*this, u"static", WS_CHILD, 0);
}

void Timer::Start() {
  if (running) return;
  Create();
  SetTimer(ParentWindow(*this), static_cast<UINT_PTR>(id), static_cast<UINT>(interval), nullptr);
  running = true;
}

void Timer::Stop() {
  if (!running) return;
  KillTimer(ParentWindow(*this), static_cast<UINT_PTR>(id));
  running = false;
}

}  // namespace VexaUtility
