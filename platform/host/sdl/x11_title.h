// The window's name as standard X tools read it.
#pragma once

#include <SDL.h>
#include <string>

namespace host::sdl {

// Writes WM_NAME of an X window again, in a type the X conventions know:
// STRING (Latin-1) when the title fits it, UTF8_STRING otherwise. Xlib,
// converting through a borrowed UTF-8 locale, labels it with the locale's
// own charset name, "UTF-8", which tools that search windows by title
// cannot decode. _NET_WM_NAME is left as SDL wrote it. Without an X display
// it does nothing.
void SetStandardTitle(SDL_Window* window, const std::string& titleUtf8);

// The title as ICCCM's STRING type holds it (Latin-1 printable characters,
// tab and newline), or false when some character does not fit.
bool TitleAsLatin1(const std::string& utf8, std::string& latin1);

}  // namespace host::sdl
