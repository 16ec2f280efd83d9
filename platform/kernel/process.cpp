// The running process as the system names it, and plain waiting.
#include <cerrno>
#include <ctime>
#include <unistd.h>

#include "platform/api/kernel.h"

DWORD GetCurrentProcessId() {
  return static_cast<DWORD>(::getpid());
}

void Sleep(DWORD milliseconds) {
  timespec left{static_cast<time_t>(milliseconds / 1000),
                static_cast<long>(milliseconds % 1000) * 1000000L};
  while (::nanosleep(&left, &left) != 0 && errno == EINTR) {
  }
}
