#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <unistd.h>

#include "platform/api/kernel.h"
#include "platform/crt/errors.h"
#include "platform/crt/faults.h"
#include "platform/crt/path.h"

namespace {

// A rename is only durable once the folder that holds the name is on disk.
void SyncFolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

}  // namespace

BOOL MoveFileExA(LPCSTR existingName, LPCSTR newName, DWORD flags) {
  if (existingName == nullptr || newName == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (crt::faults::TakeRenameFailure()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  const std::string from = crt::SystemPath(existingName);
  const std::string to = crt::SystemPath(newName);
  if ((flags & MOVEFILE_REPLACE_EXISTING) == 0 && access(to.c_str(), F_OK) == 0) {
    SetLastError(ERROR_ALREADY_EXISTS);
    return FALSE;
  }
  if (::rename(from.c_str(), to.c_str()) != 0) {
    crt::SetLastErrorFromErrno(errno, from);
    return FALSE;
  }
  if (flags & MOVEFILE_WRITE_THROUGH) SyncFolderOf(to);
  return TRUE;
}

BOOL DeleteFileA(LPCSTR name) {
  if (name == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const std::string path = crt::SystemPath(name);
  if (unlink(path.c_str()) != 0) {
    crt::SetLastErrorFromErrno(errno, path);
    return FALSE;
  }
  return TRUE;
}
