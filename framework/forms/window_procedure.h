// The one window procedure of every form and every framework control: it
// finds the element a message is for and calls its reaction.
#pragma once

#include "platform/api/api.h"

namespace VexaUtility {

class Form;
class GUIElement;
class PanelChildren;

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// What the window procedure keeps between messages.
extern Form* activeForm;            // the form last activated
extern PanelChildren* activePanel;  // the scrolling panel last activated
extern PanelChildren* wheelPanel;   // where the wheel scrolls when it is over no panel
extern bool mouseTracking;          // hover and leave reports are asked for

// An element going away is forgotten by the window procedure's state.
void ForgetElement(const GUIElement* element);

}  // namespace VexaUtility
