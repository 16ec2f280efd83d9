// Files opened as handles: whole-file locks and the path a name leads to.
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <mutex>
#include <set>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/api/kernel.h"
#include "platform/crt/errors.h"
#include "platform/crt/path.h"

namespace {

struct FileObject {
  int fd;
};

// The live file handles: a closed or foreign handle is refused, never taken
// for a descriptor.
std::mutex liveMutex;
std::set<FileObject*> live;

FileObject* Lookup(HANDLE handle) {
  std::lock_guard<std::mutex> guard(liveMutex);
  auto* object = static_cast<FileObject*>(handle);
  if (live.count(object) == 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return object;
}

bool OpenFlags(DWORD access, DWORD disposition, int& flags) {
  const bool read = (access & GENERIC_READ) != 0;
  const bool write = (access & GENERIC_WRITE) != 0;
  // Neither reading nor writing asked: a handle that only tells about the
  // file, which opens whatever the file is (a pipe or a socket too).
  if (!read && !write && disposition == OPEN_EXISTING) {
    flags = O_PATH;
    return true;
  }
  flags = read && write ? O_RDWR : (write ? O_WRONLY : O_RDONLY);
  switch (disposition) {
    case CREATE_NEW:
      flags |= O_CREAT | O_EXCL;
      return true;
    case CREATE_ALWAYS:
      flags |= O_CREAT | O_TRUNC;
      return write;
    case OPEN_EXISTING:
      return true;
    case OPEN_ALWAYS:
      flags |= O_CREAT;
      return true;
    case TRUNCATE_EXISTING:
      flags |= O_TRUNC;
      return write;
    default:
      return false;
  }
}

// Only the whole file is lockable: from offset 0, every byte.
bool WholeFile(DWORD bytesLow, DWORD bytesHigh, const OVERLAPPED* overlapped) {
  return overlapped != nullptr && overlapped->Offset == 0 && overlapped->OffsetHigh == 0 &&
         bytesLow == 0xFFFFFFFF && bytesHigh == 0xFFFFFFFF;
}

// UTF-8 from the system back to narrow text, one byte per code point up to
// 255; false for a name that narrow text cannot hold.
bool Latin1FromUtf8(const std::string& text, std::string& out) {
  out.clear();
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      out += static_cast<char>(c);
      continue;
    }
    if ((c & 0xFE) != 0xC2 || i + 1 >= text.size()) return false;
    const unsigned char next = static_cast<unsigned char>(text[++i]);
    if ((next & 0xC0) != 0x80) return false;
    out += static_cast<char>(((c & 0x03) << 6) | (next & 0x3F));
  }
  return true;
}

}  // namespace

HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD, SECURITY_ATTRIBUTES*, DWORD disposition,
                   DWORD flagsAndAttributes, HANDLE) {
  int flags = 0;
  if (name == nullptr || !OpenFlags(access, disposition, flags)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  if (flagsAndAttributes & FILE_FLAG_OPEN_REPARSE_POINT) flags |= O_NOFOLLOW;
  const std::string path = crt::SystemPath(name);
  // Opening a pipe for reading would wait for a writer; the system's files
  // never wait, so neither does this open.
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0666);
  if (fd < 0) {
    const int error = errno;
    crt::SetLastErrorFromErrno(error, path);
    if (error == EEXIST) SetLastError(ERROR_FILE_EXISTS);
    return INVALID_HANDLE_VALUE;
  }
  if ((flags & O_PATH) == 0) ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  auto* object = new FileObject{fd};
  std::lock_guard<std::mutex> guard(liveMutex);
  live.insert(object);
  return object;
}

BOOL CloseHandle(HANDLE handle) {
  FileObject* object = Lookup(handle);
  if (object == nullptr) return FALSE;
  {
    std::lock_guard<std::mutex> guard(liveMutex);
    live.erase(object);
  }
  // Closing the descriptor also lets go of a lock the handle still holds.
  const bool closed = ::close(object->fd) == 0;
  delete object;
  if (!closed) crt::SetLastErrorFromErrno(errno);
  return closed ? TRUE : FALSE;
}

BOOL LockFileEx(HANDLE handle, DWORD flags, DWORD reserved, DWORD bytesLow, DWORD bytesHigh,
                OVERLAPPED* overlapped) {
  FileObject* object = Lookup(handle);
  if (object == nullptr) return FALSE;
  // Shared locks are not offered: nothing here needs them.
  if (reserved != 0 || (flags & LOCKFILE_EXCLUSIVE_LOCK) == 0 ||
      !WholeFile(bytesLow, bytesHigh, overlapped)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const int how = LOCK_EX | ((flags & LOCKFILE_FAIL_IMMEDIATELY) ? LOCK_NB : 0);
  while (::flock(object->fd, how) != 0) {
    if (errno == EINTR) continue;
    if (errno == EWOULDBLOCK) {
      SetLastError(ERROR_LOCK_VIOLATION);
    } else {
      crt::SetLastErrorFromErrno(errno);
    }
    return FALSE;
  }
  return TRUE;
}

BOOL UnlockFileEx(HANDLE handle, DWORD reserved, DWORD bytesLow, DWORD bytesHigh,
                  OVERLAPPED* overlapped) {
  FileObject* object = Lookup(handle);
  if (object == nullptr) return FALSE;
  if (reserved != 0 || !WholeFile(bytesLow, bytesHigh, overlapped)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (::flock(object->fd, LOCK_UN) != 0) {
    crt::SetLastErrorFromErrno(errno);
    return FALSE;
  }
  return TRUE;
}

DWORD GetFinalPathNameByHandleA(HANDLE handle, LPSTR path, DWORD size, DWORD flags) {
  FileObject* object = Lookup(handle);
  if (object == nullptr) return 0;
  if (flags != (FILE_NAME_NORMALIZED | VOLUME_NAME_DOS) || (path == nullptr && size != 0)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  // The descriptor's entry in /proc names the file it was opened on, with
  // every link on the way already followed.
  const std::string entry = "/proc/self/fd/" + std::to_string(object->fd);
  char buffer[PATH_MAX];
  const ssize_t length = ::readlink(entry.c_str(), buffer, sizeof buffer);
  if (length <= 0 || static_cast<std::size_t>(length) >= sizeof buffer) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return 0;
  }
  std::string narrow;
  if (!Latin1FromUtf8(std::string(buffer, static_cast<std::size_t>(length)), narrow)) {
    SetLastError(ERROR_INVALID_NAME);
    return 0;
  }
  if (narrow.size() >= size) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return static_cast<DWORD>(narrow.size() + 1);
  }
  narrow.copy(path, narrow.size());
  path[narrow.size()] = '\0';
  return static_cast<DWORD>(narrow.size());
}
