// A local date and time with millisecond differences and comparisons.
#pragma once

#include <cstdint>

#include "platform/api/base.h"

namespace VexaUtility {

class DateTime {
 public:
  SYSTEMTIME time;
  bool invalid = false;  // the value cannot be converted to a file time

  // 1900-01-01 00:00:00.000, the mark of a value not yet set.
  DateTime();
  // The current local time.
  static DateTime Now();

  // Milliseconds from this value to other: positive when other is later.
  std::int64_t MillisecondsUntil(DateTime other) const;
  // -1, 0 or 1 as this value is earlier than, equal to or later than other.
  std::int32_t CompareTo(DateTime other) const;
  // Moves this value on by 1.5 seconds and returns the result.
  DateTime PlusDelay();
  bool IsLaterThan(DateTime other) const;
};

}  // namespace VexaUtility
