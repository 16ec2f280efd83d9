#include "platform/host/posix/real_clock.h"

#include <ctime>

namespace host::posix {

LocalTime RealLocalTime() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  tm fields{};
  localtime_r(&now.tv_sec, &fields);
  LocalTime t;
  t.year = static_cast<std::uint16_t>(fields.tm_year + 1900);
  t.month = static_cast<std::uint16_t>(fields.tm_mon + 1);
  t.dayOfWeek = static_cast<std::uint16_t>(fields.tm_wday);
  t.day = static_cast<std::uint16_t>(fields.tm_mday);
  t.hour = static_cast<std::uint16_t>(fields.tm_hour);
  t.minute = static_cast<std::uint16_t>(fields.tm_min);
  // A leap second shows as :59 again rather than as an impossible :60.
  t.second = static_cast<std::uint16_t>(fields.tm_sec > 59 ? 59 : fields.tm_sec);
  t.millisecond = static_cast<std::uint16_t>(now.tv_nsec / 1'000'000);
  return t;
}

std::uint64_t MonotonicMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::uint64_t>(now.tv_sec) * 1000u +
         static_cast<std::uint64_t>(now.tv_nsec / 1'000'000);
}

}  // namespace host::posix
