// The reader against an outside corpus of bitmap files, sorted into good ones
// (must load), questionable ones (may load or be refused) and bad ones (must be
// refused). Most show one 127 × 64 picture: four colour bands over a dark
// gradient, with a white-outlined word in the middle.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/api/gdi.h"
#include "platform/api/user.h"
#include "platform/gdi/bmp_reader.h"
#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using gdi::BmpResult;
using gdi::DecodedBmp;

fs::path Corpus() {
  return ZARVO_BMPSUITE_DIR;
}

bool CorpusMissing() {
  return !fs::is_directory(Corpus());
}

std::string Missing() {
  return "the bitmap corpus " + Corpus().string() +
         " is not there; it sits beside the project in CI and in a developer's checkout "
         "(configure with -DZARVO_BMPSUITE_DIR=... to name another place)";
}

BmpResult DecodeFile(const fs::path& path, DecodedBmp& out) {
  const std::string file = testing_support::ReadBytes(path.string());
  const std::vector<std::uint8_t> bytes(file.begin(), file.end());
  return gdi::DecodeBmp(bytes, out);
}

DecodedBmp Good(const std::string& name) {
  DecodedBmp out;
  EXPECT_EQ(DecodeFile(Corpus() / "g" / name, out), BmpResult::Ok) << name;
  return out;
}

std::vector<fs::path> FilesIn(const std::string& group) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(Corpus() / group)) files.push_back(entry.path());
  std::ranges::sort(files);
  return files;
}

int LargestChannelDifference(const DecodedBmp& a, const DecodedBmp& b) {
  int largest = 0;
  for (std::size_t i = 0; i < a.pixels.size(); ++i) {
    for (int shift : {0, 8, 16}) {
      const int d = static_cast<int>((a.pixels[i] >> shift) & 0xFF) -
                    static_cast<int>((b.pixels[i] >> shift) & 0xFF);
      largest = std::max(largest, std::abs(d));
    }
  }
  return largest;
}

TEST(BmpSuite, EveryGoodFileLoads) {
  if (CorpusMissing()) GTEST_SKIP() << Missing();
  for (const fs::path& path : FilesIn("g")) {
    DecodedBmp out;
    EXPECT_EQ(DecodeFile(path, out), BmpResult::Ok) << path;
  }
}

// Checked by eye once: each band starts in its pure colour on the top row,
// the bottom-left corner is black, and the word's outline is white.
TEST(BmpSuite, TheReferencePictureIsUprightWithItsColours) {
  if (CorpusMissing()) GTEST_SKIP() << Missing();
  const DecodedBmp picture = Good("rgb24.bmp");
  ASSERT_EQ(picture.width, 127);
  ASSERT_EQ(picture.height, 64);
  auto at = [&](int x, int y) { return picture.pixels[y * 127 + x]; };
  EXPECT_EQ(at(0, 0), 0xFF0000u);
  EXPECT_EQ(at(32, 0), 0x00FF00u);
  EXPECT_EQ(at(64, 0), 0x0000FFu);
  EXPECT_EQ(at(0, 63), 0x000000u);
  EXPECT_EQ(at(40, 32), 0xFFFFFFu);
}

// The same picture stored in other ways decodes to the same pixels: exactly
// where no colour was lost, within the rounding of a 5-bit channel otherwise.
TEST(BmpSuite, EveryFormOfOnePictureGivesTheSamePixels) {
  if (CorpusMissing()) GTEST_SKIP() << Missing();
  struct Group {
    const char* reference;
    std::vector<const char*> others;
    int tolerance;
  };
  const Group groups[] = {
      {"rgb24.bmp", {"rgb24pal.bmp", "rgb32.bmp", "rgb32bf.bmp", "rgb32bfdef.bmp"}, 0},
      {"rgb24.bmp", {"rgb16.bmp", "rgb16bfdef.bmp", "rgb16-565.bmp", "rgb16-565pal.bmp"}, 4},
      {"pal8.bmp",
       {"pal8-0.bmp", "pal8os2.bmp", "pal8rle.bmp", "pal8topdown.bmp", "pal8v4.bmp", "pal8v5.bmp"},
       0},
      {"pal4.bmp", {"pal4rle.bmp"}, 0},
      {"pal1.bmp", {"pal1wb.bmp"}, 0},
  };
  for (const Group& group : groups) {
    const DecodedBmp reference = Good(group.reference);
    for (const char* other : group.others) {
      const DecodedBmp picture = Good(other);
      ASSERT_EQ(picture.pixels.size(), reference.pixels.size()) << other;
      EXPECT_LE(LargestChannelDifference(picture, reference), group.tolerance) << other;
    }
  }
}

TEST(BmpSuite, QuestionableFilesLoadWholeOrAreRefused) {
  if (CorpusMissing()) GTEST_SKIP() << Missing();
  for (const fs::path& path : FilesIn("q")) {
    DecodedBmp out;
    if (DecodeFile(path, out) == BmpResult::Ok) {
      EXPECT_EQ(out.pixels.size(), static_cast<std::size_t>(out.width) * out.height) << path;
    } else {
      EXPECT_TRUE(out.pixels.empty()) << path;
    }
  }
}

TEST(BmpSuite, EveryBadFileIsRefused) {
  if (CorpusMissing()) GTEST_SKIP() << Missing();
  for (const fs::path& path : FilesIn("b")) {
    DecodedBmp out;
    EXPECT_NE(DecodeFile(path, out), BmpResult::Ok) << path;
    EXPECT_EQ(LoadImageW(nullptr, path.u16string().c_str(), IMAGE_BITMAP, 0, 0,
                         LR_LOADFROMFILE | LR_CREATEDIBSECTION),
              nullptr)
        << path;
  }
}

TEST(BmpSuite, LoadImageReadsAGoodFile) {
  if (CorpusMissing()) GTEST_SKIP() << Missing();
  HANDLE bitmap = LoadImageW(nullptr, (Corpus() / "g" / "pal8rle.bmp").u16string().c_str(),
                             IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
  ASSERT_NE(bitmap, nullptr);
  BITMAP info{};
  GetObjectW(bitmap, sizeof info, &info);
  EXPECT_EQ(info.bmWidth, 127);
  EXPECT_EQ(info.bmHeight, 64);
  EXPECT_NE(info.bmBits, nullptr);
  EXPECT_TRUE(DeleteObject(bitmap));
}

}  // namespace
