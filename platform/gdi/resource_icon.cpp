#include "platform/gdi/resource_icon.h"

#include <map>
#include <memory>
#include <span>
#include <tuple>
#include <utility>

#include "platform/api/kernel.h"
#include "platform/api/user.h"
#include "platform/gdi/icon_format.h"
#include "platform/gdi/objects.h"

namespace gdi {
namespace {

std::span<const std::uint8_t> Bytes(HMODULE module, HRSRC resource) {
  const auto* data = static_cast<const std::uint8_t*>(LockResource(LoadResource(module, resource)));
  if (data == nullptr) return {};
  return {data, SizeofResource(module, resource)};
}

// Nearest source pixel for each pixel of the size asked for.
IconImage Stretched(const IconImage& image, int width, int height) {
  if (image.width == width && image.height == height) return image;
  IconImage out;
  out.width = width;
  out.height = height;
  out.argb.resize(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    const std::int64_t sy = (2 * std::int64_t{y} + 1) * image.height / (2 * height);
    for (int x = 0; x < width; ++x) {
      const std::int64_t sx = (2 * std::int64_t{x} + 1) * image.width / (2 * width);
      out.argb[static_cast<std::size_t>(y) * width + x] =
          image.argb[static_cast<std::size_t>(sy * image.width + sx)];
    }
  }
  return out;
}

bool DecodeChosen(HMODULE module, HRSRC group, int& width, int& height, IconImage& image) {
  std::vector<IconGroupEntry> entries;
  if (!ParseIconGroup(Bytes(module, group), entries)) {
    SetLastError(ERROR_INVALID_DATA);
    return false;
  }
  const int systemWidth = GetSystemMetrics(SM_CXICON), systemHeight = GetSystemMetrics(SM_CYICON);
  const IconGroupEntry& entry = entries[ChooseIconEntry(
      entries, width != 0 ? width : systemWidth, height != 0 ? height : systemHeight)];
  HRSRC picture = FindResourceW(module, MAKEINTRESOURCEW(entry.id), RT_ICON);
  if (picture == nullptr) return false;  // FindResourceW said why
  if (DecodeIconImage(Bytes(module, picture), image) != IconImageResult::Ok) {
    SetLastError(ERROR_INVALID_DATA);
    return false;
  }
  if (width == 0) width = image.width;
  if (height == 0) height = image.height;
  return true;
}

// Shared icons by group and size. The group's record lives as long as its
// table, which is the whole process for the executable's own.
std::map<std::tuple<HRSRC, int, int>, HICON>& SharedIcons() {
  static std::map<std::tuple<HRSRC, int, int>, HICON> icons;
  return icons;
}

}  // namespace

HICON LoadResourceIcon(HMODULE module, LPCWSTR name, int width, int height, bool shared) {
  if (width < 0 || height < 0 || width > kMaxIconSide || height > kMaxIconSide) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  HRSRC group = FindResourceW(module, name, RT_GROUP_ICON);
  if (group == nullptr) return nullptr;  // FindResourceW said why
  const auto key = std::make_tuple(group, width, height);
  if (shared) {
    if (auto found = SharedIcons().find(key); found != SharedIcons().end()) return found->second;
  }
  IconImage image;
  if (!DecodeChosen(module, group, width, height, image)) return nullptr;
  auto icon = std::make_unique<Icon>();
  icon->images.push_back(Stretched(image, width, height));
  // Marked before it is registered, so that a shared icon is never counted
  // among the objects the program made, and destroying it does nothing.
  icon->stock = shared;
  auto* handle = reinterpret_cast<HICON>(Register(std::move(icon)));
  if (shared) SharedIcons()[key] = handle;
  return handle;
}

}  // namespace gdi
