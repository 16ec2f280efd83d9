#include "platform/host/sdl/desktop_scale.h"

#include <SDL.h>
#include <cstring>

#include "platform/host/scale.h"
#include "platform/host/sdl/x11_resources.h"

namespace host::sdl {

int DesktopScale() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver == nullptr || std::strcmp(driver, "x11") != 0) return kMinScale;
  return ScaleFromDpiText(XftDpiResource());
}

}  // namespace host::sdl
