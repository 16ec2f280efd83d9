#include "platform/api/kernel.h"

namespace {
// One error per thread, as the system keeps it.
thread_local DWORD lastError = ERROR_SUCCESS;
}  // namespace

DWORD GetLastError() { return lastError; }

void SetLastError(DWORD error) { lastError = error; }
