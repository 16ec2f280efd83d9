#include "tools/assets/checksum_gap.h"

namespace assets {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

Checksum XorChecksum(std::span<const std::uint8_t> bytes) {
  Checksum sum{};
  for (std::size_t k = 0; k < bytes.size(); ++k) sum[k % 16] ^= bytes[k];
  return sum;
}

bool ParseChecksum(std::string_view text, Checksum& out) {
  if (text.size() != 32) return false;
  for (std::size_t i = 0; i < 16; ++i) {
    const int high = HexValue(text[2 * i]);
    const int low = HexValue(text[2 * i + 1]);
    if (high < 0 || low < 0) return false;
    out[i] = static_cast<std::uint8_t>(high << 4 | low);
  }
  return true;
}

bool FillChecksumGap(std::span<std::uint8_t> file, std::size_t gapOffset, const Checksum& wanted) {
  if (gapOffset > file.size() || file.size() - gapOffset < 16) return false;
  for (std::size_t j = 0; j < 16; ++j) file[gapOffset + j] = 0;
  const Checksum now = XorChecksum(file);
  for (std::size_t j = 0; j < 16; ++j) {
    const std::size_t slot = (gapOffset + j) % 16;
    file[gapOffset + j] = now[slot] ^ wanted[slot];
  }
  return true;
}

}  // namespace assets
