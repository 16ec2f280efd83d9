#include <cstring>
#include <gtest/gtest.h>

#include "platform/api/kernel.h"
#include "platform/host/headless/headless.h"

namespace {

std::uint64_t Units(const FILETIME& f) {
  return (static_cast<std::uint64_t>(f.dwHighDateTime) << 32) | f.dwLowDateTime;
}

FILETIME FromUnits(std::uint64_t u) {
  return FILETIME{static_cast<DWORD>(u), static_cast<DWORD>(u >> 32)};
}

SYSTEMTIME Date(WORD y, WORD mo, WORD d, WORD h = 0, WORD mi = 0, WORD s = 0, WORD ms = 0) {
  return SYSTEMTIME{y, mo, 0, d, h, mi, s, ms};
}

struct InvalidCase {
  const char* name;
  SYSTEMTIME time;
};

class SystemTimeToFileTimeRejects : public ::testing::TestWithParam<InvalidCase> {};

TEST_P(SystemTimeToFileTimeRejects, EveryFieldOutOfRange) {
  FILETIME out{123, 456};
  SetLastError(0);
  EXPECT_FALSE(SystemTimeToFileTime(&GetParam().time, &out));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, SystemTimeToFileTimeRejects,
    ::testing::Values(InvalidCase{"Year1600", Date(1600, 12, 31)},
                      InvalidCase{"Year30828", Date(30828, 1, 1)},
                      InvalidCase{"Month0", Date(2024, 0, 1)},
                      InvalidCase{"Month13", Date(2024, 13, 1)},
                      InvalidCase{"Day0", Date(2024, 1, 0)},
                      InvalidCase{"April31", Date(2024, 4, 31)},
                      InvalidCase{"Feb29In1900", Date(1900, 2, 29)},
                      InvalidCase{"Feb29In2023", Date(2023, 2, 29)},
                      InvalidCase{"Feb30In2024", Date(2024, 2, 30)},
                      InvalidCase{"Hour24", Date(2024, 1, 1, 24)},
                      InvalidCase{"Minute60", Date(2024, 1, 1, 0, 60)},
                      InvalidCase{"Second60", Date(2024, 1, 1, 0, 0, 60)},
                      InvalidCase{"Millisecond1000", Date(2024, 1, 1, 0, 0, 0, 1000)}),
    [](const auto& info) { return info.param.name; });

struct KnownDate {
  SYSTEMTIME time;
  std::uint64_t units;
  WORD dayOfWeek;
};

TEST(FileTime, KnownDatesConvertBothWaysWithTheDayOfTheWeek) {
  const KnownDate cases[] = {
      {Date(1601, 1, 1), 0, 1},
      {Date(1970, 1, 1), 116444736000000000ull, 4},
      {Date(1900, 1, 1), 94354848000000000ull, 1},
      {Date(2000, 2, 29, 12, 0, 0, 1), 125962992000010000ull, 2},
      {Date(2026, 12, 11, 23, 59, 59, 999), 0, 5},
      {Date(30827, 12, 31, 23, 59, 59, 999), 0, 5},  // the weekday of 2027-12-31: 400 years are whole weeks
  };
  for (const KnownDate& c : cases) {
    FILETIME file{};
    ASSERT_TRUE(SystemTimeToFileTime(&c.time, &file)) << c.time.wYear;
    if (c.units != 0 || c.time.wYear == 1601) {
      EXPECT_EQ(Units(file), c.units) << c.time.wYear;
    }
    SYSTEMTIME back{};
    ASSERT_TRUE(FileTimeToSystemTime(&file, &back));
    SYSTEMTIME expected = c.time;
    expected.wDayOfWeek = c.dayOfWeek;
    EXPECT_EQ(std::memcmp(&back, &expected, sizeof back), 0) << c.time.wYear;
  }
}

TEST(FileTime, ConversionBackRejectsValuesWithTheTopBitSet) {
  SYSTEMTIME out{};
  FILETIME largest = FromUnits(0x7FFFFFFFFFFFFFFFull);
  EXPECT_TRUE(FileTimeToSystemTime(&largest, &out));
  EXPECT_EQ(out.wYear, 30828);
  FILETIME tooLarge = FromUnits(0x8000000000000000ull);
  EXPECT_FALSE(FileTimeToSystemTime(&tooLarge, &out));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(FileTime, CompareOrdersByTheWhole64BitValue) {
  const FILETIME low = FromUnits(0xFFFFFFFFull), high = FromUnits(0x100000000ull);
  EXPECT_EQ(CompareFileTime(&low, &high), -1);
  EXPECT_EQ(CompareFileTime(&high, &low), 1);
  EXPECT_EQ(CompareFileTime(&low, &low), 0);
}

TEST(LocalTime, FollowsTheVirtualClockOnly) {
  auto& host = host::headless::Instance();
  host.SetNow(host::LocalTime{2024, 12, 2, 31, 23, 59, 59, 250});
  SYSTEMTIME t{};
  GetLocalTime(&t);
  EXPECT_EQ(t.wYear, 2024);
  EXPECT_EQ(t.wSecond, 59);
  EXPECT_EQ(t.wMilliseconds, 250);
  GetLocalTime(&t);
  EXPECT_EQ(t.wMilliseconds, 250);  // nothing moved it

  const ULONGLONG ticks = GetTickCount64();
  host.Advance(750);
  GetLocalTime(&t);
  EXPECT_EQ(t.wYear, 2025);
  EXPECT_EQ(t.wMonth, 1);
  EXPECT_EQ(t.wDay, 1);
  EXPECT_EQ(t.wDayOfWeek, 3);  // a Wednesday
  EXPECT_EQ(t.wHour, 0);
  EXPECT_EQ(t.wMilliseconds, 0);
  EXPECT_EQ(GetTickCount64(), ticks + 750);

  host.Advance(-1);  // the clock set back: local time goes back, ticks do not
  GetLocalTime(&t);
  EXPECT_EQ(t.wYear, 2024);
  EXPECT_EQ(t.wMilliseconds, 999);
  EXPECT_EQ(GetTickCount64(), ticks + 750);
}

TEST(LastError, IsWhatWasLastSet) {
  SetLastError(1234);
  EXPECT_EQ(GetLastError(), 1234u);
  SetLastError(0);
  EXPECT_EQ(GetLastError(), 0u);
}

TEST(Module, TheExecutableHasOneStableHandle) {
  HMODULE module = GetModuleHandleW(nullptr);
  EXPECT_NE(module, nullptr);
  EXPECT_EQ(module, GetModuleHandleW(nullptr));
  EXPECT_EQ(GetModuleHandleW(u"other.dll"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
}

}  // namespace
