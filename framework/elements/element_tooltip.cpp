// An element's tooltip: a tooltip control owned by the element's window,
// with one tool covering the window's client area.
#include <algorithm>

#include "framework/elements/gui_element.h"
#include "framework/util/text.h"

namespace VexaUtility {
namespace {

constexpr std::size_t kTooltipCapacity = 2024;  // wide characters, the terminator included

}  // namespace

TOOLINFOW GUIElement::ToolInfo(HWND window) {
  if (!tooltipBuffer_) tooltipBuffer_ = std::make_unique<WCHAR[]>(kTooltipCapacity);
  const std::u16string wide = ToWide(tooltipText);
  const std::size_t n = std::min(wide.size(), kTooltipCapacity - 1);
  wide.copy(tooltipBuffer_.get(), n);
  tooltipBuffer_[n] = u'\0';
  TOOLINFOW info{};
  info.cbSize = sizeof(TOOLINFOW);
  info.uFlags = TTF_SUBCLASS;
  info.hwnd = window;
  info.uId = reinterpret_cast<UINT_PTR>(window);
  GetClientRect(window, &info.rect);
  info.lpszText = tooltipBuffer_.get();
  return info;
}

void GUIElement::AttachTooltip(HWND window) {
  if (tooltipText.empty() || window == nullptr) return;
  const INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), 0xFF};
  InitCommonControlsEx(&init);
  tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                            WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0, 0, 0, 0, window, nullptr,
                            nullptr, nullptr);
  SetWindowPos(tooltip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  TOOLINFOW info = ToolInfo(window);
  SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void GUIElement::RefreshTooltip() {
  if (tooltip == nullptr) {
    AttachTooltip(hwnd);
    return;
  }
  TOOLINFOW info = ToolInfo(hwnd);
  SendMessageW(tooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
  SendMessageW(tooltip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace VexaUtility
