#include "platform/gdi/bmp_writer.h"

#include <cstdio>
#include <limits>

namespace gdi {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPixelsPerMetre = 2835;  // 72 dots per inch

void Put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

std::uint32_t ColorOf(const Bitmap& bitmap, std::uint32_t pixel) {
  if (bitmap.Monochrome()) return pixel != 0 ? 0xFFFFFFu : 0u;
  return pixel & 0xFFFFFF;
}

void PutRows(std::vector<std::uint8_t>& out, const Bitmap& bitmap, int bytesPerPixel,
             std::size_t padding) {
  for (int y = bitmap.height - 1; y >= 0; --y) {
    const std::uint32_t* row = bitmap.Row(y);
    for (int x = 0; x < bitmap.width; ++x) {
      const std::uint32_t rgb = ColorOf(bitmap, row[x]);
      out.push_back(static_cast<std::uint8_t>(rgb));
      out.push_back(static_cast<std::uint8_t>(rgb >> 8));
      out.push_back(static_cast<std::uint8_t>(rgb >> 16));
      if (bytesPerPixel == 4) out.push_back(0);
    }
    out.insert(out.end(), padding, 0);
  }
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp(const Bitmap& bitmap, int bitsPerPixel,
                                    std::span<const std::uint8_t> gap) {
  if ((bitsPerPixel != 24 && bitsPerPixel != 32) || bitmap.width <= 0 || bitmap.height <= 0 ||
      bitmap.pixels.size() < static_cast<std::size_t>(bitmap.width) * bitmap.height) {
    return {};
  }
  const int bytesPerPixel = bitsPerPixel / 8;
  const std::size_t rowBytes = (static_cast<std::size_t>(bitmap.width) * bytesPerPixel + 3) / 4 * 4;
  const std::size_t imageBytes = rowBytes * static_cast<std::size_t>(bitmap.height);
  const std::size_t offset = kFileHeaderSize + kInfoHeaderSize + gap.size();
  const std::size_t fileBytes = offset + imageBytes;
  if (fileBytes > std::numeric_limits<std::uint32_t>::max()) return {};

  std::vector<std::uint8_t> out;
  out.reserve(fileBytes);
  out.push_back('B');
  out.push_back('M');
  Put32(out, static_cast<std::uint32_t>(fileBytes));
  Put32(out, 0);  // two reserved words
  Put32(out, static_cast<std::uint32_t>(offset));
  Put32(out, kInfoHeaderSize);
  Put32(out, static_cast<std::uint32_t>(bitmap.width));
  Put32(out, static_cast<std::uint32_t>(bitmap.height));  // positive: bottom-up
  Put16(out, 1);                                          // planes
  Put16(out, static_cast<std::uint32_t>(bitsPerPixel));
  Put32(out, 0);  // BI_RGB
  Put32(out, static_cast<std::uint32_t>(imageBytes));
  Put32(out, kPixelsPerMetre);
  Put32(out, kPixelsPerMetre);
  Put32(out, 0);  // colours used: none, there is no palette
  Put32(out, 0);  // important colours: all
  out.insert(out.end(), gap.begin(), gap.end());
  PutRows(out, bitmap, bytesPerPixel,
          rowBytes - static_cast<std::size_t>(bitmap.width) * bytesPerPixel);
  return out;
}

bool WriteBmpFile(const std::string& systemPath, const Bitmap& bitmap, int bitsPerPixel,
                  std::span<const std::uint8_t> gap) {
  const std::vector<std::uint8_t> bytes = EncodeBmp(bitmap, bitsPerPixel, gap);
  if (bytes.empty()) return false;
  std::FILE* file = std::fopen(systemPath.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const bool closed = std::fclose(file) == 0;
  if (written && closed) return true;
  std::remove(systemPath.c_str());
  return false;
}

}  // namespace gdi
