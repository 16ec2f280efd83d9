// Looking at what the SDL host did from the X server's side: the pixels on
// the screen, the properties a window manager reads, and the messages a
// window manager sends.
#pragma once

#include <SDL.h>
#include <cstdint>
#include <string>
#include <vector>

struct _XDisplay;  // Xlib's display, kept out of the tests' sight: its macros clash

namespace sdl_testing {

// The X window behind an SDL window, 0 when there is none.
unsigned long X11WindowOf(SDL_Window* window);

// Returns once the X server has carried out everything SDL asked of it: the
// server keeps no order between SDL's connection and the test's own.
void AwaitServer(SDL_Window* window);

// What the root window shows, as 0x00RRGGBB whatever the depth of the screen.
struct Screenshot {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
  std::uint32_t At(int x, int y) const;
};

// A connection of the test's own, as a window manager or a screenshot tool has.
class XProbe {
 public:
  XProbe();
  ~XProbe();
  XProbe(const XProbe&) = delete;
  XProbe& operator=(const XProbe&) = delete;

  bool connected() const { return display_ != nullptr; }
  Screenshot Capture() const;
  // 32-bit items of a property (CARDINAL, ATOM, WM_SIZE_HINTS...); empty when unset.
  std::vector<unsigned long> Longs(unsigned long window, const char* property) const;
  std::string Text(unsigned long window, const char* property) const;
  // The name of a property's type ("STRING", "UTF8_STRING"...); empty when unset.
  std::string TypeOf(unsigned long window, const char* property) const;
  // A text property decoded to UTF-8 the way tools that search windows by
  // name decode it (Xutf8TextPropertyToTextList); empty when Xlib cannot.
  std::string Decoded(unsigned long window, const char* property) const;
  std::string AtomName(unsigned long atom) const;
  // What a window manager sends when the close box is clicked.
  void SendDeleteWindow(unsigned long window) const;

 private:
  ::_XDisplay* display_ = nullptr;
};

// Each channel within `tolerance` (for screens of fewer than 24 bits).
bool SameColour(std::uint32_t a, std::uint32_t b, int tolerance);

}  // namespace sdl_testing
