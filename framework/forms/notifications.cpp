// WM_NOTIFY: the value controls telling of a new value, toolbar buttons
// asking for their tooltip text, and header and click notices.
#include <algorithm>
#include <array>

#include "framework/controls/value_controls.h"
#include "framework/elements/element_registry.h"
#include "framework/forms/reactions.h"
#include "framework/util/text.h"

namespace VexaUtility {
namespace {

constexpr std::size_t kTipCapacity = 2024;  // wide characters, the terminator included

struct Notice {
  const NMHDR* header;
  GUIElement* control;  // the element of hwndFrom, or null
};

void TextChanged(GUIElement& element) {
  if (element.onTextChanged != nullptr) element.onTextChanged(&element);
}

template <typename Picker>
void DateChanged(GUIElement* control) {
  auto* picker = dynamic_cast<Picker*>(control);
  if (picker == nullptr) return;
  const SYSTEMTIME date = picker->ReadDate();
  if (picker->onDateChanged != nullptr) picker->onDateChanged(picker, date);
  TextChanged(*picker);
}

void OnDateTimeChange(const Notice& n) {
  DateChanged<DatePicker>(n.control);
}

void OnCalendarSelect(const Notice& n) {
  DateChanged<Calendar>(n.control);
}

void OnDeltaPosition(const Notice& n) {
  auto* box = dynamic_cast<NumericBox*>(n.control);
  if (box == nullptr) return;
  const auto* change = reinterpret_cast<const NMUPDOWN*>(n.header);
  const std::int32_t value = box->Stepped(change->iPos, change->iDelta);
  if (box->onValueChanged != nullptr) box->onValueChanged(box, value);
  TextChanged(*box);
}

void OnTabChange(const Notice& n) {
  auto* tabs = dynamic_cast<TabControl*>(n.control);
  if (tabs == nullptr || !tabs->created || tabs->onSelectionChanged == nullptr) return;
  tabs->onSelectionChanged(
      tabs, static_cast<std::int32_t>(SendMessageW(tabs->hwnd, TCM_GETCURSEL, 0, 0)));
}

// The text must outlive the message: the tooltip reads it afterwards.
void OnTooltipText(const Notice& n) {
  static std::array<WCHAR, kTipCapacity> buffer{};
  GUIElement* tool = FindById(static_cast<std::int32_t>(n.header->idFrom));
  if (tool == nullptr || tool->typeName != "toolbaritem" || tool->tooltipText.empty()) return;
  const std::u16string text = ToWide(tool->tooltipText);
  const std::size_t length = std::min(text.size(), kTipCapacity - 1);
  text.copy(buffer.data(), length);
  buffer[length] = u'\0';
  auto* info = reinterpret_cast<NMTTDISPINFOW*>(const_cast<NMHDR*>(n.header));
  info->lpszText = buffer.data();
}

void OnHeaderChanged(const Notice& n) {
  if (n.control == nullptr) return;
  const auto* header = reinterpret_cast<const NMHEADERW*>(n.header);
  const std::int32_t width = header->pitem != nullptr ? header->pitem->cxy : 0;
  n.control->HandleNotify(1, {header->iItem, width}, {});
}

void OnHeaderClick(const Notice& n) {
  if (n.control == nullptr) return;
  const auto* header = reinterpret_cast<const NMHEADERW*>(n.header);
  n.control->HandleNotify(2, {header->iItem}, {});
}

void OnRightClick(const Notice& n) {
  if (n.control != nullptr) n.control->HandleNotify(3, {}, {});
}

constexpr struct {
  UINT code;
  void (*react)(const Notice&);
} kNotices[] = {
    {DTN_DATETIMECHANGE, OnDateTimeChange}, {MCN_SELECT, OnCalendarSelect},
    {UDN_DELTAPOS, OnDeltaPosition},        {TCN_SELCHANGE, OnTabChange},
    {TTN_GETDISPINFOW, OnTooltipText},      {HDN_ITEMCHANGEDW, OnHeaderChanged},
    {HDN_ITEMCLICKW, OnHeaderClick},        {NM_RCLICK, OnRightClick},
};

}  // namespace

Reaction ReactNotify(const Message& m) {
  const auto* header = reinterpret_cast<const NMHDR*>(m.lParam);
  if (header == nullptr) return PassOn();
  for (const auto& notice : kNotices) {
    if (notice.code == header->code) notice.react(Notice{header, FindByWindow(header->hwndFrom)});
  }
  return PassOn();
}

}  // namespace VexaUtility
