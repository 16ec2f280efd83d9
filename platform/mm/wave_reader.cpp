#include "platform/mm/wave_reader.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace mm {
namespace {

using File = std::span<const std::uint8_t>;

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;
constexpr std::uint64_t kChunkHeader = 8;
constexpr std::uint64_t kPlainFormatSize = 16;
constexpr std::uint64_t kExtensibleFormatSize = 40;
// The sub-format of extensible PCM, as its bytes lie in the file.
constexpr std::array<std::uint8_t, 16> kPcmSubFormat{
    0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

std::uint16_t Word(File file, std::uint64_t at) {
  return static_cast<std::uint16_t>(file[at] | file[at + 1] << 8);
}

std::uint32_t Dword(File file, std::uint64_t at) {
  return static_cast<std::uint32_t>(file[at]) | static_cast<std::uint32_t>(file[at + 1]) << 8 |
         static_cast<std::uint32_t>(file[at + 2]) << 16 |
         static_cast<std::uint32_t>(file[at + 3]) << 24;
}

bool Tag(File file, std::uint64_t at, const char (&tag)[5]) {
  return std::memcmp(file.data() + at, tag, 4) == 0;
}

struct Format {
  int samplesPerSecond = 0;
  int channels = 0;
  int bitsPerSample = 0;
  int blockAlign = 0;
};

// The body of a "fmt " chunk, `size` bytes at `at`, all inside the file.
WaveResult ReadFormat(File file, std::uint64_t at, std::uint64_t size, Format& format) {
  if (size < kPlainFormatSize) return WaveResult::ShortFormat;
  const std::uint16_t tag = Word(file, at);
  const std::uint16_t channels = Word(file, at + 2);
  const std::uint32_t rate = Dword(file, at + 4);
  const std::uint32_t byteRate = Dword(file, at + 8);
  const std::uint16_t blockAlign = Word(file, at + 12);
  const std::uint16_t bits = Word(file, at + 14);
  if (tag == kFormatExtensible) {
    if (size < kExtensibleFormatSize || Word(file, at + 16) < kExtensibleFormatSize - 18) {
      return WaveResult::ShortFormat;
    }
    if (std::memcmp(file.data() + at + 24, kPcmSubFormat.data(), kPcmSubFormat.size()) != 0) {
      return WaveResult::NotPcm;
    }
    const std::uint16_t validBits = Word(file, at + 18);
    if (validBits == 0 || validBits > bits) return WaveResult::BadBits;
  } else if (tag != kFormatPcm) {
    return WaveResult::NotPcm;
  }
  if (channels != 1 && channels != 2) return WaveResult::BadChannels;
  if (bits != 8 && bits != 16) return WaveResult::BadBits;
  if (rate < static_cast<std::uint32_t>(kMinRate) || rate > static_cast<std::uint32_t>(kMaxRate)) {
    return WaveResult::BadRate;
  }
  if (blockAlign != channels * bits / 8) return WaveResult::BadBlockAlign;
  if (static_cast<std::uint64_t>(byteRate) != std::uint64_t{rate} * blockAlign) {
    return WaveResult::BadByteRate;
  }
  format = {static_cast<int>(rate), channels, bits, blockAlign};
  return WaveResult::Ok;
}

}  // namespace

std::string_view Describe(WaveResult result) {
  switch (result) {
    case WaveResult::Ok:
      return "a wave this reader plays";
    case WaveResult::NotRiff:
      return "not a RIFF file";
    case WaveResult::NotWave:
      return "a RIFF file of another form than WAVE";
    case WaveResult::BadRiffSize:
      return "a RIFF size too small for the form type";
    case WaveResult::Truncated:
      return "a chunk runs past the end of the file";
    case WaveResult::DataBeforeFormat:
      return "the samples come before their format";
    case WaveResult::RepeatedFormat:
      return "more than one format chunk";
    case WaveResult::ShortFormat:
      return "a format chunk too small for its fields";
    case WaveResult::NotPcm:
      return "samples other than PCM";
    case WaveResult::BadChannels:
      return "neither mono nor stereo";
    case WaveResult::BadBits:
      return "neither 8 nor 16 bits a sample";
    case WaveResult::BadRate:
      return "a sample rate outside 8000 to 192000 Hz";
    case WaveResult::BadBlockAlign:
      return "a block align that does not fit channels and bits";
    case WaveResult::BadByteRate:
      return "a byte rate that does not fit rate and block align";
    case WaveResult::NoData:
      return "no data chunk";
  }
  return "unknown";
}

WaveResult ReadWave(File file, WaveView& out) {
  out = WaveView{};
  const std::uint64_t fileSize = file.size();
  if (fileSize < kChunkHeader || !Tag(file, 0, "RIFF")) return WaveResult::NotRiff;
  const std::uint64_t riffSize = Dword(file, 4);
  if (riffSize < 4) return WaveResult::BadRiffSize;
  if (fileSize < kChunkHeader + 4) return WaveResult::Truncated;
  if (!Tag(file, 8, "WAVE")) return WaveResult::NotWave;

  // Everything below is 64-bit: a chunk size near 4 GiB plus its offset
  // must not wrap around into the file.
  const std::uint64_t end = std::min(fileSize, kChunkHeader + riffSize);
  Format format;
  bool haveFormat = false;
  std::uint64_t at = kChunkHeader + 4;
  while (at + kChunkHeader <= end) {
    const std::uint64_t size = Dword(file, at + 4);
    const std::uint64_t body = at + kChunkHeader;
    if (Tag(file, at, "data")) {
      if (!haveFormat) return WaveResult::DataBeforeFormat;
      std::uint64_t length = std::min(size, end - body);
      length -= length % static_cast<std::uint64_t>(format.blockAlign);
      out.samplesPerSecond = format.samplesPerSecond;
      out.channels = format.channels;
      out.bitsPerSample = format.bitsPerSample;
      out.samples = file.subspan(static_cast<std::size_t>(body), static_cast<std::size_t>(length));
      return WaveResult::Ok;
    }
    if (body + size > end) return WaveResult::Truncated;
    if (Tag(file, at, "fmt ")) {
      if (haveFormat) return WaveResult::RepeatedFormat;
      if (WaveResult r = ReadFormat(file, body, size, format); r != WaveResult::Ok) return r;
      haveFormat = true;
    }
    at = body + size + (size & 1);
  }
  // A few bytes left over that make no chunk header are not a chunk.
  return WaveResult::NoData;
}

}  // namespace mm
