#include "tools/assets/png_writer.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace assets {
namespace {

void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PutChunk(std::vector<std::uint8_t>& out, std::string_view type,
              const std::vector<std::uint8_t>& data) {
  PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t start = out.size();
  out.insert(out.end(), type.begin(), type.end());
  out.insert(out.end(), data.begin(), data.end());
  PutBigEndian(out, Crc32(out.data() + start, out.size() - start));
}

// A zlib stream of stored blocks: header, blocks of at most 65 535 bytes,
// the Adler-32 of the data.
std::vector<std::uint8_t> StoredZlib(const std::vector<std::uint8_t>& data) {
  std::vector<std::uint8_t> out = {0x78, 0x01};
  std::size_t at = 0;
  do {
    const std::size_t n = std::min<std::size_t>(data.size() - at, 65535);
    const bool last = at + n == data.size();
    out.push_back(last ? 1 : 0);
    out.push_back(static_cast<std::uint8_t>(n & 0xFF));
    out.push_back(static_cast<std::uint8_t>(n >> 8));
    out.push_back(static_cast<std::uint8_t>(~n & 0xFF));
    out.push_back(static_cast<std::uint8_t>((~n >> 8) & 0xFF));
    out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(at),
               data.begin() + static_cast<std::ptrdiff_t>(at + n));
    at += n;
  } while (at < data.size());
  PutBigEndian(out, Adler32(data));
  return out;
}

}  // namespace

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  crc = ~crc;
  for (std::size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

std::uint32_t Adler32(const std::vector<std::uint8_t>& data) {
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t byte : data) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  return b << 16 | a;
}

std::vector<std::uint8_t> EncodePng(int width, int height, const std::vector<std::uint32_t>& argb) {
  if (width <= 0 || height <= 0 ||
      argb.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    return {};
  }
  std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> header;
  PutBigEndian(header, static_cast<std::uint32_t>(width));
  PutBigEndian(header, static_cast<std::uint32_t>(height));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter, not interlaced
  PutChunk(out, "IHDR", header);
  std::vector<std::uint8_t> rows;
  rows.reserve(static_cast<std::size_t>(height) * (1 + 4 * static_cast<std::size_t>(width)));
  for (int y = 0; y < height; ++y) {
    rows.push_back(0);  // no filter on this row
    for (int x = 0; x < width; ++x) {
      const std::uint32_t p = argb[static_cast<std::size_t>(y) * width + x];
      rows.insert(rows.end(), {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
                               static_cast<std::uint8_t>(p), static_cast<std::uint8_t>(p >> 24)});
    }
  }
  PutChunk(out, "IDAT", StoredZlib(rows));
  PutChunk(out, "IEND", {});
  return out;
}

}  // namespace assets
