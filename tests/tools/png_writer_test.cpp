#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/support/temp_folder.h"
#include "tools/assets/png_writer.h"

namespace {

using assets::EncodePng;

TEST(PngWriter, ChecksumsOfKnownTexts) {
  const std::string digits = "123456789";
  EXPECT_EQ(assets::Crc32(reinterpret_cast<const std::uint8_t*>(digits.data()), digits.size()),
            0xCBF43926u);
  const std::string word = "Wikipedia";
  EXPECT_EQ(assets::Adler32(std::vector<std::uint8_t>(word.begin(), word.end())), 0x11E60398u);
  EXPECT_EQ(assets::Adler32({}), 1u);
}

TEST(PngWriter, RefusesSizesThatDoNotMatchThePixels) {
  EXPECT_TRUE(EncodePng(0, 1, {}).empty());
  EXPECT_TRUE(EncodePng(2, 2, std::vector<std::uint32_t>(3)).empty());
  EXPECT_TRUE(EncodePng(-1, -1, std::vector<std::uint32_t>(1)).empty());
}

// Read back by another program: a picture large enough for several stored
// blocks, with see-through, half see-through and solid pixels.
TEST(PngWriter, AnotherDecoderReadsEveryPixelBack) {
  const int w = 150, h = 150;  // 90 150 bytes of rows: two stored blocks
  std::vector<std::uint32_t> argb(static_cast<std::size_t>(w) * h, 0xFF204080u);
  argb[0] = 0x00000000u;
  argb[1] = 0x80FF0000u;
  argb.back() = 0xFF00FF00u;
  const std::vector<std::uint8_t> png = EncodePng(w, h, argb);
  testing_support::TempFolder folder;
  testing_support::WriteBytes(folder / "p.png", std::string(png.begin(), png.end()));
  const std::string command =
      "convert '" + (folder / "p.png") + "' -format '%w %h %[pixel:p{0,0}] %[pixel:p{1,0}] "
      "%[pixel:p{75,75}] %[pixel:p{149,149}]' info: 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  char buffer[512] = {};
  const std::size_t n = fread(buffer, 1, sizeof buffer - 1, pipe);
  pclose(pipe);
  EXPECT_EQ(std::string(buffer, n),
            "150 150 srgba(0,0,0,0) srgba(255,0,0,0.501961) srgba(32,64,128,1) srgba(0,255,0,1)");
}

}  // namespace
