// The machine's own clock, for hosts that run in real time.
#pragma once

#include <cstdint>

#include "platform/host/host.h"

namespace host::posix {

LocalTime RealLocalTime();
std::uint64_t MonotonicMilliseconds();

}  // namespace host::posix
