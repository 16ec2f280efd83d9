// The runtime reports a failure twice: in errno, and as the system error that
// GetLastError returns.
#pragma once

#include <string>

#include "platform/api/base.h"

namespace crt {

DWORD SystemErrorFromErrno(int error);
// Sets both errno and the last error from one errno value.
void SetLastErrorFromErrno(int error);
// The same for a failure on a path: a name missing because a folder on the
// way to it is missing is a missing path rather than a missing file.
void SetLastErrorFromErrno(int error, const std::string& systemPath);

}  // namespace crt
