#include "tests/host_sdl/x11_probe.h"

#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <bit>
#include <cstdlib>

namespace sdl_testing {
namespace {

// Scales the bits of `mask` in `pixel` to 0..255.
std::uint32_t Channel(unsigned long pixel, unsigned long mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const unsigned long max = mask >> shift;
  return static_cast<std::uint32_t>(((pixel & mask) >> shift) * 255 / max);
}

}  // namespace

unsigned long X11WindowOf(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (window == nullptr || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) {
    return 0;
  }
  return info.info.x11.window;
}

void AwaitServer(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (window != nullptr && SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11) {
    XSync(info.info.x11.display, False);
  }
}

std::uint32_t Screenshot::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return 0xFFFFFFFFu;
  return pixels[static_cast<std::size_t>(y) * width + x];
}

// A window manager makes the atom of its decoration hints when it starts, and
// SDL (which only looks the atom up) sets those hints only when it exists.
XProbe::XProbe() : display_(XOpenDisplay(nullptr)) {
  if (display_) XInternAtom(display_, "_MOTIF_WM_HINTS", False);
}

XProbe::~XProbe() {
  if (display_) XCloseDisplay(display_);
}

Screenshot XProbe::Capture() const {
  Screenshot shot;
  const Window root = DefaultRootWindow(display_);
  XWindowAttributes attributes;
  XGetWindowAttributes(display_, root, &attributes);
  XImage* image =
      XGetImage(display_, root, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
  if (image == nullptr) return shot;
  shot.width = image->width;
  shot.height = image->height;
  shot.pixels.resize(static_cast<std::size_t>(shot.width) * shot.height);
  for (int y = 0; y < shot.height; ++y) {
    for (int x = 0; x < shot.width; ++x) {
      const unsigned long p = XGetPixel(image, x, y);
      shot.pixels[static_cast<std::size_t>(y) * shot.width + x] =
          Channel(p, image->red_mask) << 16 | Channel(p, image->green_mask) << 8 |
          Channel(p, image->blue_mask);
    }
  }
  XDestroyImage(image);
  return shot;
}

std::vector<unsigned long> XProbe::Longs(unsigned long window, const char* property) const {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const Atom name = XInternAtom(display_, property, False);
  std::vector<unsigned long> items;
  if (XGetWindowProperty(display_, window, name, 0, 1 << 20, False, AnyPropertyType, &type, &format,
                         &count, &after, &data) != Success) {
    return items;
  }
  // Xlib hands 32-bit items over as longs, sign-extended.
  if (format == 32) {
    const auto* longs = reinterpret_cast<const unsigned long*>(data);
    for (unsigned long i = 0; i < count; ++i) items.push_back(longs[i] & 0xFFFFFFFFul);
  }
  if (data) XFree(data);
  return items;
}

std::string XProbe::Text(unsigned long window, const char* property) const {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const Atom name = XInternAtom(display_, property, False);
  std::string text;
  if (XGetWindowProperty(display_, window, name, 0, 1 << 20, False, AnyPropertyType, &type, &format,
                         &count, &after, &data) != Success) {
    return text;
  }
  if (format == 8 && data) text.assign(reinterpret_cast<const char*>(data), count);
  if (data) XFree(data);
  return text;
}

std::string XProbe::TypeOf(unsigned long window, const char* property) const {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const Atom name = XInternAtom(display_, property, False);
  if (XGetWindowProperty(display_, window, name, 0, 0, False, AnyPropertyType, &type, &format,
                         &count, &after, &data) != Success) {
    return {};
  }
  if (data) XFree(data);
  return type == None ? std::string() : AtomName(type);
}

std::string XProbe::Decoded(unsigned long window, const char* property) const {
  XTextProperty value{};
  if (!XGetTextProperty(display_, window, &value, XInternAtom(display_, property, False)))
    return {};
  char** list = nullptr;
  int count = 0;
  std::string text;
  if (Xutf8TextPropertyToTextList(display_, &value, &list, &count) == Success && count > 0) {
    text = list[0];
  }
  if (list) XFreeStringList(list);
  if (value.value) XFree(value.value);
  return text;
}

std::string XProbe::AtomName(unsigned long atom) const {
  char* name = XGetAtomName(display_, atom);
  std::string text = name ? name : "";
  if (name) XFree(name);
  return text;
}

void XProbe::SendDeleteWindow(unsigned long window) const {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display_, window, False, NoEventMask, &event);
  XFlush(display_);
}

bool SameColour(std::uint32_t a, std::uint32_t b, int tolerance) {
  for (int shift : {0, 8, 16}) {
    const int ca = static_cast<int>((a >> shift) & 0xFF),
              cb = static_cast<int>((b >> shift) & 0xFF);
    if (std::abs(ca - cb) > tolerance) return false;
  }
  return true;
}

}  // namespace sdl_testing
