// Narrow text (one byte per character, code points 0 to 255) and wide text
// (UTF-16), converted by code value alone; numbers written as decimal text.
#pragma once

#include <cstdint>
#include <string>

namespace VexaUtility {

// Up to the first zero byte; each byte becomes the unit of the same value.
std::u16string ToWide(std::string text);
// Every unit, zeros included, becomes its low byte.
std::string ToNarrow(std::u16string text);

// value in decimal, with "0" put in front of all of it (sign included) up to width.
std::string ZeroPadded(std::int32_t value, std::int32_t width);
std::string Int64ToText(std::int64_t value);

std::string PadLeft(std::string text, char fill, std::uint32_t length);
std::string PadRight(std::string text, char fill, std::uint32_t length);

}  // namespace VexaUtility
