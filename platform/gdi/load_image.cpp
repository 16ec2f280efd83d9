// LoadImageW for bitmap files and for the executable's icon groups. Bitmaps
// kept as resources of the module, icon files and cursors are not loaded
// here: asking for them fails with ERROR_RESOURCE_TYPE_NOT_FOUND.
//
// A file that is not a bitmap this reader can decode fails with
// ERROR_INVALID_DATA; one whose picture (or whose requested size) is too large
// to hold, or a file above kMaxFileBytes, with ERROR_NOT_ENOUGH_MEMORY.
#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "platform/api/kernel.h"
#include "platform/api/user.h"
#include "platform/crt/errors.h"
#include "platform/crt/path.h"
#include "platform/gdi/bmp_reader.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/resource_icon.h"

namespace {

// No bitmap the game or its tools make comes near this; a larger file is
// refused before a byte of it is read.
constexpr std::size_t kMaxFileBytes = std::size_t{256} << 20;

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

// The whole of a regular file, or false with the last error set. Opened
// without blocking, so that a named pipe given as a picture cannot hang the
// program.
bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
  FileDescriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  struct stat info {};
  if (file.get() < 0 || fstat(file.get(), &info) != 0) {
    crt::SetLastErrorFromErrno(errno, path);
    return false;
  }
  if (!S_ISREG(info.st_mode)) {  // a folder or a device holds no picture
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  if (static_cast<std::uint64_t>(info.st_size) > kMaxFileBytes) {
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
      return false;
    }
    if (n == 0) break;  // the file got shorter since fstat; decode what is there
    done += static_cast<std::size_t>(n);
  }
  bytes.resize(done);
  return true;
}

DWORD ErrorFor(gdi::BmpResult result) {
  return result == gdi::BmpResult::TooLarge ? ERROR_NOT_ENOUGH_MEMORY : ERROR_INVALID_DATA;
}

// The nearest source pixel for each pixel of the requested size.
void StretchInto(const gdi::DecodedBmp& picture, gdi::Bitmap& bitmap) {
  std::vector<int> sourceX(bitmap.width);
  for (int x = 0; x < bitmap.width; ++x) {
    sourceX[x] = static_cast<int>(static_cast<std::int64_t>(x) * picture.width / bitmap.width);
  }
  for (int y = 0; y < bitmap.height; ++y) {
    const int sy = static_cast<int>(static_cast<std::int64_t>(y) * picture.height / bitmap.height);
    const std::uint32_t* source =
        picture.pixels.data() + static_cast<std::size_t>(sy) * picture.width;
    std::uint32_t* row = bitmap.Row(y);
    for (int x = 0; x < bitmap.width; ++x) row[x] = source[sourceX[x]];
  }
}

// A width or height of 0 keeps the picture's own.
HANDLE MakeBitmap(gdi::DecodedBmp& picture, int width, int height, bool dibSection) {
  if (width == 0) width = picture.width;
  if (height == 0) height = picture.height;
  if (width > gdi::kMaxBitmapSide || height > gdi::kMaxBitmapSide) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  gdi::Bitmap* bitmap = gdi::NewColorBitmap(width, height);
  if (bitmap == nullptr) return nullptr;
  bitmap->dibSection = dibSection;
  if (width == picture.width && height == picture.height) {
    bitmap->pixels = std::move(picture.pixels);
  } else {
    StretchInto(picture, *bitmap);
  }
  return reinterpret_cast<HBITMAP>(bitmap);
}

HANDLE LoadBitmapFile(LPCWSTR name, int width, int height, UINT flags) {
  std::vector<std::uint8_t> bytes;
  if (!ReadWholeFile(crt::SystemPath(name), bytes)) return nullptr;
  gdi::DecodedBmp picture;
  if (gdi::BmpResult r = gdi::DecodeBmp(bytes, picture); r != gdi::BmpResult::Ok) {
    SetLastError(ErrorFor(r));
    return nullptr;
  }
  bytes = {};  // the file is no longer needed while the bitmap is made
  return MakeBitmap(picture, width, height, (flags & LR_CREATEDIBSECTION) != 0);
}

}  // namespace

HANDLE LoadImageW(HINSTANCE instance, LPCWSTR name, UINT type, int width, int height,
                  UINT flags) {
  if (type == IMAGE_ICON && (flags & LR_LOADFROMFILE) == 0) {
    if ((flags & LR_DEFAULTSIZE) != 0) {
      if (width == 0) width = GetSystemMetrics(SM_CXICON);
      if (height == 0) height = GetSystemMetrics(SM_CYICON);
    }
    // The stock icons have no module.
    if (instance == nullptr) return LoadIconW(nullptr, name);
    return gdi::LoadResourceIcon(instance, name, width, height, (flags & LR_SHARED) != 0);
  }
  if (type != IMAGE_BITMAP || (flags & LR_LOADFROMFILE) == 0) {
    SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
    return nullptr;
  }
  if (name == nullptr || width < 0 || height < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return LoadBitmapFile(name, width, height, flags);
}
