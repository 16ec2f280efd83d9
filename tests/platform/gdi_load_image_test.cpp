#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <unistd.h>

#include "platform/api/gdi.h"
#include "platform/api/kernel.h"
#include "platform/api/user.h"
#include "platform/crt/faults.h"
#include "platform/gdi/objects.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/bmp_samples.h"
#include "tests/support/temp_folder.h"

namespace {

using testing_support::TempFolder;
using testing_support::WriteBytes;

constexpr UINT kFromFileAsDib = LR_LOADFROMFILE | LR_CREATEDIBSECTION;

// The program's form of a path: UTF-16 with "\" between names.
std::u16string ProgramPath(const std::string& systemPath) {
  std::u16string wide(systemPath.begin(), systemPath.end());
  for (char16_t& c : wide) {
    if (c == u'/') c = u'\\';
  }
  return wide;
}

HANDLE Load(const std::string& path, UINT flags = kFromFileAsDib, int width = 0, int height = 0) {
  return LoadImageW(nullptr, ProgramPath(path).c_str(), IMAGE_BITMAP, width, height, flags);
}

BITMAP Info(HANDLE bitmap) {
  BITMAP info{};
  EXPECT_EQ(GetObjectW(bitmap, sizeof info, &info), static_cast<int>(sizeof info));
  return info;
}

const std::vector<std::uint32_t>& Pixels(HANDLE bitmap) {
  return gdi::LookupBitmap(static_cast<HBITMAP>(bitmap))->pixels;
}

TEST(LoadImage, LoadsAFileAtItsOwnSizeAsADibSectionOrAPlainBitmap) {
  TempFolder folder;
  const testing_support::ValidBmp sample = testing_support::bmp_sample::Rgb24();
  WriteBytes(folder / "picture.bmp", sample.file);
  const std::size_t before = gdi::LiveObjectCount();

  HANDLE dib = Load(folder / "picture.bmp");
  ASSERT_NE(dib, nullptr);
  const BITMAP info = Info(dib);
  EXPECT_EQ(info.bmWidth, 3);
  EXPECT_EQ(info.bmHeight, 2);
  EXPECT_EQ(info.bmBitsPixel, 32);
  EXPECT_EQ(info.bmWidthBytes, 12);
  EXPECT_EQ(info.bmBits, Pixels(dib).data());
  EXPECT_EQ(Pixels(dib), sample.pixels);

  HANDLE plain = Load(folder / "picture.bmp", LR_LOADFROMFILE);
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(Info(plain).bmBits, nullptr);
  EXPECT_EQ(Pixels(plain), sample.pixels);

  EXPECT_EQ(gdi::LiveObjectCount(), before + 2);
  EXPECT_TRUE(DeleteObject(dib));
  EXPECT_TRUE(DeleteObject(plain));
  EXPECT_EQ(gdi::LiveObjectCount(), before);
}

TEST(LoadImage, StretchesToARequestedSizeByTheNearestPixel) {
  TempFolder folder;
  WriteBytes(folder / "picture.bmp", testing_support::bmp_sample::Rgb24().file);
  using testing_support::bmp_sample::kBlue, testing_support::bmp_sample::kGreen,
      testing_support::bmp_sample::kRed;
  constexpr std::uint32_t a = 0x010203, b = 0x040506, c = 0x070809;

  HANDLE wide = Load(folder / "picture.bmp", kFromFileAsDib, 6, 3);
  ASSERT_NE(wide, nullptr);
  EXPECT_EQ(Info(wide).bmWidth, 6);
  EXPECT_EQ(Info(wide).bmHeight, 3);
  EXPECT_EQ(Pixels(wide),
            (std::vector<std::uint32_t>{kRed, kRed, kGreen, kGreen, kBlue, kBlue, kRed, kRed,
                                        kGreen, kGreen, kBlue, kBlue, a, a, b, b, c, c}));
  // A zero keeps that side's own size.
  HANDLE narrow = Load(folder / "picture.bmp", kFromFileAsDib, 2, 0);
  ASSERT_NE(narrow, nullptr);
  EXPECT_EQ(Pixels(narrow), (std::vector<std::uint32_t>{kRed, kGreen, a, b}));
  EXPECT_TRUE(DeleteObject(wide));
  EXPECT_TRUE(DeleteObject(narrow));
}

struct Failure {
  const char* name;
  std::function<HANDLE(const TempFolder&)> load;
  DWORD error;
};

HANDLE LoadWritten(const TempFolder& folder, const std::string& bytes) {
  WriteBytes(folder / "picture.bmp", bytes);
  return Load(folder / "picture.bmp");
}

TEST(LoadImage, FailsWithNullAndTheReasonAsLastError) {
  using testing_support::bmp_sample::With32;
  const std::string good = testing_support::bmp_sample::Rgb24().file;
  const Failure failures[] = {
      {"missing file", [](const TempFolder& f) { return Load(f / "none.bmp"); },
       ERROR_FILE_NOT_FOUND},
      {"missing folder", [](const TempFolder& f) { return Load(f / "none/picture.bmp"); },
       ERROR_PATH_NOT_FOUND},
      {"a folder", [](const TempFolder& f) { return Load(f.path()); }, ERROR_ACCESS_DENIED},
      {"broken file", [&](const TempFolder& f) { return LoadWritten(f, good.substr(0, 60)); },
       ERROR_INVALID_DATA},
      {"not a bitmap", [](const TempFolder& f) { return LoadWritten(f, "hello"); },
       ERROR_INVALID_DATA},
      {"picture too large",
       [&](const TempFolder& f) { return LoadWritten(f, With32(good, 18, 20000)); },
       ERROR_NOT_ENOUGH_MEMORY},
      {"requested size too large",
       [&](const TempFolder& f) {
         WriteBytes(f / "picture.bmp", good);
         return Load(f / "picture.bmp", kFromFileAsDib, 20000, 1);
       },
       ERROR_NOT_ENOUGH_MEMORY},
      {"file too large to read",
       [](const TempFolder& f) {
         WriteBytes(f / "huge.bmp", "BM");
         EXPECT_EQ(truncate((f / "huge.bmp").c_str(), off_t{300} << 20), 0);
         return Load(f / "huge.bmp");
       },
       ERROR_NOT_ENOUGH_MEMORY},
      // The machine without room for the file's bytes, the pixels, the stretched copy.
      {"no room for the file",
       [&](const TempFolder& f) {
         crt::faults::FailAllocationNumber(1);
         return LoadWritten(f, good);
       },
       ERROR_NOT_ENOUGH_MEMORY},
      {"no room for the pixels",
       [&](const TempFolder& f) {
         crt::faults::FailAllocationNumber(2);
         return LoadWritten(f, good);
       },
       ERROR_NOT_ENOUGH_MEMORY},
      {"no room for the stretched copy",
       [&](const TempFolder& f) {
         WriteBytes(f / "picture.bmp", good);
         crt::faults::FailAllocationNumber(3);
         return Load(f / "picture.bmp", kFromFileAsDib, 6, 3);
       },
       ERROR_NOT_ENOUGH_MEMORY},
      {"negative size",
       [&](const TempFolder& f) {
         WriteBytes(f / "picture.bmp", good);
         return Load(f / "picture.bmp", kFromFileAsDib, -1, 0);
       },
       ERROR_INVALID_PARAMETER},
      {"no name",
       [](const TempFolder&) {
         return LoadImageW(nullptr, nullptr, IMAGE_BITMAP, 0, 0, kFromFileAsDib);
       },
       ERROR_INVALID_PARAMETER},
      {"a bitmap resource",
       [](const TempFolder&) {
         return LoadImageW(nullptr, u"PICTURE", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
       },
       ERROR_RESOURCE_TYPE_NOT_FOUND},
      {"an icon file",
       [](const TempFolder& f) {
         return LoadImageW(nullptr, ProgramPath(f / "a.ico").c_str(), IMAGE_ICON, 0, 0,
                           LR_LOADFROMFILE);
       },
       ERROR_RESOURCE_TYPE_NOT_FOUND},
  };
  for (const Failure& failure : failures) {
    TempFolder folder;
    const std::size_t before = gdi::LiveObjectCount();
    SetLastError(0);
    EXPECT_EQ(failure.load(folder), nullptr) << failure.name;
    EXPECT_EQ(GetLastError(), failure.error) << failure.name;
    EXPECT_EQ(gdi::LiveObjectCount(), before) << failure.name;
    crt::faults::Reset();
  }
}

}  // namespace
