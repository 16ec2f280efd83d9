#include "platform/host/sdl/utf16.h"

#include <cstdint>

namespace host::sdl {
namespace {

struct Sequence {
  int length = 0;  // bytes in all, 0 for a byte that cannot start one
  char32_t bits = 0;
  char32_t least = 0;  // smaller values are overlong
};

Sequence StartOf(unsigned char lead) {
  if (lead < 0x80) return {1, lead, 0};
  if ((lead & 0xE0) == 0xC0) return {2, static_cast<char32_t>(lead & 0x1F), 0x80};
  if ((lead & 0xF0) == 0xE0) return {3, static_cast<char32_t>(lead & 0x0F), 0x800};
  if ((lead & 0xF8) == 0xF0) return {4, static_cast<char32_t>(lead & 0x07), 0x10000};
  return {};
}

bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

void Append(std::u16string& out, char32_t c) {
  if (c < 0x10000) {
    out += static_cast<char16_t>(c);
    return;
  }
  c -= 0x10000;
  out += static_cast<char16_t>(0xD800 + (c >> 10));
  out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
}

}  // namespace

std::u16string Utf16FromUtf8(std::string_view text) {
  std::u16string out;
  std::size_t i = 0;
  while (i < text.size()) {
    const Sequence start = StartOf(static_cast<unsigned char>(text[i]));
    char32_t c = start.bits;
    std::size_t used = 1;
    while (used < static_cast<std::size_t>(start.length) && i + used < text.size() &&
           IsContinuation(static_cast<unsigned char>(text[i + used]))) {
      c = (c << 6) | (static_cast<unsigned char>(text[i + used]) & 0x3F);
      ++used;
    }
    i += used;
    const bool whole = start.length > 0 && used == static_cast<std::size_t>(start.length);
    const bool valid = whole && c >= start.least && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
    Append(out, valid ? c : U'\uFFFD');
  }
  return out;
}

}  // namespace host::sdl
