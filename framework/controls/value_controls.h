// Controls that hold a value, as the window procedure knows them from their
// notifications: date picker, calendar, numeric box, tab control, slider.
// Each tells of a new value through its own callback, then `onTextChanged`.
#pragma once

#include <cstdint>
#include <string>

#include "framework/elements/child.h"

namespace VexaUtility {

using DateCallback = void (*)(GUIElement* element, SYSTEMTIME date);
using ValueCallback = void (*)(GUIElement* element, std::int32_t value);

class DatePicker : public Child {
 public:
  SYSTEMTIME date{};
  DateCallback onDateChanged = nullptr;

  DatePicker(GUIElement* parent, const std::string& text);
  void Create() override;
  // The date the control shows, time of day cleared; all zero when it shows none.
  SYSTEMTIME ReadDate();
};

class Calendar : public Child {
 public:
  SYSTEMTIME date{};
  DateCallback onDateChanged = nullptr;

  Calendar(GUIElement* parent, const std::string& text);
  void Create() override;
  // The selected day, time of day cleared.
  SYSTEMTIME ReadDate();
};

class NumericBox : public Child {
 public:
  std::int32_t minimum = 0;
  std::int32_t maximum = 100;
  ValueCallback onValueChanged = nullptr;

  NumericBox(GUIElement* parent, const std::string& text);
  void Create() override;
  // A step of the arrows from `position`, kept within minimum and maximum.
  std::int32_t Stepped(std::int32_t position, std::int32_t delta) const;
};

class TabControl : public Child {
 public:
  ValueCallback onSelectionChanged = nullptr;  // gets the index of the tab chosen

  TabControl(GUIElement* parent, const std::string& text);
  void Create() override;
};

class Slider : public Child {
 public:
  std::int32_t position = 0;
  ValueCallback onValueChanged = nullptr;

  Slider(GUIElement* parent, const std::string& text);
  void Create() override;
  // The thumb's position as the window has it, kept in `position`.
  std::int32_t ReadPosition();
};

}  // namespace VexaUtility
