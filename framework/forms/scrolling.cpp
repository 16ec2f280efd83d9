// WM_HSCROLL, WM_VSCROLL and WM_MOUSEWHEEL: sliders telling of their
// position, and scrolling panels moving their contents.
#include <algorithm>
#include <cstdint>

#include "framework/controls/scroll_panel.h"
#include "framework/controls/value_controls.h"
#include "framework/elements/element_registry.h"
#include "framework/forms/reactions.h"
#include "framework/forms/window_procedure.h"

namespace VexaUtility {
namespace {

SCROLLINFO ReadBar(HWND window, int bar) {
  SCROLLINFO info{};
  info.cbSize = sizeof(SCROLLINFO);
  info.fMask = SIF_ALL;
  GetScrollInfo(window, bar, &info);
  return info;
}

// Positions are worked out in 64 bits and kept within int: a page past the
// end of the range is still only a request, which the bar then clamps.
int Saturated(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

// The position a scroll request asks for. Only the vertical bar knows the
// top and the bottom.
int Requested(const SCROLLINFO& info, WORD request, bool vertical) {
  const std::int64_t pos = info.nPos;
  const std::int64_t page = info.nPage;
  switch (request) {
    case SB_LINEUP:
      return Saturated(pos - 1);
    case SB_LINEDOWN:
      return Saturated(pos + 1);
    case SB_PAGEUP:
      return Saturated(pos - page);
    case SB_PAGEDOWN:
      return Saturated(pos + page);
    case SB_THUMBTRACK:
      return info.nTrackPos;
    case SB_TOP:
      return vertical ? info.nMin : info.nPos;
    case SB_BOTTOM:
      return vertical ? info.nMax : info.nPos;
    default:
      return info.nPos;
  }
}

// The window scrolls by what the bar really moved (the system clamps the
// position); the panel hears of the distance that was asked for.
void ScrollTo(PanelChildren& panel, HWND window, bool vertical, int old, int requested) {
  const int bar = vertical ? SB_VERT : SB_HORZ;
  SCROLLINFO position{};
  position.cbSize = sizeof(SCROLLINFO);
  position.fMask = SIF_POS;
  position.nPos = requested;
  SetScrollInfo(window, bar, &position, TRUE);
  const int now = ReadBar(window, bar).nPos;
  if (now != old) {
    const int by = Saturated(std::int64_t{old} - now);
    ScrollWindow(window, vertical ? 0 : by, vertical ? by : 0, nullptr, nullptr);
    UpdateWindow(window);
  }
  if (requested == old) return;
  const ScrollCallback callback = vertical ? panel.onVerticalScroll : panel.onHorizontalScroll;
  if (callback != nullptr) callback(&panel, Saturated(std::int64_t{old} - requested));
}

void SliderMoved(GUIElement* element) {
  auto* slider = element->typeName == "slider" ? dynamic_cast<Slider*>(element) : nullptr;
  if (slider == nullptr) return;
  const std::int32_t position = slider->ReadPosition();
  if (slider->onValueChanged != nullptr) slider->onValueChanged(slider, position);
  if (slider->onTextChanged != nullptr) slider->onTextChanged(slider);
}

}  // namespace

Reaction ReactScroll(const Message& m) {
  const bool vertical = m.message == WM_VSCROLL;
  const WORD request = LOWORD(m.wParam);
  GUIElement* element = m.element;
  if (m.lParam != 0 && request == SB_ENDSCROLL) {
    element = FindByWindow(reinterpret_cast<HWND>(m.lParam));
    if (element == nullptr) return PassOn();
  }
  SliderMoved(element);
  if (!IsRegistered(element)) return PassOn();
  auto* panel = dynamic_cast<PanelChildren*>(element);
  if (panel == nullptr || !panel->Scrolls(vertical)) return PassOn();
  if (vertical) wheelPanel = panel;
  const SCROLLINFO info = ReadBar(m.window, vertical ? SB_VERT : SB_HORZ);
  ScrollTo(*panel, m.window, vertical, info.nPos, Requested(info, request, vertical));
  return Answer(0);
}

// A page per wheel message: up when the wheel turns away from the user.
Reaction ReactWheel(const Message& m) {
  auto* panel = dynamic_cast<PanelChildren*>(m.element);
  if (panel == nullptr) panel = wheelPanel;
  if (panel == nullptr || !panel->verticalScroll) return PassOn();
  const SCROLLINFO info = ReadBar(panel->hwnd, SB_VERT);
  const bool up = HighSigned(static_cast<LPARAM>(m.wParam)) > 0;
  const WORD request = up ? SB_PAGEUP : SB_PAGEDOWN;
  ScrollTo(*panel, panel->hwnd, true, info.nPos, Requested(info, request, true));
  return Answer(0);
}

}  // namespace VexaUtility
