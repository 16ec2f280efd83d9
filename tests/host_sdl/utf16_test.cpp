#include <gtest/gtest.h>

#include "platform/host/sdl/utf16.h"

namespace host::sdl {
namespace {

TEST(Utf16FromUtf8, TypedTextOfEveryLength) {
  struct Row {
    const char* utf8;
    std::u16string utf16;
  };
  const Row rows[] = {
      {"a", u"a"},
      {"\xC3\xA8", u"\u00E8"},              // è
      {"\xE2\x82\xAC", u"\u20AC"},          // €
      {"\xF0\x9F\x98\x80", u"\U0001F600"},  // outside the first plane: two units
      {"x\xC3\xA8\xE2\x82\xAC!", u"x\u00E8\u20AC!"},
  };
  for (const Row& row : rows) EXPECT_EQ(Utf16FromUtf8(row.utf8), row.utf16) << row.utf8;
}

TEST(Utf16FromUtf8, BrokenInputBecomesReplacementCharacters) {
  struct Row {
    std::string utf8;
    std::u16string utf16;
  };
  const Row rows[] = {
      {"\xC3", u"\uFFFD"},  // cut short at the end
      {"\xC3"
       "a",
       u"\uFFFDa"},                     // cut short before a plain byte
      {"\x80z", u"\uFFFDz"},            // a lone continuation byte
      {"\xC0\xAF", u"\uFFFD"},          // overlong "/"
      {"\xED\xA0\x80", u"\uFFFD"},      // an encoded surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD"},  // beyond U+10FFFF
      {"\xFF", u"\uFFFD"},
  };
  for (const Row& row : rows) EXPECT_EQ(Utf16FromUtf8(row.utf8), row.utf16);
}

}  // namespace
}  // namespace host::sdl
