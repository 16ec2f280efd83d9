// A window timer as an element: its ticks arrive as WM_TIMER at the parent
// form and reach `onTick` through the window procedure's id lookup.
#pragma once

#include <cstdint>

#include "framework/elements/child.h"

namespace VexaUtility {

class Timer;
using TickCallback = void (*)(Timer* timer);

class Timer : public Child {
 public:
  bool running = false;
  std::int32_t interval = 20;  // milliseconds
  TickCallback onTick = nullptr;

  explicit Timer(GUIElement* form);
  ~Timer() override;

  // The timer's id and a hidden window among the form's children; made once.
  void Create() override;
  void Start();
  void Stop();
};

}  // namespace VexaUtility
