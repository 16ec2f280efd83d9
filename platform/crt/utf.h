// UTF-8 as the host system speaks it, UTF-16 as the program does.
#pragma once

#include <string>
#include <string_view>

namespace crt {

// Malformed input (a lone surrogate, a broken or overlong sequence) becomes
// U+FFFD; nothing is dropped silently.
std::u16string Utf16FromUtf8(std::string_view text);
std::string Utf8FromUtf16(std::u16string_view text);
// Bytes as code points 0 to 255.
std::string Utf8FromLatin1(std::string_view text);

}  // namespace crt
