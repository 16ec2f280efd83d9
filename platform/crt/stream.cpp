// Buffered file streams with the runtime's text and binary modes.
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/api/crt.h"
#include "platform/crt/errors.h"
#include "platform/crt/faults.h"
#include "platform/crt/path.h"

namespace crt {

constexpr std::size_t kBufferSize = 4096;
constexpr unsigned char kCtrlZ = 0x1A;

struct FILE {
  int fd = -1;
  bool text = true;
  bool canRead = false;
  bool canWrite = false;
  bool atEnd = false;    // the end-of-file indicator
  bool failed = false;   // the error indicator
  bool ctrlZ = false;    // text mode met the Ctrl-Z that ends the data
  unsigned char readBuffer[kBufferSize];
  std::size_t readPos = 0;
  std::size_t readLen = 0;
  std::string pending;  // bytes written but not yet handed to the system
};

namespace {

struct Mode {
  int flags = 0;
  bool read = false;
  bool write = false;
  bool text = true;
};

bool ParseMode(const char* mode, Mode& out) {
  if (mode == nullptr) return false;
  bool plus = false;
  switch (mode[0]) {
    case 'r': out.flags = 0; break;
    case 'w': out.flags = O_CREAT | O_TRUNC; break;
    case 'a': out.flags = O_CREAT | O_APPEND; break;
    default: return false;
  }
  bool sawText = false, sawBinary = false, exclusive = false;
  for (const char* p = mode + 1; *p != '\0'; ++p) {
    switch (*p) {
      case '+': if (plus) return false; plus = true; break;
      // "x" with "w": the file must not exist yet. A link of that name
      // counts as existing and is never followed.
      case 'x':
        if (exclusive || mode[0] != 'w') return false;
        exclusive = true;
        out.flags |= O_EXCL;
        break;
      case 't': if (sawText || sawBinary) return false; sawText = true; break;
      case 'b': if (sawText || sawBinary) return false; sawBinary = true; break;
      default: return false;
    }
  }
  out.text = !sawBinary;
  out.read = mode[0] == 'r' || plus;
  out.write = mode[0] != 'r' || plus;
  out.flags |= out.read && out.write ? O_RDWR : (out.write ? O_WRONLY : O_RDONLY);
  return true;
}

// Hands the pending bytes to the system. False, with the error indicator set,
// when the system refused them.
bool Drain(FILE* f) {
  std::size_t done = 0;
  while (done < f->pending.size()) {
    if (faults::TakeWriteFailure()) {
      errno = ENOSPC;
    } else {
      const ssize_t n = ::write(f->fd, f->pending.data() + done, f->pending.size() - done);
      if (n > 0) {
        done += static_cast<std::size_t>(n);
        continue;
      }
      if (n < 0 && errno == EINTR) continue;
      if (n == 0) errno = EIO;
    }
    SetLastErrorFromErrno(errno);
    f->failed = true;
    f->pending.clear();  // what could not be written is lost, as with the runtime
    return false;
  }
  f->pending.clear();
  return true;
}

// Gives back what was read ahead, so that the file position is where the
// program believes it is.
void DropReadAhead(FILE* f) {
  if (f->readPos < f->readLen) {
    ::lseek(f->fd, -static_cast<off_t>(f->readLen - f->readPos), SEEK_CUR);
  }
  f->readPos = f->readLen = 0;
}

bool Refill(FILE* f) {
  if (f->readPos < f->readLen) return true;
  f->readPos = f->readLen = 0;
  for (;;) {
    const ssize_t n = ::read(f->fd, f->readBuffer, kBufferSize);
    if (n > 0) {
      f->readLen = static_cast<std::size_t>(n);
      return true;
    }
    if (n == 0) {
      f->atEnd = true;
      return false;
    }
    if (errno == EINTR) continue;
    SetLastErrorFromErrno(errno);
    f->failed = true;
    return false;
  }
}

bool PrepareToRead(FILE* f) {
  if (!f->canRead) {
    SetLastErrorFromErrno(EBADF);
    f->failed = true;
    return false;
  }
  if (!f->pending.empty()) return Drain(f);
  return true;
}

bool PrepareToWrite(FILE* f) {
  if (!f->canWrite) {
    SetLastErrorFromErrno(EBADF);
    f->failed = true;
    return false;
  }
  DropReadAhead(f);
  return true;
}

int RawByte(FILE* f) {
  if (!Refill(f)) return EOF;
  return f->readBuffer[f->readPos++];
}

int PeekRawByte(FILE* f) {
  if (!Refill(f)) return EOF;
  return f->readBuffer[f->readPos];
}

int ReadChar(FILE* f) {
  if (f->ctrlZ) {
    f->atEnd = true;
    return EOF;
  }
  const int c = RawByte(f);
  if (c == EOF || !f->text) return c;
  if (c == kCtrlZ) {
    // The Ctrl-Z stays in the file; reading stops at it until a seek.
    --f->readPos;
    f->ctrlZ = true;
    f->atEnd = true;
    return EOF;
  }
  if (c == '\r') {
    if (PeekRawByte(f) == '\n') {
      ++f->readPos;
      return '\n';
    }
    // A CR alone is kept; looking past it at the end of the data is not yet
    // reading past the end.
    f->atEnd = false;
  }
  return c;
}

void WriteChar(FILE* f, unsigned char c) {
  if (f->text && c == '\n') f->pending += '\r';
  f->pending += static_cast<char>(c);
}

}  // namespace

FILE* fopen(const char* path, const char* mode) {
  Mode parsed;
  if (path == nullptr || !ParseMode(mode, parsed)) {
    SetLastErrorFromErrno(EINVAL);
    return nullptr;
  }
  const std::string systemPath = SystemPath(path);
  const int fd = ::open(systemPath.c_str(), parsed.flags | O_CLOEXEC, 0666);
  if (fd < 0) {
    SetLastErrorFromErrno(errno, systemPath);
    return nullptr;
  }
  struct stat info {};
  if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
    ::close(fd);
    SetLastErrorFromErrno(EACCES);
    return nullptr;
  }
  FILE* f = new FILE;
  f->fd = fd;
  f->text = parsed.text;
  f->canRead = parsed.read;
  f->canWrite = parsed.write;
  return f;
}

