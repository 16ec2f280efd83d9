// PLACEHOLDER until the element model lands (untracked)
#pragma once
#include "platform/api/user.h"
namespace VexaUtility { class GUIElement { public: virtual ~GUIElement() = default; HWND hwnd = nullptr; }; }
