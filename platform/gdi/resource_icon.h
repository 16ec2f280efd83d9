// Icons made from the executable's icon groups, for LoadIconW and LoadImageW.
#pragma once

#include "platform/api/base.h"

namespace gdi {

// The icon of group `name` at width × height (0: that of the image chosen
// for the system's icon size), from the image nearest that size, stretched
// to it when it differs. A shared icon is made once per group and size and
// lives for the whole process, as the system's shared icons do: destroying
// it does nothing. Null with the last error set when the group or its image
// is missing (as FindResourceW says) or damaged (ERROR_INVALID_DATA).
HICON LoadResourceIcon(HMODULE module, LPCWSTR name, int width, int height, bool shared);

}  // namespace gdi
