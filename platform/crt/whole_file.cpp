#include "platform/crt/whole_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/api/kernel.h"
#include "platform/crt/errors.h"
#include "platform/crt/memory.h"

namespace crt {
namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

bool ReadWholeFile(const std::string& systemPath, std::size_t maxBytes,
                   std::vector<std::uint8_t>& bytes) {
  bytes.clear();
  FileDescriptor file(open(systemPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  struct stat info {};
  if (file.get() < 0 || fstat(file.get(), &info) != 0) {
    SetLastErrorFromErrno(errno, systemPath);
    return false;
  }
  if (!S_ISREG(info.st_mode)) {  // a folder or a device holds no picture or sound
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  if (static_cast<std::uint64_t>(info.st_size) > maxBytes ||
      !MemoryAvailable(static_cast<std::size_t>(info.st_size))) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return false;
  }
  bytes.resize(static_cast<std::size_t>(info.st_size));
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = read(file.get(), bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      SetLastError(ERROR_READ_FAULT);
      bytes.clear();
      return false;
    }
    if (n == 0) break;  // the file got shorter since fstat: what is there is read
    done += static_cast<std::size_t>(n);
  }
  bytes.resize(done);
  return true;
}

}  // namespace crt
