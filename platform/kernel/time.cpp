#include "platform/api/kernel.h"
#include "platform/host/calendar.h"
#include "platform/host/host.h"

namespace {

namespace calendar = host::calendar;

constexpr std::uint64_t kUnitsPerMillisecond = 10'000;  // file times count 100 ns
constexpr std::uint64_t kUnitsPerDay = calendar::kMillisecondsPerDay * kUnitsPerMillisecond;
constexpr std::uint64_t kLargestFileTime = 0x7FFF'FFFF'FFFF'FFFFull;

bool IsValid(const SYSTEMTIME& t) {
  return t.wYear >= 1601 && t.wYear <= 30827 && t.wMonth >= 1 && t.wMonth <= 12 && t.wDay >= 1 &&
         t.wDay <= calendar::DaysInMonth(t.wYear, t.wMonth) && t.wHour < 24 && t.wMinute < 60 &&
         t.wSecond < 60 && t.wMilliseconds < 1000;
}

std::uint64_t Combine(const FILETIME& f) {
  return (static_cast<std::uint64_t>(f.dwHighDateTime) << 32) | f.dwLowDateTime;
}

}  // namespace

void GetLocalTime(SYSTEMTIME* time) {
  if (time == nullptr) return;
  const host::LocalTime now = host::Current().Now();
  *time = SYSTEMTIME{now.year,   now.month,  now.dayOfWeek, now.day,
                     now.hour,   now.minute, now.second,    now.millisecond};
}

BOOL SystemTimeToFileTime(const SYSTEMTIME* systemTime, FILETIME* fileTime) {
  if (systemTime == nullptr || fileTime == nullptr || !IsValid(*systemTime)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const SYSTEMTIME& t = *systemTime;
  const std::uint64_t days =
      static_cast<std::uint64_t>(calendar::DaysFromCivil(t.wYear, t.wMonth, t.wDay));
  const std::uint64_t milliseconds =
      ((t.wHour * 60ull + t.wMinute) * 60ull + t.wSecond) * 1000ull + t.wMilliseconds;
  const std::uint64_t units = days * kUnitsPerDay + milliseconds * kUnitsPerMillisecond;
  fileTime->dwLowDateTime = static_cast<DWORD>(units & 0xFFFF'FFFFu);
  fileTime->dwHighDateTime = static_cast<DWORD>(units >> 32);
  return TRUE;
}

BOOL FileTimeToSystemTime(const FILETIME* fileTime, SYSTEMTIME* systemTime) {
  if (fileTime == nullptr || systemTime == nullptr || Combine(*fileTime) > kLargestFileTime) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const std::uint64_t units = Combine(*fileTime);
  const calendar::CivilDate date =
      calendar::CivilFromDays(static_cast<std::int64_t>(units / kUnitsPerDay));
  std::uint64_t milliseconds = (units % kUnitsPerDay) / kUnitsPerMillisecond;
  SYSTEMTIME& t = *systemTime;
  t.wYear = static_cast<WORD>(date.year);
  t.wMonth = static_cast<WORD>(date.month);
  t.wDay = static_cast<WORD>(date.day);
  t.wDayOfWeek = static_cast<WORD>(date.dayOfWeek);
  t.wMilliseconds = static_cast<WORD>(milliseconds % 1000);
  milliseconds /= 1000;
  t.wSecond = static_cast<WORD>(milliseconds % 60);
  milliseconds /= 60;
  t.wMinute = static_cast<WORD>(milliseconds % 60);
  t.wHour = static_cast<WORD>(milliseconds / 60);
  return TRUE;
}

LONG CompareFileTime(const FILETIME* first, const FILETIME* second) {
  const std::uint64_t a = Combine(*first);
  const std::uint64_t b = Combine(*second);
  return a < b ? -1 : (a > b ? 1 : 0);
}

ULONGLONG GetTickCount64() { return host::Current().Milliseconds(); }

DWORD GetTickCount() { return static_cast<DWORD>(GetTickCount64()); }
