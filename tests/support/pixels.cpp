#include "tests/support/pixels.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/gdi/bmp_writer.h"

namespace testing_support {
namespace {

std::string Hex(std::uint32_t pixel) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%06X", pixel);
  return text;
}

std::string OutputFolder() {
  if (const char* folder = std::getenv("TEST_UNDECLARED_OUTPUTS_DIR"); folder && *folder) {
    return folder;
  }
  return std::filesystem::temp_directory_path().string();
}

// Writes both pictures and says where they went.
std::string LeaveBehind(const gdi::Bitmap& actual, const gdi::Bitmap& expected) {
  static int failures = 0;
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name =
      test != nullptr ? std::string(test->test_suite_name()) + "." + test->name() : "pixels";
  std::replace(name.begin(), name.end(), '/', '_');  // parameterised tests have slashes
  const std::string stem = OutputFolder() + "/" + name + "-" + std::to_string(++failures);
  const std::string actualPath = stem + "-actual.bmp", expectedPath = stem + "-expected.bmp";
  const bool written =
      gdi::WriteBmpFile(actualPath, actual, 24) && gdi::WriteBmpFile(expectedPath, expected, 24);
  return written ? "; pictures: " + actualPath + " and " + expectedPath
                 : "; the pictures could not be written";
}

}  // namespace

gdi::Bitmap Picture(int width, int height, std::uint32_t fill, bool monochrome) {
  gdi::Bitmap picture;
  picture.width = width;
  picture.height = height;
  picture.bitsPerPixel = monochrome ? 1 : 32;
  picture.pixels.assign(static_cast<std::size_t>(width) * height, fill);
  return picture;
}

gdi::Bitmap Snapshot(const gdi::Bitmap& bitmap) {
  gdi::Bitmap picture = Picture(bitmap.width, bitmap.height, 0, bitmap.Monochrome());
  picture.pixels = bitmap.pixels;
  return picture;
}

void Paint(gdi::Bitmap& picture, const RECT& area, std::uint32_t pixel) {
  for (LONG y = std::max<LONG>(area.top, 0); y < std::min<LONG>(area.bottom, picture.height); ++y) {
    for (LONG x = std::max<LONG>(area.left, 0); x < std::min<LONG>(area.right, picture.width);
         ++x) {
      picture.Row(y)[x] = pixel;
    }
  }
}

gdi::Bitmap& PixelsOf(HBITMAP bitmap) {
  gdi::Bitmap* found = gdi::LookupBitmap(bitmap);
  if (found == nullptr) {
    ADD_FAILURE() << "not a bitmap handle";
    std::fflush(stdout);
    std::abort();
  }
  return *found;
}

gdi::Bitmap& PixelsOf(HDC dc) {
  gdi::DeviceContext* found = gdi::LookupDc(dc);
  if (found == nullptr || found->target == nullptr) {
    ADD_FAILURE() << "not a context with a target";
    std::fflush(stdout);
    std::abort();
  }
  return *found->target;
}

Canvas::Canvas(int width, int height, std::uint32_t fill, int bitsPerPixel)
    : dc_(CreateCompatibleDC(nullptr)),
      bitmap_(CreateBitmap(width, height, 1, static_cast<UINT>(bitsPerPixel), nullptr)),
      previous_(SelectObject(dc_, bitmap_)) {
  std::fill(pixels().pixels.begin(), pixels().pixels.end(), fill);
}

Canvas::~Canvas() {
  SelectObject(dc_, previous_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

::testing::AssertionResult SamePixels(const gdi::Bitmap& actual, const gdi::Bitmap& expected) {
  return SamePixels(actual, expected, RECT{0, 0, expected.width, expected.height});
}

::testing::AssertionResult SamePixels(const gdi::Bitmap& actual, const gdi::Bitmap& expected,
                                      const RECT& area) {
  if (actual.width != expected.width || actual.height != expected.height) {
    return ::testing::AssertionFailure()
           << "size " << actual.width << " x " << actual.height << ", expected " << expected.width
           << " x " << expected.height << LeaveBehind(actual, expected);
  }
  int differing = 0, firstX = 0, firstY = 0;
  for (LONG y = std::max<LONG>(area.top, 0); y < std::min<LONG>(area.bottom, actual.height); ++y) {
    for (LONG x = std::max<LONG>(area.left, 0); x < std::min<LONG>(area.right, actual.width); ++x) {
      if (actual.Row(y)[x] == expected.Row(y)[x]) continue;
      if (differing++ == 0) firstX = x, firstY = y;
    }
  }
  if (differing == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << differing << " pixel(s) differ, the first at (" << firstX << ", " << firstY
         << "): expected " << Hex(expected.Row(firstY)[firstX]) << ", actual "
         << Hex(actual.Row(firstY)[firstX]) << LeaveBehind(actual, expected);
}

}  // namespace testing_support
