#include "game/shell/asset_check.h"

#include <array>
#include <cstdint>
#include <string_view>

#include "platform/api/crt.h"

namespace Zarvo {
namespace {

constexpr std::size_t kBlockBytes = 10240;  // a multiple of 16: byte k lands in k mod 16

struct Expected {
  std::string_view fileName;
  std::string_view checksum;
};

constexpr Expected kExpected[] = {
    {"logo.bmp", "3E4DE3F0E700723502009B29490051AA"},
    {"blank.bmp", "424D160600008038CE00370F08002801"},
    {"replay.bmp", "C1AAC8D8E7BE15AF92A8BDB26E20D9E0"},
    {"livello.bmp", "174D80001E5421F878DA8B5EE5816360"},
    {"gameover.bmp", "82893FB57D83E021C98F9F84F6B30C91"},
};

std::string ToHex(const std::array<std::uint8_t, 16>& bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(32);
  for (std::uint8_t b : bytes) {
    text.push_back(kDigits[b >> 4]);
    text.push_back(kDigits[b & 0x0F]);
  }
  return text;
}

}  // namespace

std::string FileChecksum(const std::string& path) {
  std::array<std::uint8_t, 16> sum{};
  crt::FILE* file = crt::fopen(path.c_str(), "rb");
  if (file != nullptr) {
    static_assert(kBlockBytes % 16 == 0);
    std::array<std::uint8_t, kBlockBytes> block;
    long position = 0;
    do {
      block.fill(0);
      if (crt::fseek(file, position, SEEK_SET) != 0) break;
      const std::size_t n = crt::fread(block.data(), 1, block.size(), file);
      position += static_cast<long>(n);
      // A read that failed midway gives bytes nobody can vouch for.
      if (crt::ferror(file) != 0) break;
      for (std::size_t i = 0; i < n; ++i) sum[i % 16] ^= block[i];
    } while (crt::feof(file) == 0);
    crt::fclose(file);
  }
  return ToHex(sum);
}

std::string ExpectedChecksum(const std::string& fileName) {
  for (const Expected& e : kExpected) {
    if (e.fileName == fileName) return std::string(e.checksum);
  }
  return {};
}

}  // namespace Zarvo
