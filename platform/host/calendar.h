// Proleptic Gregorian calendar arithmetic shared by the hosts' clocks and the
// kernel's file-time conversions. Days are counted from 1601-01-01, the start
// of the file-time epoch, which was a Monday.
#pragma once

#include <cstdint>

namespace host::calendar {

constexpr std::int64_t kMillisecondsPerDay = 86'400'000;

constexpr bool IsLeapYear(std::int64_t year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

constexpr int DaysInMonth(std::int64_t year, int month) {
  constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days since 1601-01-01 of a valid date.
constexpr std::int64_t DaysFromCivil(std::int64_t year, int month, int day) {
  // Shift the year so that it starts in March: the leap day then falls last.
  const std::int64_t y = month <= 2 ? year - 1 : year;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yearOfEra = y - era * 400;
  const std::int64_t monthFromMarch = month > 2 ? month - 3 : month + 9;
  const std::int64_t dayOfYear = (153 * monthFromMarch + 2) / 5 + day - 1;
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  constexpr std::int64_t kDaysFrom0000To1601 = 584'694;  // 0000-03-01 .. 1601-01-01
  return era * 146'097 + dayOfEra - kDaysFrom0000To1601;
}

struct CivilDate {
  std::int64_t year;
  int month;
  int day;
  int dayOfWeek;  // 0 Sunday .. 6 Saturday
};

// The date of a day counted from 1601-01-01 (which is day 0).
constexpr CivilDate CivilFromDays(std::int64_t days) {
  constexpr std::int64_t kDaysFrom0000To1601 = 584'694;
  const std::int64_t z = days + kDaysFrom0000To1601;
  const std::int64_t era = (z >= 0 ? z : z - 146'096) / 146'097;
  const std::int64_t dayOfEra = z - era * 146'097;
  const std::int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36'524 - dayOfEra / 146'096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
  const int day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
  const int month = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
  const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
  const std::int64_t weekday = (days % 7 + 7 + 1) % 7;  // day 0 was a Monday
  return CivilDate{year, month, day, static_cast<int>(weekday)};
}

static_assert(DaysFromCivil(1601, 1, 1) == 0);
static_assert(DaysFromCivil(1601, 12, 31) == 364);
static_assert(DaysFromCivil(1604, 3, 1) == 3 * 365 + 31 + 29);
static_assert(CivilFromDays(0).year == 1601 && CivilFromDays(0).dayOfWeek == 1);
static_assert(CivilFromDays(DaysFromCivil(2000, 2, 29)).day == 29);
static_assert(CivilFromDays(DaysFromCivil(1970, 1, 1)).dayOfWeek == 4);  // a Thursday

}  // namespace host::calendar
