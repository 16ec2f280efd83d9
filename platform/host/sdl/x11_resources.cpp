// Kept apart: the X headers define names (None, Bool, Status) that clash
// with everything else.
#include "platform/host/sdl/x11_resources.h"

#include <X11/Xlib.h>
#include <X11/Xresource.h>

namespace host::sdl {
namespace {

std::string Lookup(const char* database) {
  XrmDatabase resources = XrmGetStringDatabase(database);
  if (resources == nullptr) return {};
  char* type = nullptr;
  XrmValue value{};
  std::string found;
  if (XrmGetResource(resources, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr != nullptr) {
    found = value.addr;
  }
  XrmDestroyDatabase(resources);
  return found;
}

}  // namespace

// A connection of its own for one look, closed straight after: SDL's
// connection is SDL's, and the desktop's setting is read only once.
std::string XftDpiResource() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return {};
  XrmInitialize();
  // The root window's RESOURCE_MANAGER property, as it was when the
  // connection opened; null when the desktop set no resources.
  const char* database = XResourceManagerString(display);
  std::string found = database != nullptr ? Lookup(database) : std::string{};
  XCloseDisplay(display);
  return found;
}

}  // namespace host::sdl
