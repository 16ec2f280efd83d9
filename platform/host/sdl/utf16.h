// Typed text arrives from the desktop as UTF-8; the program reads UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace host::sdl {

// A broken, overlong or out-of-range sequence and an encoded surrogate each
// become one U+FFFD, so nothing typed is dropped without a trace.
std::u16string Utf16FromUtf8(std::string_view text);

}  // namespace host::sdl
