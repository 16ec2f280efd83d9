#include <gtest/gtest.h>

#include "framework/util/date_time.h"
#include "platform/host/headless/headless.h"

namespace {

using VexaUtility::DateTime;

DateTime At(WORD y, WORD mo, WORD d, WORD h, WORD mi, WORD s, WORD ms) {
  DateTime t;
  t.time = SYSTEMTIME{y, mo, 0, d, h, mi, s, ms};
  return t;
}

TEST(DateTime, DefaultIsMonday1900AndValid) {
  const DateTime unset;
  EXPECT_EQ(unset.time.wYear, 1900);
  EXPECT_EQ(unset.time.wMonth, 1);
  EXPECT_EQ(unset.time.wDay, 1);
  EXPECT_EQ(unset.time.wDayOfWeek, 1);
  EXPECT_EQ(unset.time.wHour + unset.time.wMinute + unset.time.wSecond + unset.time.wMilliseconds,
            0);
  EXPECT_FALSE(unset.invalid);
}

TEST(DateTime, DifferencesAreSignedMillisecondsTruncatedTowardZero) {
  const struct {
    DateTime from, to;
    std::int64_t ms;
    std::int32_t order;  // from.CompareTo(to)
  } cases[] = {
      {At(2024, 5, 1, 10, 0, 0, 0), At(2024, 5, 1, 10, 0, 1, 0), 1000, -1},
      {At(2024, 5, 1, 10, 0, 1, 0), At(2024, 5, 1, 10, 0, 0, 0), -1000, 1},
      {At(2024, 5, 1, 10, 0, 0, 0), At(2024, 5, 1, 10, 0, 0, 0), 0, 0},
      {At(2024, 12, 31, 23, 59, 59, 990), At(2025, 1, 1, 0, 0, 0, 5), 15, -1},
      {At(2024, 2, 28, 12, 0, 0, 0), At(2024, 3, 1, 12, 0, 0, 0), 2 * 86'400'000LL, -1},
      {At(2023, 2, 28, 12, 0, 0, 0), At(2023, 3, 1, 12, 0, 0, 0), 86'400'000LL, -1},
      {DateTime(), At(2024, 1, 1, 0, 0, 0, 0), 3'913'056'000'000LL, -1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.from.MillisecondsUntil(c.to), c.ms) << c.to.time.wYear << "-" << c.to.time.wMonth;
    EXPECT_EQ(c.from.CompareTo(c.to), c.order);
    EXPECT_EQ(c.from.IsLaterThan(c.to), c.order == 1);
  }
}

TEST(DateTime, UnconvertibleValuesGiveZeroAndAreNeverLater) {
  DateTime good = At(2024, 5, 1, 10, 0, 0, 0);
  DateTime badDate = At(2023, 2, 29, 0, 0, 0, 0);  // not a leap year
  DateTime flagged = good;
  flagged.invalid = true;
  EXPECT_EQ(good.MillisecondsUntil(badDate), 0);
  EXPECT_EQ(good.CompareTo(badDate), 0);
  EXPECT_EQ(flagged.MillisecondsUntil(good), 0);
  EXPECT_EQ(flagged.CompareTo(good), 0);
  EXPECT_FALSE(flagged.IsLaterThan(DateTime()));
  // An unconvertible value that is not flagged counts as the earliest time.
  EXPECT_GT(badDate.MillisecondsUntil(good), 0);
  EXPECT_EQ(badDate.CompareTo(good), -1);
  // The flag of the other value is not consulted.
  EXPECT_EQ(good.MillisecondsUntil(flagged), 0);
}

TEST(DateTime, PlusDelayMovesOnOneAndAHalfSecondsAcrossAYearEnd) {
  DateTime t = At(2024, 12, 31, 23, 59, 59, 0);
  const DateTime copy = t.PlusDelay();
  for (const DateTime& v : {t, copy}) {
    EXPECT_EQ(v.time.wYear, 2025);
    EXPECT_EQ(v.time.wMonth, 1);
    EXPECT_EQ(v.time.wDay, 1);
    EXPECT_EQ(v.time.wDayOfWeek, 3);  // a Wednesday
    EXPECT_EQ(v.time.wHour, 0);
    EXPECT_EQ(v.time.wSecond, 0);
    EXPECT_EQ(v.time.wMilliseconds, 500);
  }
  DateTime leap = At(2024, 2, 28, 23, 59, 59, 0);
  leap.PlusDelay();
  EXPECT_EQ(leap.time.wMonth, 2);
  EXPECT_EQ(leap.time.wDay, 29);
}

TEST(DateTime, PlusDelayLeavesUnusableValuesAlone) {
  DateTime flagged = At(2024, 1, 1, 0, 0, 0, 0);
  flagged.invalid = true;
  EXPECT_EQ(flagged.PlusDelay().time.wMilliseconds, 0);
  DateTime bad = At(2024, 13, 1, 0, 0, 0, 0);
  EXPECT_EQ(bad.PlusDelay().time.wMonth, 13);
}

TEST(DateTime, NowFollowsTheVirtualClock) {
  auto& host = host::headless::Instance();
  host.SetNow(host::LocalTime{2025, 6, 0, 15, 8, 30, 0, 0});
  const DateTime before = DateTime::Now();
  EXPECT_FALSE(before.invalid);
  host.Advance(1499);
  const DateTime deadline = DateTime(before).PlusDelay();
  EXPECT_FALSE(DateTime::Now().IsLaterThan(deadline));
  host.Advance(2);
  EXPECT_TRUE(DateTime::Now().IsLaterThan(deadline));
  EXPECT_EQ(before.MillisecondsUntil(DateTime::Now()), 1501);
}

}  // namespace
