// How much memory LoadImageW takes for a bitmap file, whatever the file says
// about itself, and what it does when the machine has not got it.
#include <gtest/gtest.h>

#include <string>
#include <sys/resource.h>
#include <unistd.h>

#include "platform/api/gdi.h"
#include "platform/api/kernel.h"
#include "platform/api/user.h"
#include "platform/gdi/objects.h"
#include "tests/support/allocation_meter.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/temp_folder.h"

namespace {

using testing_support::TempFolder;

constexpr std::size_t kMiB = std::size_t{1} << 20;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kUnderAddressSanitizer = true;
#else
constexpr bool kUnderAddressSanitizer = false;
#endif

HANDLE Load(const std::string& path, int width = 0, int height = 0) {
  const std::u16string wide(path.begin(), path.end());
  return LoadImageW(nullptr, wide.c_str(), IMAGE_BITMAP, width, height,
                    LR_LOADFROMFILE | LR_CREATEDIBSECTION);
}

// An 8-bit RLE picture of any claimed size whose data ends at once: every
// pixel takes palette entry 0. A file of about a hundred bytes.
std::string RleClaiming(std::int32_t width, std::int32_t height) {
  testing_support::BmpLayout layout = testing_support::Layout(width, height, 8, 1);
  layout.palette = {0x336699, 0xFFFFFF};
  layout.pixels = testing_support::Bytes({0, 1});
  return testing_support::BuildBmp(layout);
}

struct Case {
  const char* name;
  std::string file;
  int width = 0;  // the size asked of LoadImageW
  int height = 0;
  bool loads;
  std::size_t mostBytes;  // the most the load may hold at one time
};

// A picture at the bound (4096 × 2048, 32 MiB of pixels) loads holding its
// pixels once; anything larger, claimed by the file or asked for, is refused
// before anything large is made.
TEST(LoadImageMemory, ALoadHoldsAtMostOneCopyOfAPictureWithinTheBound) {
  const std::size_t picture = std::size_t{4096} * 2048 * 4;
  const Case cases[] = {
      {"a hundred bytes claiming 16384 x 16384", RleClaiming(16384, 16384), 0, 0, false, kMiB},
      {"a hundred bytes claiming 16384 x 513", RleClaiming(16384, 513), 0, 0, false, kMiB},
      {"a picture at the bound", RleClaiming(4096, 2048), 0, 0, true, picture + kMiB},
      {"a picture stretched past the bound", RleClaiming(2, 2), 16384, 16384, false, kMiB},
      {"a picture stretched to the bound", RleClaiming(2, 2), 2048, 4096, true, picture + kMiB},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    testing_support::WriteBytes(folder / "picture.bmp", c.file);
    const std::size_t before = gdi::LiveObjectCount();
    SetLastError(0);
    testing_support::ResetAllocationPeak();
    HANDLE bitmap = Load(folder / "picture.bmp", c.width, c.height);
    EXPECT_LE(testing_support::AllocationPeakAboveStart(), c.mostBytes) << c.name;
    EXPECT_EQ(bitmap != nullptr, c.loads) << c.name;
    if (bitmap == nullptr) {
      EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY)) << c.name;
    } else {
      EXPECT_EQ(gdi::LookupBitmap(static_cast<HBITMAP>(bitmap))->pixels.front(), 0x336699u)
          << c.name;
      EXPECT_TRUE(DeleteObject(bitmap));
    }
    EXPECT_EQ(gdi::LiveObjectCount(), before) << c.name;
  }
}

TEST(LoadImageMemory, AFileLargerThanTheLargestPictureIsRefusedUnread) {
  TempFolder folder;
  testing_support::WriteBytes(folder / "huge.bmp", RleClaiming(2, 2));
  ASSERT_EQ(truncate((folder / "huge.bmp").c_str(), off_t{40} << 20), 0);
  testing_support::ResetAllocationPeak();
  EXPECT_EQ(Load(folder / "huge.bmp"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
  EXPECT_LE(testing_support::AllocationPeakAboveStart(), kMiB);
}

// Loads `path` under an address-space limit a little above what the process
// holds already; status 0 when the load was refused with the error code.
void LoadWithoutRoom(const std::string& path) {
  long pages = 0;
  FILE* statm = fopen("/proc/self/statm", "r");
  if (statm == nullptr || fscanf(statm, "%ld", &pages) != 1) _exit(2);
  fclose(statm);
  const rlim_t size = static_cast<rlim_t>(pages) * static_cast<rlim_t>(getpagesize());
  rlimit limit{};
  limit.rlim_cur = limit.rlim_max = size + 16 * kMiB;
  if (setrlimit(RLIMIT_AS, &limit) != 0) _exit(3);
  HANDLE bitmap = Load(path);
  _exit(bitmap == nullptr && GetLastError() == ERROR_NOT_ENOUGH_MEMORY ? 0 : 1);
}

// On a machine without the room, a picture within the bound is refused with
// an error code instead of ending the program.
TEST(LoadImageMemory, WithoutRoomForThePixels_TheLoadIsRefusedAndTheProgramGoesOn) {
  if (kUnderAddressSanitizer) {
    GTEST_SKIP() << "the sanitizer's own reservations leave no address-space limit to set";
  }
  TempFolder folder;
  testing_support::WriteBytes(folder / "picture.bmp", RleClaiming(4096, 2048));
  EXPECT_EXIT(LoadWithoutRoom(folder / "picture.bmp"), testing::ExitedWithCode(0), "");
}

}  // namespace
