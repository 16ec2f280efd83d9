#include "tools/assets/wave_writer.h"

namespace assets {
namespace {

void Put(std::vector<std::uint8_t>& b, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void PutTag(std::vector<std::uint8_t>& b, const char (&tag)[5]) {
  b.insert(b.end(), tag, tag + 4);
}

}  // namespace

std::vector<std::uint8_t> EncodeWave16(int channels, int samplesPerSecond,
                                       std::span<const std::int16_t> samples) {
  if (channels < 1 || channels > 0xFFFF || samplesPerSecond < 1) return {};
  if (samples.size() % static_cast<std::size_t>(channels) != 0) return {};
  constexpr std::uint64_t kHeaderBytes = 44;
  const std::uint64_t dataBytes = std::uint64_t{samples.size()} * 2;
  if (kHeaderBytes + dataBytes > 0xFFFFFFFFu) return {};
  const std::uint32_t blockAlign = static_cast<std::uint32_t>(channels) * 2;

  std::vector<std::uint8_t> b;
  b.reserve(static_cast<std::size_t>(kHeaderBytes + dataBytes));
  PutTag(b, "RIFF");
  Put(b, static_cast<std::uint32_t>(kHeaderBytes - 8 + dataBytes), 4);
  PutTag(b, "WAVE");
  PutTag(b, "fmt ");
  Put(b, 16, 4);
  Put(b, 1, 2);  // PCM
  Put(b, static_cast<std::uint32_t>(channels), 2);
  Put(b, static_cast<std::uint32_t>(samplesPerSecond), 4);
  Put(b, static_cast<std::uint32_t>(samplesPerSecond) * blockAlign, 4);  // bytes a second
  Put(b, blockAlign, 2);
  Put(b, 16, 2);  // bits a sample
  PutTag(b, "data");
  Put(b, static_cast<std::uint32_t>(dataBytes), 4);
  for (std::int16_t s : samples) Put(b, static_cast<std::uint16_t>(s), 2);
  return b;
}

}  // namespace assets
