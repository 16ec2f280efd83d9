#include "framework/util/date_time.h"

#include "platform/api/kernel.h"

namespace VexaUtility {
namespace {

constexpr std::int64_t kUnitsPerMillisecond = 10'000;
constexpr std::uint64_t kDelayUnits = 15'000'000;  // 1.5 s

bool ToUnits(const SYSTEMTIME& time, std::uint64_t& units) {
  FILETIME file{};
  if (!SystemTimeToFileTime(&time, &file)) return false;
  units = (static_cast<std::uint64_t>(file.dwHighDateTime) << 32) | file.dwLowDateTime;
  return true;
}

FILETIME FromUnits(std::uint64_t units) {
  return FILETIME{static_cast<DWORD>(units & 0xFFFF'FFFFu), static_cast<DWORD>(units >> 32)};
}

}  // namespace

DateTime::DateTime() : time{} {
  time.wYear = 1900;
  time.wMonth = 1;
  time.wDay = 1;
  FILETIME file{};
  if (SystemTimeToFileTime(&time, &file)) {
    FileTimeToSystemTime(&file, &time);
  } else {
    invalid = true;
  }
}

DateTime DateTime::Now() {
  DateTime now;
  GetLocalTime(&now.time);
  now.invalid = false;
  return now;
}

std::int64_t DateTime::MillisecondsUntil(DateTime other) const {
  if (invalid) return 0;
  std::uint64_t mine = 0, theirs = 0;
  if (!ToUnits(time, mine)) mine = 0;
  if (!ToUnits(other.time, theirs)) return 0;
  return (static_cast<std::int64_t>(theirs) - static_cast<std::int64_t>(mine)) /
         kUnitsPerMillisecond;
}

std::int32_t DateTime::CompareTo(DateTime other) const {
  std::uint64_t mine = 0, theirs = 0;
  if (invalid || !ToUnits(other.time, theirs)) return 0;
  if (!ToUnits(time, mine)) mine = 0;
  const FILETIME a = FromUnits(mine), b = FromUnits(theirs);
  return CompareFileTime(&a, &b);
}

DateTime DateTime::PlusDelay() {
  std::uint64_t units = 0;
  if (!invalid && ToUnits(time, units)) {
    const FILETIME later = FromUnits(units + kDelayUnits);
    FileTimeToSystemTime(&later, &time);
  }
  return *this;
}

bool DateTime::IsLaterThan(DateTime other) const { return CompareTo(other) == 1; }

}  // namespace VexaUtility
