// Window classes: the program's own and the system's built-in ones.
#pragma once

#include "platform/user/window.h"

namespace user {

// The class a name (or an atom made by RegisterClassW) names, or null.
WindowClass* FindClass(LPCWSTR name);
// A class of the system's own, such as "static"; registered once.
void RegisterBuiltInClass(const char16_t* name, WNDPROC procedure, UINT style, HBRUSH background,
                          HCURSOR cursor);

}  // namespace user
