#include "framework/util/text.h"

#include <charconv>
#include <cstring>

namespace VexaUtility {

std::u16string ToWide(std::string text) {
  const std::size_t length = std::strlen(text.c_str());
  std::u16string wide(length, u'\0');
  for (std::size_t i = 0; i < length; ++i) {
    wide[i] = static_cast<char16_t>(static_cast<unsigned char>(text[i]));
  }
  return wide;
}

std::string ToNarrow(std::u16string text) {
  std::string narrow(text.size(), '\0');
  for (std::size_t i = 0; i < text.size(); ++i) narrow[i] = static_cast<char>(text[i] & 0xFF);
  return narrow;
}

std::string ZeroPadded(std::int32_t value, std::int32_t width) {
  std::string text = Int64ToText(value);
  if (width > 0 && text.size() < static_cast<std::size_t>(width)) {
    text.insert(0, static_cast<std::size_t>(width) - text.size(), '0');
  }
  return text;
}

std::string Int64ToText(std::int64_t value) {
  char digits[24];
  const auto written = std::to_chars(digits, digits + sizeof digits, value);
  return std::string(digits, written.ptr);
}

std::string PadLeft(std::string text, char fill, std::uint32_t length) {
  if (text.size() < length) text.insert(0, length - text.size(), fill);
  return text;
}

std::string PadRight(std::string text, char fill, std::uint32_t length) {
  if (text.size() < length) text.append(length - text.size(), fill);
  return text;
}

}  // namespace VexaUtility
