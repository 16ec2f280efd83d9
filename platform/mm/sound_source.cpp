#include "platform/mm/sound_source.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/api/kernel.h"
#include "platform/crt/path.h"

namespace mm {
namespace {

// Far above any sound effect (about six minutes of 192 kHz stereo); a larger
// file is refused before a byte of it is read.
constexpr std::uint64_t kMaxFileBytes = std::uint64_t{256} << 20;

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

// The whole of a regular file. Opened without blocking, so that a named pipe
// given as a sound cannot hang the program.
bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
  FileDescriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  struct stat info {};
  if (file.get() < 0 || fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  if (static_cast<std::uint64_t>(info.st_size) > kMaxFileBytes) return false;
  bytes.resize(static_cast<std::size_t>(info.st_size));
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = read(file.get(), bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) break;  // the file got shorter since fstat; what is there is checked as it is
    done += static_cast<std::size_t>(n);
  }
  bytes.resize(done);
  return true;
}

}  // namespace

bool LoadSoundFile(LPCWSTR path, LoadedSound& out) {
  out = LoadedSound{};
  if (!ReadWholeFile(crt::SystemPath(path), out.fileBytes)) return false;
  if (ReadWave(out.fileBytes, out.wave) != WaveResult::Ok) {
    out = LoadedSound{};
    return false;
  }
  return true;
}

bool LoadSoundResource(LPCWSTR name, HMODULE module, LoadedSound& out) {
  out = LoadedSound{};
  HRSRC resource = FindResourceW(module, name, u"WAVE");
  if (resource == nullptr) return false;
  const auto* bytes =
      static_cast<const std::uint8_t*>(LockResource(LoadResource(module, resource)));
  const DWORD size = SizeofResource(module, resource);
  if (bytes == nullptr) return false;
  return ReadWave(std::span(bytes, size), out.wave) == WaveResult::Ok;
}

}  // namespace mm
