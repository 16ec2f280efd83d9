#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
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

BOOL ReplaceFileA(LPCSTR replacedName, LPCSTR replacementName, LPCSTR backupName, DWORD flags,
                  LPVOID exclude, LPVOID reserved) {
  // Keeping a backup of the replaced file is not offered.
  if (replacedName == nullptr || replacementName == nullptr || backupName != nullptr ||
      (flags & ~REPLACEFILE_WRITE_THROUGH) != 0 || exclude != nullptr || reserved != nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const std::string replaced = crt::SystemPath(replacedName);
  const std::string replacement = crt::SystemPath(replacementName);
  struct stat identity {};
  if (stat(replaced.c_str(), &identity) != 0) {
    crt::SetLastErrorFromErrno(errno, replaced);
    return FALSE;
  }
  if (access(replacement.c_str(), F_OK) != 0) {
    crt::SetLastErrorFromErrno(errno, replacement);
    return FALSE;
  }
  if (crt::faults::TakeRenameFailure()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  // The owner can be handed on only by a privileged process; the permission
  // bits always can.
  if (chmod(replacement.c_str(), identity.st_mode & 07777) != 0) {
    crt::SetLastErrorFromErrno(errno, replacement);
    return FALSE;
  }
  [[maybe_unused]] const int owned = chown(replacement.c_str(), identity.st_uid, identity.st_gid);
  if (::rename(replacement.c_str(), replaced.c_str()) != 0) {
    crt::SetLastErrorFromErrno(errno, replacement);
    return FALSE;
  }
  if (flags & REPLACEFILE_WRITE_THROUGH) SyncFolderOf(replaced);
  return TRUE;
}
