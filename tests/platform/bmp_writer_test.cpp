#include "platform/gdi/bmp_writer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tests/support/pixels.h"
#include "tests/support/temp_folder.h"

namespace {

using testing_support::Picture;

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
         (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint32_t U16(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8);
}

// 3 x 2: top row red, green, blue; bottom row white, black, 0x123456.
gdi::Bitmap Sample() {
  gdi::Bitmap picture = Picture(3, 2);
  picture.pixels = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0x123456};
  return picture;
}

TEST(BmpWriter, HeadersDescribeABottomUpUncompressedFile) {
  struct Case {
    int bits;
    std::size_t rowBytes;
  };
  for (const Case c : {Case{24, 12}, Case{32, 12}}) {
    SCOPED_TRACE(c.bits);
    const std::vector<std::uint8_t> file = gdi::EncodeBmp(Sample(), c.bits);
    ASSERT_EQ(file.size(), 54 + 2 * c.rowBytes);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(U32(file, 2), file.size());
    EXPECT_EQ(U32(file, 6), 0u);    // reserved
    EXPECT_EQ(U32(file, 10), 54u);  // pixel offset
    EXPECT_EQ(U32(file, 14), 40u);  // information header size
    EXPECT_EQ(U32(file, 18), 3u);
    EXPECT_EQ(U32(file, 22), 2u);  // positive height: bottom row first
    EXPECT_EQ(U16(file, 26), 1u);
    EXPECT_EQ(U16(file, 28), static_cast<std::uint32_t>(c.bits));
    EXPECT_EQ(U32(file, 30), 0u);  // BI_RGB
    EXPECT_EQ(U32(file, 34), 2 * c.rowBytes);
    EXPECT_EQ(U32(file, 46), 0u);  // no palette
  }
}

TEST(BmpWriter, RowsArePaddedToFourBytesBottomRowFirstInBlueGreenRedOrder) {
  const std::vector<std::uint8_t> file = gdi::EncodeBmp(Sample(), 24);
  const std::vector<std::uint8_t> pixels(file.begin() + 54, file.end());
  EXPECT_EQ(pixels,
            (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0, 0,    0, 0x56, 0x34, 0x12, 0, 0, 0,
                                       0,    0,    0xFF, 0, 0xFF, 0, 0xFF, 0,    0,    0, 0, 0}));
  const std::vector<std::uint8_t> wide = gdi::EncodeBmp(Sample(), 32);
  EXPECT_EQ(std::vector<std::uint8_t>(wide.begin() + 54, wide.begin() + 66),
            (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0x56, 0x34, 0x12, 0}));
}

TEST(BmpWriter, AGapBetweenHeadersAndPixelsHoldsTheGivenBytes) {
  const std::uint8_t gap[] = {0xDE, 0xAD, 0xBE};
  const std::vector<std::uint8_t> plain = gdi::EncodeBmp(Sample(), 24);
  const std::vector<std::uint8_t> file = gdi::EncodeBmp(Sample(), 24, gap);
  ASSERT_EQ(file.size(), plain.size() + 3);
  EXPECT_EQ(U32(file, 2), file.size());
  EXPECT_EQ(U32(file, 10), 57u);
  EXPECT_EQ(std::vector<std::uint8_t>(file.begin() + 54, file.begin() + 57),
            (std::vector<std::uint8_t>{0xDE, 0xAD, 0xBE}));
  EXPECT_TRUE(std::equal(plain.begin() + 54, plain.end(), file.begin() + 57));
}

TEST(BmpWriter, MonochromeIsBlackAndWhiteAndBadRequestsGiveNothing) {
  gdi::Bitmap mono = Picture(2, 1, 0, true);
  mono.pixels = {1, 0};
  const std::vector<std::uint8_t> file = gdi::EncodeBmp(mono, 24);
  EXPECT_EQ(std::vector<std::uint8_t>(file.begin() + 54, file.end()),
            (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0}));
  EXPECT_TRUE(gdi::EncodeBmp(Sample(), 16).empty());
  EXPECT_TRUE(gdi::EncodeBmp(Picture(0, 0), 24).empty());
}

TEST(BmpWriter, WritesTheFileOrFailsWithoutLeavingOne) {
  testing_support::TempFolder folder;
  const std::vector<std::uint8_t> bytes = gdi::EncodeBmp(Sample(), 32);
  ASSERT_TRUE(gdi::WriteBmpFile(folder / "sample.bmp", Sample(), 32));
  EXPECT_EQ(testing_support::ReadBytes(folder / "sample.bmp"),
            std::string(bytes.begin(), bytes.end()));
  EXPECT_FALSE(gdi::WriteBmpFile(folder / "missing/sample.bmp", Sample(), 32));
  EXPECT_FALSE(gdi::WriteBmpFile(folder / "bad.bmp", Sample(), 8));
  EXPECT_FALSE(testing_support::Exists(folder / "bad.bmp"));
}

}  // namespace
