#include "platform/crt/utf.h"

namespace crt {
namespace {

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

void AppendUtf16(std::u16string& out, char32_t c) {
  if (c >= 0x10000) {
    c -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (c >> 10));
    out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
  } else {
    out += static_cast<char16_t>(c);
  }
}

struct Lead {
  int extra;
  char32_t bits;
  char32_t least;
};

Lead Classify(unsigned char lead) {
  if (lead < 0x80) return {0, lead, 0};
  if ((lead & 0xE0) == 0xC0) return {1, static_cast<char32_t>(lead & 0x1F), 0x80};
  if ((lead & 0xF0) == 0xE0) return {2, static_cast<char32_t>(lead & 0x0F), 0x800};
  if ((lead & 0xF8) == 0xF0) return {3, static_cast<char32_t>(lead & 0x07), 0x10000};
  return {-1, 0, 0};
}

}  // namespace

std::u16string Utf16FromUtf8(std::string_view text) {
  std::u16string out;
  std::size_t i = 0;
  while (i < text.size()) {
    const Lead lead = Classify(static_cast<unsigned char>(text[i]));
    if (lead.extra < 0) {
      out += u'\uFFFD';
      ++i;
      continue;
    }
    char32_t c = lead.bits;
    std::size_t used = 1;
    while (used <= static_cast<std::size_t>(lead.extra) && i + used < text.size() &&
           (static_cast<unsigned char>(text[i + used]) & 0xC0) == 0x80) {
      c = (c << 6) | (static_cast<unsigned char>(text[i + used]) & 0x3F);
      ++used;
    }
    i += used;
    const bool complete = used == static_cast<std::size_t>(lead.extra) + 1;
    if (!complete || c < lead.least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
      out += u'\uFFFD';
    } else {
      AppendUtf16(out, c);
    }
  }
  return out;
}

std::string Utf8FromUtf16(std::u16string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    AppendUtf8(out, c);
  }
  return out;
}

std::string Utf8FromLatin1(std::string_view text) {
  std::string out;
  for (char byte : text) AppendUtf8(out, static_cast<unsigned char>(byte));
  return out;
}

}  // namespace crt