int fclose(FILE* f) {
  if (f == nullptr) {
    SetLastErrorFromErrno(EINVAL);
    return EOF;
  }
  bool ok = f->pending.empty() || Drain(f);
  if (::close(f->fd) != 0) {
    SetLastErrorFromErrno(errno);
    ok = false;
  }
  delete f;
  return ok ? 0 : EOF;
}

int fgetc(FILE* f) {
  if (f == nullptr || !PrepareToRead(f)) return EOF;
  return ReadChar(f);
}

char* fgets(char* buffer, int size, FILE* f) {
  if (f == nullptr || buffer == nullptr || size <= 0 || !PrepareToRead(f)) return nullptr;
  int stored = 0;
  while (stored < size - 1) {
    const int c = ReadChar(f);
    if (c == EOF) break;
    buffer[stored++] = static_cast<char>(c);
    if (c == '\n') break;
  }
  if (stored == 0 || f->failed) return nullptr;
  buffer[stored] = '\0';
  return buffer;
}

std::size_t fread(void* buffer, std::size_t size, std::size_t count, FILE* f) {
  if (f == nullptr || buffer == nullptr || size == 0 || count == 0) return 0;
  if (count > SIZE_MAX / size || !PrepareToRead(f)) return 0;
  unsigned char* out = static_cast<unsigned char*>(buffer);
  const std::size_t total = size * count;
  std::size_t got = 0;
  if (!f->text) {
    while (got < total && Refill(f)) {
      const std::size_t n = std::min(total - got, f->readLen - f->readPos);
      std::memcpy(out + got, f->readBuffer + f->readPos, n);
      f->readPos += n;
      got += n;
    }
  } else {
    while (got < total) {
      const int c = ReadChar(f);
      if (c == EOF) break;
      out[got++] = static_cast<unsigned char>(c);
    }
  }
  return got / size;
}

int fputc(int c, FILE* f) {
  if (f == nullptr || !PrepareToWrite(f)) return EOF;
  WriteChar(f, static_cast<unsigned char>(c));
  if (f->pending.size() >= kBufferSize && !Drain(f)) return EOF;
  return static_cast<unsigned char>(c);
}

std::size_t fwrite(const void* buffer, std::size_t size, std::size_t count, FILE* f) {
  if (f == nullptr || buffer == nullptr || size == 0 || count == 0) return 0;
  if (count > SIZE_MAX / size || !PrepareToWrite(f)) return 0;
  const unsigned char* in = static_cast<const unsigned char*>(buffer);
  const std::size_t total = size * count;
  for (std::size_t i = 0; i < total; ++i) {
    WriteChar(f, in[i]);
    if (f->pending.size() >= kBufferSize && !Drain(f)) return i / size;
  }
  return count;
}

int fputs(const char* text, FILE* f) {
  if (text == nullptr) return EOF;
  const std::size_t n = std::strlen(text);
  if (n == 0) return f != nullptr && PrepareToWrite(f) ? 0 : EOF;
  return fwrite(text, 1, n, f) == n ? 0 : EOF;
}

int fflush(FILE* f) {
  if (f == nullptr) return 0;
  if (f->pending.empty()) return 0;
  return Drain(f) ? 0 : EOF;
}

int fseek(FILE* f, long offset, int origin) {
  if (f == nullptr || (origin != SEEK_SET && origin != SEEK_CUR && origin != SEEK_END)) {
    SetLastErrorFromErrno(EINVAL);
    return -1;
  }
  if (!f->pending.empty() && !Drain(f)) return -1;
  DropReadAhead(f);
  if (::lseek(f->fd, static_cast<off_t>(offset), origin) < 0) {
    SetLastErrorFromErrno(errno);
    return -1;
  }
  f->atEnd = false;
  f->ctrlZ = false;
  return 0;
}

long ftell(FILE* f) {
  if (f == nullptr) {
    SetLastErrorFromErrno(EINVAL);
    return -1;
  }
  const off_t position = ::lseek(f->fd, 0, SEEK_CUR);
  if (position < 0) {
    SetLastErrorFromErrno(errno);
    return -1;
  }
  const off_t logical = position - static_cast<off_t>(f->readLen - f->readPos) +
                        static_cast<off_t>(f->pending.size());
  if (logical > LONG_MAX) {
    SetLastErrorFromErrno(EINVAL);
    return -1;
  }
  return static_cast<long>(logical);
}

void rewind(FILE* f) {
  if (f == nullptr) return;
  fseek(f, 0, SEEK_SET);
  f->failed = false;
}

int feof(FILE* f) { return f != nullptr && f->atEnd ? 1 : 0; }

int ferror(FILE* f) { return f != nullptr && f->failed ? 1 : 0; }

void clearerr(FILE* f) {
  if (f == nullptr) return;
  f->failed = false;
  f->atEnd = false;
}

int _fileno(FILE* f) {
  if (f == nullptr) {
    SetLastErrorFromErrno(EINVAL);
    return -1;
  }
  return f->fd;
}

int _commit(int fd) {
  if (::fsync(fd) != 0) {
    SetLastErrorFromErrno(errno);
    return -1;
  }
  return 0;
}

}  // namespace crt
