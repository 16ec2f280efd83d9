#include "framework/controls/value_controls.h"

#include <algorithm>

#include "framework/controls/control_window.h"

namespace VexaUtility {
namespace {

constexpr DWORD kChildStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;

SYSTEMTIME DateOnly(SYSTEMTIME t) {
  t.wHour = 0;
  t.wMinute = 0;
  t.wSecond = 0;
  t.wMilliseconds = 0;
  return t;
}

}  // namespace

DatePicker::DatePicker(GUIElement* owner, const std::string& caption) : Child(nullptr) {
  SetUpControl(*this, owner, caption, "datepicker");
}

void DatePicker::Create() {
  if (created) return;
  MakeControlWindow(*this, u"SysDateTimePick32", kChildStyle, 0);
  FinishCreate();
}

SYSTEMTIME DatePicker::ReadDate() {
  if (!created) return DateOnly(date);
  const LRESULT answer = SendMessageW(hwnd, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&date));
  date = answer == GDT_NONE ? SYSTEMTIME{} : DateOnly(date);
  return date;
}

Calendar::Calendar(GUIElement* owner, const std::string& caption) : Child(nullptr) {
  SetUpControl(*this, owner, caption, "calendar");
}

void Calendar::Create() {
  if (created) return;
  MakeControlWindow(*this, u"SysMonthCal32", kChildStyle, 0);
  FinishCreate();
}

SYSTEMTIME Calendar::ReadDate() {
  if (created) SendMessageW(hwnd, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&date));
  date = DateOnly(date);
  return date;
}

NumericBox::NumericBox(GUIElement* owner, const std::string& caption) : Child(nullptr) {
  SetUpControl(*this, owner, caption, "numericbox");
}

void NumericBox::Create() {
  if (created) return;
  MakeControlWindow(*this, u"msctls_updown32", WS_CHILD | WS_VISIBLE, 0);
  FinishCreate();
}

std::int32_t NumericBox::Stepped(std::int32_t position, std::int32_t delta) const {
  // In 64 bits: a step past the end of the int32 range is still a step.
  const std::int64_t value = static_cast<std::int64_t>(position) + delta;
  return static_cast<std::int32_t>(
      std::min<std::int64_t>(std::max<std::int64_t>(value, minimum), maximum));
}

TabControl::TabControl(GUIElement* owner, const std::string& caption) : Child(nullptr) {
  SetUpControl(*this, owner, caption, "tabcontrol");
}

void TabControl::Create() {
  if (created) return;
  MakeControlWindow(*this, u"SysTabControl32", kChildStyle, 0);
  FinishCreate();
}

Slider::Slider(GUIElement* owner, const std::string& caption) : Child(nullptr) {
  SetUpControl(*this, owner, caption, "slider");
}

void Slider::Create() {
  if (created) return;
  MakeControlWindow(*this, u"msctls_trackbar32", kChildStyle, 0);
  FinishCreate();
}

std::int32_t Slider::ReadPosition() {
  if (created) position = static_cast<std::int32_t>(SendMessageW(hwnd, TBM_GETPOS, 0, 0));
  return position;
}

}  // namespace VexaUtility
