// LoadImageW for bitmap files and for the executable's icon groups. Bitmaps
// kept as resources of the module, icon files and cursors are not loaded
// here: asking for them fails with ERROR_RESOURCE_TYPE_NOT_FOUND.
//
// A file that is not a bitmap this reader can decode fails with
// ERROR_INVALID_DATA; one whose picture (or whose requested size) is above
// gdi::kMaxBmpPixels, a file above kMaxFileBytes, and a load for which the
// machine has no room, with ERROR_NOT_ENOUGH_MEMORY.
//
// What a load takes is bounded whatever the file says: the file's bytes and
// the picture's pixels while it is decoded, then the pixels and, for a
// requested size, the stretched copy; each at most about 32 MiB. The pixels
// decoded become the bitmap's own, not copied.
#include <string>
#include <utility>
#include <vector>

#include "platform/api/kernel.h"
#include "platform/api/user.h"
#include "platform/crt/errors.h"
#include "platform/crt/memory.h"
#include "platform/crt/path.h"
#include "platform/crt/whole_file.h"
#include "platform/gdi/bmp_reader.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/resource_icon.h"

namespace {

// The largest picture allowed, at 32 bits a pixel, with room for headers, a
// palette and a gap before the pixels; a larger file is refused before a
// byte of it is read.
constexpr std::size_t kMaxFileBytes = gdi::kMaxBmpPixels * 4 + (std::size_t{1} << 20);

DWORD ErrorFor(gdi::BmpResult result) {
  const bool memory = result == gdi::BmpResult::TooLarge || result == gdi::BmpResult::NoMemory;
  return memory ? ERROR_NOT_ENOUGH_MEMORY : ERROR_INVALID_DATA;
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

// The picture stretched to the requested size, in a bitmap of its own.
gdi::Bitmap* Stretched(const gdi::DecodedBmp& picture, int width, int height) {
  const std::uint64_t count =
      static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
  if (width > gdi::kMaxBitmapSide || height > gdi::kMaxBitmapSide || count > gdi::kMaxBmpPixels ||
      !crt::MemoryAvailable(static_cast<std::size_t>(count) * sizeof(std::uint32_t))) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  gdi::Bitmap* bitmap = gdi::NewColorBitmap(width, height);
  if (bitmap != nullptr) StretchInto(picture, *bitmap);
  return bitmap;
}

// A width or height of 0 keeps the picture's own.
HANDLE MakeBitmap(gdi::DecodedBmp& picture, int width, int height, bool dibSection) {
  if (width == 0) width = picture.width;
  if (height == 0) height = picture.height;
  gdi::Bitmap* bitmap = width == picture.width && height == picture.height
                            ? gdi::AdoptColorBitmap(width, height, picture.pixels)
                            : Stretched(picture, width, height);
  if (bitmap == nullptr) return nullptr;
  bitmap->dibSection = dibSection;
  return reinterpret_cast<HBITMAP>(bitmap);
}

HANDLE LoadBitmapFile(LPCWSTR name, int width, int height, UINT flags) {
  std::vector<std::uint8_t> bytes;
  if (!crt::ReadWholeFile(crt::SystemPath(name), kMaxFileBytes, bytes)) return nullptr;
  gdi::DecodedBmp picture;
  if (gdi::BmpResult r = gdi::DecodeBmp(bytes, picture, gdi::kMaxBmpPixels);
      r != gdi::BmpResult::Ok) {
    SetLastError(ErrorFor(r));
    return nullptr;
  }
  bytes = {};  // the file is no longer needed while the bitmap is made
  return MakeBitmap(picture, width, height, (flags & LR_CREATEDIBSECTION) != 0);
}

}  // namespace

HANDLE LoadImageW(HINSTANCE instance, LPCWSTR name, UINT type, int width, int height, UINT flags) {
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
