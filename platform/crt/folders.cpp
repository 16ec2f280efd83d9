#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/api/crt.h"
#include "platform/crt/errors.h"
#include "platform/crt/faults.h"
#include "platform/crt/path.h"

namespace crt {

int _access(const char* path, int mode) {
  if (path == nullptr || (mode & ~6) != 0) {
    SetLastErrorFromErrno(EINVAL);
    return -1;
  }
  int how = F_OK;
  if (mode & 2) how |= W_OK;
  if (mode & 4) how |= R_OK;
  const std::string systemPath = SystemPath(path);
  if (::access(systemPath.c_str(), how) != 0) {
    SetLastErrorFromErrno(errno, systemPath);
    return -1;
  }
  // A file that nobody may write is read-only, for the runtime as for the
  // user who made it so, even where the system would let this process
  // write it anyway.
  struct stat info {};
  if ((mode & 2) != 0 && ::stat(systemPath.c_str(), &info) == 0 && !S_ISDIR(info.st_mode) &&
      (info.st_mode & 0222) == 0) {
    SetLastErrorFromErrno(EACCES);
    return -1;
  }
  return 0;
}

int _mkdir(const char* path) {
  if (path == nullptr) {
    SetLastErrorFromErrno(EINVAL);
    return -1;
  }
  const std::string systemPath = SystemPath(path);
  if (::mkdir(systemPath.c_str(), 0777) != 0) {
    SetLastErrorFromErrno(errno, systemPath);
    return -1;
  }
  return 0;
}

int remove(const char* path) {
  if (path == nullptr) {
    SetLastErrorFromErrno(EINVAL);
    return -1;
  }
  const std::string systemPath = SystemPath(path);
  if (::unlink(systemPath.c_str()) != 0) {
    SetLastErrorFromErrno(errno, systemPath);
    return -1;
  }
  return 0;
}

int rename(const char* oldPath, const char* newPath) {
  if (oldPath == nullptr || newPath == nullptr) {
    SetLastErrorFromErrno(EINVAL);
    return -1;
  }
  if (faults::TakeRenameFailure()) {
    SetLastErrorFromErrno(EACCES);
    return -1;
  }
  const std::string to = SystemPath(newPath);
  // The runtime never replaces an existing file by renaming onto it.
  if (::access(to.c_str(), F_OK) == 0) {
    SetLastErrorFromErrno(EACCES);
    return -1;
  }
  if (::rename(SystemPath(oldPath).c_str(), to.c_str()) != 0) {
    SetLastErrorFromErrno(errno);
    return -1;
  }
  return 0;
}

}  // namespace crt
