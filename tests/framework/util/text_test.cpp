#include <gtest/gtest.h>
#include <limits>

#include "framework/util/text.h"

namespace {

using namespace VexaUtility;

TEST(ToWide, CopiesBytesAsCodeValuesUpToTheFirstZero) {
  EXPECT_EQ(ToWide(""), u"");
  EXPECT_EQ(ToWide(std::string("A\0B", 3)), u"A");
  EXPECT_EQ(ToWide("\xB0"), u"\u00B0");
  EXPECT_EQ(ToWide("caff\xE8 \xFF"), u"caff\u00E8 \u00FF");  // never sign-extended
  EXPECT_EQ(ToWide("Score: "), u"Score: ");
}

TEST(ToNarrow, KeepsTheLowByteOfEveryUnitZerosIncluded) {
  EXPECT_EQ(ToNarrow(u"\u00B0"), "\xB0");
  EXPECT_EQ(ToNarrow(u"\u0141"), "A");
  EXPECT_EQ(ToNarrow(u"\u20AC"), "\xAC");
  EXPECT_EQ(ToNarrow(u"\u0100"), std::string(1, '\0'));
  EXPECT_EQ(ToNarrow(std::u16string(u"a\0b", 3)), std::string("a\0b", 3));
}

TEST(ToWideAndToNarrow, RoundTripEveryByteValueButZero) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(ToNarrow(ToWide(all)), all);
  std::u16string wide;
  for (char16_t u = 1; u < 256; ++u) wide += u;
  EXPECT_EQ(ToWide(ToNarrow(wide)), wide);
}

TEST(ZeroPadded, PutsZerosInFrontOfTheWholeTextSignIncluded) {
  const struct {
    std::int32_t value, width;
    const char* text;
  } cases[] = {
      {1250, 8, "00001250"},   {123456789, 8, "123456789"}, {0, 6, "000000"},
      {-5, 8, "000000-5"},     {42, 0, "42"},              {42, -3, "42"},
      {-12, 3, "-12"},         {std::numeric_limits<std::int32_t>::min(), 12, "0-2147483648"},
  };
  for (const auto& c : cases) EXPECT_EQ(ZeroPadded(c.value, c.width), c.text) << c.value;
}

TEST(Int64ToText, WritesSignedDecimal) {
  EXPECT_EQ(Int64ToText(0), "0");
  EXPECT_EQ(Int64ToText(-1), "-1");
  EXPECT_EQ(Int64ToText(2), "2");
  EXPECT_EQ(Int64ToText(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
  EXPECT_EQ(Int64ToText(std::numeric_limits<std::int64_t>::max()), "9223372036854775807");
}

TEST(Padding, FillsToTheLengthAndNeverCuts) {
  EXPECT_EQ(PadRight("MARA", ' ', 12), "MARA        ");
  EXPECT_EQ(PadRight("ABCDEFGHIJKLMNO", ' ', 12), "ABCDEFGHIJKLMNO");
  EXPECT_EQ(PadLeft("7", '0', 3), "007");
  EXPECT_EQ(PadLeft("", '0', 0), "");
  EXPECT_EQ(PadLeft("1234", '0', 3), "1234");
  EXPECT_EQ(PadRight(std::string("a\0", 2), '\xB0', 3), std::string("a\0\xB0", 3));
}

}  // namespace
