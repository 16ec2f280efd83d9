// Kept apart: the X headers define names (None, Bool, Status) that clash
// with everything else.
#include "platform/host/sdl/x11_title.h"

#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace host::sdl {
namespace {

// ICCCM's STRING: the graphic characters of Latin-1 plus tab and newline.
bool FitsString(char32_t c) {
  return c == u'\t' || c == u'\n' || (c >= 0x20 && c <= 0x7E) || (c >= 0xA0 && c <= 0xFF);
}

// The code point starting at `text[i]` when it is a one- or two-byte UTF-8
// sequence (all Latin-1 needs); anything longer or malformed gives 0x100.
char32_t NextLatin1(const std::string& text, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(text[i++]);
  if (lead < 0x80) return lead;
  if ((lead & 0xE0) != 0xC0 || i >= text.size()) return 0x100;
  const auto trail = static_cast<unsigned char>(text[i]);
  if ((trail & 0xC0) != 0x80) return 0x100;
  ++i;
  const char32_t c = (static_cast<char32_t>(lead & 0x1F) << 6) | (trail & 0x3F);
  return c < 0x80 ? 0x100 : c;  // an overlong form is malformed
}

}  // namespace

bool TitleAsLatin1(const std::string& utf8, std::string& latin1) {
  latin1.clear();
  for (std::size_t i = 0; i < utf8.size();) {
    const char32_t c = NextLatin1(utf8, i);
    if (!FitsString(c)) return false;
    latin1.push_back(static_cast<char>(c));
  }
  return true;
}

void SetStandardTitle(SDL_Window* window, const std::string& titleUtf8) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (window == nullptr || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) {
    return;
  }
  Display* display = info.info.x11.display;
  const Window xwindow = info.info.x11.window;
  std::string bytes;
  Atom type = XA_STRING;
  if (!TitleAsLatin1(titleUtf8, bytes)) {
    bytes = titleUtf8;
    type = XInternAtom(display, "UTF8_STRING", False);
  }
  XChangeProperty(display, xwindow, XA_WM_NAME, type, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(bytes.data()),
                  static_cast<int>(bytes.size()));
  XFlush(display);
}

}  // namespace host::sdl
