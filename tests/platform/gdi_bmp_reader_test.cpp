#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/gdi/bmp_reader.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/bmp_samples.h"

namespace {

using gdi::BmpResult;
using gdi::DecodedBmp;
using testing_support::BmpLayout;
using testing_support::BrokenBmp;
using testing_support::ValidBmp;

// An allocation of exactly the file's size, so that the address sanitizer
// sees any read past its end.
BmpResult Decode(const std::string& file, DecodedBmp& out,
                 std::uint64_t maxPixels = gdi::kMaxBmpPixels) {
  const std::vector<std::uint8_t> bytes(file.begin(), file.end());
  return gdi::DecodeBmp(bytes, out, maxPixels);
}

std::string TestName(std::string name) {
  for (char& c : name) {
    if (c == '-') c = '_';
  }
  return name;
}

class BmpReaderValid : public testing::TestWithParam<ValidBmp> {};

TEST_P(BmpReaderValid, DecodesEveryPixelExactly) {
  const ValidBmp& sample = GetParam();
  DecodedBmp out;
  ASSERT_EQ(Decode(sample.file, out), BmpResult::Ok);
  EXPECT_EQ(out.width, sample.width);
  EXPECT_EQ(out.height, sample.height);
  EXPECT_EQ(out.pixels, sample.pixels);
}

// A cut file never decodes to another picture: with its stated sizes intact
// every cut is refused; with them zeroed, only the structure is left to tell,
// and a cut that loses only optional trailing bytes may still give the whole.
TEST_P(BmpReaderValid, RefusesEveryCutOfTheFile) {
  const ValidBmp& sample = GetParam();
  std::string unsized = sample.file;
  testing_support::Patch32(unsized, testing_support::bmp_offset::kFileSize, 0);
  if (static_cast<unsigned char>(unsized[14]) >= 40) {
    testing_support::Patch32(unsized, testing_support::bmp_offset::kImageSize, 0);
  }
  for (std::size_t length = 0; length < sample.file.size(); ++length) {
    DecodedBmp out;
    EXPECT_NE(Decode(sample.file.substr(0, length), out), BmpResult::Ok) << "cut at " << length;
    EXPECT_TRUE(out.pixels.empty());
    if (Decode(unsized.substr(0, length), out) == BmpResult::Ok) {
      EXPECT_EQ(out.pixels, sample.pixels) << "cut at " << length;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Samples, BmpReaderValid, testing::ValuesIn(testing_support::ValidBmps()),
                         [](const auto& info) { return TestName(info.param.name); });

class BmpReaderBroken : public testing::TestWithParam<BrokenBmp> {};

TEST_P(BmpReaderBroken, IsRefusedForItsReason) {
  DecodedBmp out;
  out.width = 7;
  out.pixels.assign(3, 1);
  EXPECT_EQ(Decode(GetParam().file, out), GetParam().expected);
  EXPECT_EQ(out.width, 0);
  EXPECT_EQ(out.height, 0);
  EXPECT_TRUE(out.pixels.empty());
}

INSTANTIATE_TEST_SUITE_P(Samples, BmpReaderBroken, testing::ValuesIn(testing_support::BrokenBmps()),
                         [](const auto& info) { return TestName(info.param.name); });

TEST(BmpReader, RefusesMorePixelsThanTheCallerAllows) {
  const std::string file = testing_support::bmp_sample::Rgb24().file;  // 3 × 2
  DecodedBmp out;
  EXPECT_EQ(Decode(file, out, 5), BmpResult::TooLarge);
  EXPECT_EQ(Decode(file, out, 6), BmpResult::Ok);
}

// Masks of every width, at the bottom and at the top of the pixel: all ones
// is 255, none is 0, and the top bit alone is its share of 255 rounded.
TEST(BmpReader, ScalesMaskChannelsOfEveryWidthToTheFullRange) {
  for (int bits = 1; bits <= 32; ++bits) {
    const std::uint32_t low = bits == 32 ? 0xFFFFFFFF : (1u << bits) - 1;
    for (const std::uint32_t mask : {low, low << (32 - bits)}) {
      const std::uint32_t topBit = 1u << (31 - std::countl_zero(mask));
      BmpLayout s = testing_support::Layout(3, 1, 32, 3);
      s.masks = {mask, mask, mask};
      s.pixels = testing_support::PackRows(32, {{mask, topBit, ~mask}});
      DecodedBmp out;
      ASSERT_EQ(Decode(testing_support::BuildBmp(s), out), BmpResult::Ok) << bits;
      const auto top = static_cast<std::uint32_t>(
          std::lround(std::ldexp(1.0, bits - 1) * 255 / (std::ldexp(1.0, bits) - 1)));
      EXPECT_EQ(out.pixels, (std::vector<std::uint32_t>{0xFFFFFF, top * 0x010101, 0}))
          << bits << " bits, mask " << std::hex << mask;
    }
  }
}

}  // namespace
