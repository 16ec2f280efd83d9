#include "platform/crt/errors.h"

#include <cerrno>
#include <sys/stat.h>

#include "platform/api/kernel.h"

namespace crt {
namespace {

struct Mapping {
  int error;
  DWORD systemError;
};

constexpr Mapping kMappings[] = {
    {ENOENT, ERROR_FILE_NOT_FOUND},      {ENOTDIR, ERROR_PATH_NOT_FOUND},
    {EACCES, ERROR_ACCESS_DENIED},       {EPERM, ERROR_ACCESS_DENIED},
    {EISDIR, ERROR_ACCESS_DENIED},       {EROFS, ERROR_ACCESS_DENIED},
    {EEXIST, ERROR_ALREADY_EXISTS},      {ENOSPC, ERROR_DISK_FULL},
    {EDQUOT, ERROR_DISK_FULL},           {ENAMETOOLONG, ERROR_FILENAME_EXCED_RANGE},
    {EINVAL, ERROR_INVALID_PARAMETER},   {EBADF, ERROR_INVALID_HANDLE},
    {ENOMEM, ERROR_NOT_ENOUGH_MEMORY},   {EIO, ERROR_WRITE_FAULT},
    {ENOTEMPTY, ERROR_ACCESS_DENIED},    {EMFILE, ERROR_NOT_ENOUGH_MEMORY},
};

}  // namespace

DWORD SystemErrorFromErrno(int error) {
  for (const Mapping& m : kMappings) {
    if (m.error == error) return m.systemError;
  }
  return ERROR_INVALID_FUNCTION;
}

void SetLastErrorFromErrno(int error) {
  errno = error;
  SetLastError(SystemErrorFromErrno(error));
}

void SetLastErrorFromErrno(int error, const std::string& systemPath) {
  SetLastErrorFromErrno(error);
  if (error != ENOENT) return;
  std::string parent = systemPath;
  while (!parent.empty() && parent.back() == '/') parent.pop_back();
  const std::size_t slash = parent.rfind('/');
  if (slash == std::string::npos) return;
  parent.resize(slash == 0 ? 1 : slash);
  struct stat info {};
  if (::stat(parent.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    errno = ENOENT;
  }
}

}  // namespace crt
