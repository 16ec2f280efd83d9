// Window titles in any language, whatever locale the program runs in.
#pragma once

#include <string>

namespace host::sdl {

// Xlib turns a UTF-8 title into the window's name properties through the C
// library's character-type locale, and gives up on anything beyond ASCII in
// the "C" locale that a program starts in: the title would not change, or
// come out garbled. While one of these lives, that locale is a UTF-8 one.
// Only the character type changes, and only for the call it guards.
class Utf8TextLocale {
 public:
  Utf8TextLocale();
  ~Utf8TextLocale();
  Utf8TextLocale(const Utf8TextLocale&) = delete;
  Utf8TextLocale& operator=(const Utf8TextLocale&) = delete;

 private:
  std::string saved_;  // empty: nothing was changed
};

}  // namespace host::sdl
