// Icon images as the executable and icon files keep them: decoding every
// depth, refusing damaged data, choosing among a group's images, and the
// 16-colour icon file writer read back through the decoder.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

#include "platform/api/kernel.h"
#include "platform/api/user.h"
#include "platform/gdi/ico_writer.h"
#include "platform/gdi/icon_format.h"
#include "platform/kernel/resources.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put(Bytes& b, std::uint32_t v, int n) {
  for (int i = 0; i < n; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// An icon image of `bits` depth: `values` are palette indices (up to 8 bits)
// or 0xAARRGGBB colours, top-down; `masked` marks the transparent pixels.
Bytes MakeImage(int width, int height, int bits, const std::vector<std::uint32_t>& palette,
                const std::vector<std::uint32_t>& values, const std::vector<bool>& masked) {
  Bytes b;
  Put(b, 40, 4);
  Put(b, static_cast<std::uint32_t>(width), 4);
  Put(b, static_cast<std::uint32_t>(2 * height), 4);
  Put(b, 1, 2);
  Put(b, static_cast<std::uint32_t>(bits), 2);
  for (int i = 0; i < 3; ++i) Put(b, 0, 4);
  Put(b, 0, 4);
  Put(b, static_cast<std::uint32_t>(palette.size()), 4);
  Put(b, 0, 4);
  for (std::uint32_t c : palette) Put(b, c, 4);
  const std::size_t stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
  const std::size_t maskStride = (static_cast<std::size_t>(width) + 31) / 32 * 4;
  for (int y = height - 1; y >= 0; --y) {
    Bytes row(stride, 0);
    for (int x = 0; x < width; ++x) {
      const std::uint32_t v = values[static_cast<std::size_t>(y) * width + x];
      if (bits >= 24) {
        for (int k = 0; k < bits / 8; ++k) row[x * (bits / 8) + k] = static_cast<std::uint8_t>(v >> (8 * k));
      } else {
        const std::size_t bit = static_cast<std::size_t>(x) * bits;
        row[bit / 8] |= static_cast<std::uint8_t>(v << (8 - bits - bit % 8));
      }
    }
    b.insert(b.end(), row.begin(), row.end());
  }
  for (int y = height - 1; y >= 0; --y) {
    Bytes row(maskStride, 0);
    for (int x = 0; x < width; ++x) {
      if (masked[static_cast<std::size_t>(y) * width + x]) row[x / 8] |= 0x80 >> (x % 8);
    }
    b.insert(b.end(), row.begin(), row.end());
  }
  return b;
}

// 3 × 2: an odd width, so that every depth pads its rows.
const std::vector<bool> kMask{false, true, false, false, false, true};

TEST(IconImage, EveryDepthDecodesTopDownWithItsMask) {
  const std::vector<std::uint32_t> palette{0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
  const std::vector<std::uint32_t> indices{1, 0, 2, 3, 1, 0};
  const std::vector<std::uint32_t> expected{0xFFFF0000, 0, 0xFF00FF00, 0xFF0000FF, 0xFFFF0000, 0};
  struct Case {
    int bits;
    Bytes image;
  } cases[] = {
      {1, MakeImage(3, 2, 1, {0x000000, 0xFF0000}, {1, 0, 0, 0, 1, 0}, kMask)},
      {4, MakeImage(3, 2, 4, palette, indices, kMask)},
      {8, MakeImage(3, 2, 8, palette, indices, kMask)},
      {24, MakeImage(3, 2, 24, {}, {0xFF0000, 0, 0x00FF00, 0x0000FF, 0xFF0000, 0}, kMask)},
  };
  for (const Case& c : cases) {
    gdi::IconImage image;
    ASSERT_EQ(gdi::DecodeIconImage(c.image, image), gdi::IconImageResult::Ok) << c.bits;
    EXPECT_EQ(image.width, 3);
    EXPECT_EQ(image.height, 2);
    if (c.bits == 1) {
      EXPECT_EQ(image.argb, (std::vector<std::uint32_t>{0xFFFF0000, 0, 0xFF000000, 0xFF000000,
                                                        0xFFFF0000, 0}));
    } else {
      EXPECT_EQ(image.argb, expected) << c.bits;
    }
  }
}

TEST(IconImage, ThirtyTwoBitsUseTheirOwnAlpha_OrTheMaskWhenTheyHaveNone) {
  const std::vector<std::uint32_t> withAlpha{0x80FF0000, 0x00000000, 0xFF00FF00,
                                             0xFF0000FF, 0x40FFFFFF, 0xFF000000};
  gdi::IconImage image;
  ASSERT_EQ(gdi::DecodeIconImage(MakeImage(3, 2, 32, {}, withAlpha, kMask), image),
            gdi::IconImageResult::Ok);
  EXPECT_EQ(image.argb, withAlpha);  // the mask would hide pixel 5; its alpha wins
  const std::vector<std::uint32_t> noAlpha{0xFF0000, 0x123456, 0x00FF00, 0x0000FF, 1, 2};
  ASSERT_EQ(gdi::DecodeIconImage(MakeImage(3, 2, 32, {}, noAlpha, kMask), image),
            gdi::IconImageResult::Ok);
  EXPECT_EQ(image.argb,
            (std::vector<std::uint32_t>{0xFFFF0000, 0, 0xFF00FF00, 0xFF0000FF, 0xFF000001, 0}));
}

TEST(IconImage, DamagedImagesAreRefusedWithTheirReason) {
  const Bytes good = MakeImage(3, 2, 4, std::vector<std::uint32_t>(16, 0xFFFFFF),
                               {1, 0, 2, 3, 1, 0}, kMask);
  auto with = [&](std::size_t at, std::uint32_t value, int bytes) {
    Bytes b = good;
    for (int i = 0; i < bytes; ++i) b[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    return b;
  };
  auto cut = [&](std::size_t size) { return Bytes(good.begin(), good.begin() + size); };
  const std::size_t colours = 40 + 16 * 4, mask = colours + 2 * 4;
  using R = gdi::IconImageResult;
  struct Case {
    const char* what;
    Bytes bytes;
    R result;
  } cases[] = {
      {"nothing", {}, R::Truncated},
      {"truncated header", cut(20), R::Truncated},
      {"header size below 40", with(0, 12, 4), R::Malformed},
      {"header size past the end", with(0, 0xFFFFFFFF, 4), R::Truncated},
      {"height not doubled", with(8, 3, 4), R::Malformed},
      {"height zero", with(8, 0, 4), R::Malformed},
      {"width negative", with(4, 0xFFFFFFFD, 4), R::Malformed},
      {"two planes", with(12, 2, 2), R::Malformed},
      {"more colours than the depth holds", with(32, 17, 4), R::Malformed},
      {"palette past the end", cut(40 + 10 * 4), R::Truncated},
      {"colour bits cut short", cut(colours + 4), R::Truncated},
      {"mask missing", cut(mask), R::Truncated},
      {"mask cut short", cut(good.size() - 1), R::Truncated},
      {"absurd width", with(4, 100000, 4), R::TooLarge},
      {"absurd height", with(8, 0x7FFFFFFE, 4), R::TooLarge},
      {"compressed", with(16, 2, 4), R::Unsupported},
      {"16 bits a pixel", with(14, 16, 2), R::Unsupported},
      {"a PNG", Bytes{0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 13, 'I', 'H', 'D', 'R',
                      0,    0,   0,   32, 0,  0,  0,  32, 8, 6, 0, 0,  0,   0,   0,   0,
                      0,    0,   0,   0,  0,  0,  0,  0},
       R::Unsupported},
  };
  for (const Case& c : cases) {
    gdi::IconImage image;
    image.width = 7;
    EXPECT_EQ(gdi::DecodeIconImage(c.bytes, image), c.result) << c.what;
    EXPECT_EQ(image.width, 7) << c.what << ": a refused image leaves the result alone";
  }
}

Bytes Group(std::initializer_list<std::array<int, 3>> entries) {  // width, bits, id
  Bytes b;
  Put(b, 0, 2);
  Put(b, 1, 2);
  Put(b, static_cast<std::uint32_t>(entries.size()), 2);
  for (const auto& e : entries) {
    b.push_back(static_cast<std::uint8_t>(e[0]));
    b.push_back(static_cast<std::uint8_t>(e[0]));
    b.push_back(0);
    b.push_back(0);
    Put(b, 1, 2);
    Put(b, static_cast<std::uint32_t>(e[1]), 2);
    Put(b, 0, 4);
    Put(b, static_cast<std::uint32_t>(e[2]), 2);
  }
  return b;
}

TEST(IconGroup, ChoosesTheNearestSize_ThenTheLarger_ThenTheDeeper) {
  std::vector<gdi::IconGroupEntry> entries;
  ASSERT_TRUE(gdi::ParseIconGroup(Group({{16, 4, 1}, {32, 4, 2}, {32, 8, 3}, {0, 32, 4}}), entries));
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[3].width, 256);  // a 0 byte is 256
  struct Case {
    int size;
    std::uint16_t id;
  } cases[] = {{32, 3}, {16, 1}, {24, 3}, {20, 1}, {200, 4}, {1, 1}};
  for (const Case& c : cases) {
    EXPECT_EQ(entries[gdi::ChooseIconEntry(entries, c.size, c.size)].id, c.id) << c.size;
  }
  Bytes cut = Group({{16, 4, 1}, {32, 4, 2}});
  cut.pop_back();
  Bytes cursor = Group({{16, 4, 1}});
  cursor[2] = 2;
  for (const Bytes& bad : {cut, cursor, Group({}), Bytes{0, 0, 1}}) {
    EXPECT_FALSE(gdi::ParseIconGroup(bad, entries));
  }
}

TEST(IconGroup, LoadIconRefusesADamagedGroupOrImage_AndNamesAMissingImage) {
  static const Bytes goodImage = MakeImage(3, 2, 4, {0, 0xFFFFFF}, {1, 0, 1, 0, 1, 0}, kMask);
  static const Bytes badImage(goodImage.begin(), goodImage.end() - 1);
  static const Bytes toBad = Group({{32, 4, 2}});
  static const Bytes toMissing = Group({{32, 4, 9}});
  static const Bytes notAGroup{1, 2, 3};
  static const kernel::EmbeddedResource table[] = {
      {u"", 3, 2, badImage},       {u"", 14, 10, toBad},
      {u"", 14, 11, toMissing},    {u"", 14, 12, notAGroup},
  };
  kernel::RegisterResources(table);
  HINSTANCE self = GetModuleHandleW(nullptr);
  struct Case {
    int group;
    DWORD error;
  } cases[] = {{10, ERROR_INVALID_DATA},
               {11, ERROR_RESOURCE_NAME_NOT_FOUND},
               {12, ERROR_INVALID_DATA},
               {13, ERROR_RESOURCE_NAME_NOT_FOUND}};
  for (const Case& c : cases) {
    SetLastError(0);
    EXPECT_EQ(LoadIconW(self, MAKEINTRESOURCEW(c.group)), nullptr) << c.group;
    EXPECT_EQ(GetLastError(), c.error) << c.group;
    EXPECT_EQ(LoadImageW(self, MAKEINTRESOURCEW(c.group), IMAGE_ICON, 16, 16, 0), nullptr);
  }
  kernel::ClearResources();
  SetLastError(0);
  EXPECT_EQ(LoadIconW(self, MAKEINTRESOURCEW(10)), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_RESOURCE_TYPE_NOT_FOUND);  // no icon group at all
}

TEST(IcoWriter, WritesSixteenColourImagesThatDecodeBackWithTheirMask) {
  gdi::IconImage small{2, 2, {0xFF800000, 0x00123456, 0xFF7F0202, 0xFFFEFEFE}};
  gdi::IconImage odd{5, 1, {0xFF00FFFF, 0xFF000000, 0x10FFFFFF, 0xFFC0C0C0, 0xFF0000FF}};
  const std::vector<gdi::IconImage> images{small, odd};
  const Bytes file = gdi::EncodeIco16(images);
  ASSERT_GE(file.size(), 6u + 2 * 16);
  ASSERT_EQ(file[4], 2);
  // Colours off the palette come out as the nearest of the 16.
  const std::vector<std::vector<std::uint32_t>> expected{
      {0xFF800000, 0, 0xFF800000, 0xFFFFFFFF},
      {0xFF00FFFF, 0xFF000000, 0, 0xFFC0C0C0, 0xFF0000FF}};
  for (std::size_t i = 0; i < 2; ++i) {
    const std::uint8_t* entry = file.data() + 6 + 16 * i;
    EXPECT_EQ(entry[0], images[i].width);
    EXPECT_EQ(entry[2], 16);
    std::uint32_t size = 0, offset = 0;
    std::memcpy(&size, entry + 8, 4);
    std::memcpy(&offset, entry + 12, 4);
    ASSERT_LE(std::size_t{offset} + size, file.size());
    gdi::IconImage back;
    ASSERT_EQ(gdi::DecodeIconImage({file.data() + offset, size}, back), gdi::IconImageResult::Ok);
    EXPECT_EQ(back.argb, expected[i]) << i;
  }
  gdi::IconImage tooLarge{257, 1, std::vector<std::uint32_t>(257)};
  gdi::IconImage short_{2, 2, {0, 0, 0}};
  for (const gdi::IconImage& bad : {tooLarge, short_, gdi::IconImage{}}) {
    EXPECT_TRUE(gdi::EncodeIco16(std::vector<gdi::IconImage>{bad}).empty());
  }
}

}  // namespace
