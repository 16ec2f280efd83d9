// The process-wide list of elements, through which the window procedure
// finds the element that a message is for, and the counter that gives
// elements their ids.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/elements/gui_element.h"

namespace VexaUtility {

class SubMenu;

// Every element alive, in the order they were constructed.
std::vector<GUIElement*>& ElementRegistry();

// The last id handed out; the first one is 1.
extern std::int32_t nextElementId;

// The element whose window is `window`. A window that no element claims yet
// belongs to the newest element if that one has no window and is not yet
// created: it is the one being created, and these are the messages of its
// CreateWindowExW.
GUIElement* FindByWindow(HWND window);
GUIElement* FindById(std::int32_t id);
SubMenu* FindMenuItemById(std::int32_t id);

// Whether the element is still alive (not yet destroyed by its owner).
bool IsRegistered(const GUIElement* element);

}  // namespace VexaUtility
