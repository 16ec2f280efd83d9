// What every framework control does to come into being: take the next id,
// make the system control as a child of its parent's window, and put the
// framework's window procedure in front of the control's own.
#pragma once

#include <string>

#include "framework/elements/gui_element.h"

namespace VexaUtility {

// A control's starting state: its parent, its text, the control size and its kind.
void SetUpControl(GUIElement& control, GUIElement* parent, const std::string& text,
                  const char* typeName);

// Gives the control its id and window and marks it created, also when the
// window could not be made (its handle then stays null).
void MakeControlWindow(GUIElement& control, LPCWSTR className, DWORD style, DWORD exStyle);

// The window of the element's parent, or none.
HWND ParentWindow(const GUIElement& element);

}  // namespace VexaUtility
