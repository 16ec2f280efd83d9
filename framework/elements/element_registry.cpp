#include "framework/elements/element_registry.h"

#include <algorithm>

#include "framework/controls/sub_menu.h"

namespace VexaUtility {

std::int32_t nextElementId = 0;

std::vector<GUIElement*>& ElementRegistry() {
  static std::vector<GUIElement*> registry;
  return registry;
}

GUIElement* FindByWindow(HWND window) {
  // No element is the element of no window: uncreated elements have a null
  // window, and a message with none names none of them.
  if (window == nullptr) return nullptr;
  const auto& registry = ElementRegistry();
  for (GUIElement* element : registry) {
    if (element->hwnd == window) return element;
  }
  // The newest element stands for a window being created only while it is
  // itself being created: a menu item or a failed control is created with
  // no window, and must not answer for strangers.
  const GUIElement* newest = registry.empty() ? nullptr : registry.back();
  if (newest != nullptr && newest->hwnd == nullptr && !newest->created) return registry.back();
  return nullptr;
}

GUIElement* FindById(std::int32_t id) {
  for (GUIElement* element : ElementRegistry()) {
    if (element->id == id) return element;
  }
  return nullptr;
}

SubMenu* FindMenuItemById(std::int32_t id) {
  for (GUIElement* element : ElementRegistry()) {
    auto* item = dynamic_cast<SubMenu*>(element);
    if (item != nullptr && item->id == id) return item;
  }
  return nullptr;
}

bool IsRegistered(const GUIElement* element) {
  const auto& registry = ElementRegistry();
  return std::find(registry.begin(), registry.end(), element) != registry.end();
}

}  // namespace VexaUtility
