// Small wave files of every kind the reader plays, with the samples it must
// find in them, and broken ones with the reason each must be refused. The
// reader's and PlaySoundW's tests use them; the fuzzer's seed corpus is
// written from them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/mm/wave_reader.h"

namespace testing_support {

namespace wave {

inline std::string Le16(std::uint32_t v) {
  return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)};
}

inline std::string Le32(std::uint32_t v) {
  return Le16(v & 0xFFFF) + Le16(v >> 16);
}

// A chunk: tag, size, body, and the pad byte after an odd body. `size` in
// place of the body's own, for chunks that lie about it.
inline std::string Chunk(const std::string& tag, const std::string& body,
                         std::optional<std::uint32_t> size = std::nullopt) {
  std::string chunk = tag + Le32(size.value_or(static_cast<std::uint32_t>(body.size()))) + body;
  if (body.size() % 2 == 1) chunk += '\0';
  return chunk;
}

// The RIFF header of form `form` around the chunks; its size counts the form
// type and the chunks unless `size` says otherwise.
inline std::string Riff(const std::string& chunks, std::optional<std::uint32_t> size = std::nullopt,
                        const std::string& form = "WAVE") {
  return "RIFF" + Le32(size.value_or(static_cast<std::uint32_t>(4 + chunks.size()))) + form +
         chunks;
}

// The 16 bytes every format chunk begins with. Byte rate and block align
// follow from the others unless given.
inline std::string FormatBody(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate,
                              std::uint16_t bits,
                              std::optional<std::uint32_t> byteRate = std::nullopt,
                              std::optional<std::uint16_t> blockAlign = std::nullopt) {
  const std::uint16_t align = blockAlign.value_or(static_cast<std::uint16_t>(channels * bits / 8));
  return Le16(tag) + Le16(channels) + Le32(rate) + Le32(byteRate.value_or(rate * align)) +
         Le16(align) + Le16(bits);
}

inline std::string Fmt(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits) {
  return Chunk("fmt ", FormatBody(1, channels, rate, bits));
}

// The sub-format GUIDs of extensible PCM and of extensible floating point.
inline const std::string kPcmGuid(
    "\x01\x00\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 16);
inline const std::string kFloatGuid(
    "\x03\x00\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 16);

inline std::string ExtensibleFmt(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits,
                                 std::uint16_t validBits, const std::string& guid = kPcmGuid,
                                 std::uint16_t extraSize = 22) {
  const std::string body = FormatBody(0xFFFE, channels, rate, bits) + Le16(extraSize) +
                           Le16(validBits) + Le32(channels == 1 ? 0x4 : 0x3) + guid;
  return Chunk("fmt ", body);
}

// `frames` frames of a ramp that differs in every byte of a frame, so that a
// sample read from the wrong place shows.
inline std::string Ramp(int channels, int bits, int frames) {
  std::string bytes;
  for (int i = 0; i < frames; ++i) {
    for (int c = 0; c < channels; ++c) {
      const int v = i * 7 + c * 101 + 3;
      if (bits == 8) {
        bytes += static_cast<char>(v & 0xFF);
      } else {
        bytes += Le16(static_cast<std::uint32_t>(v * 257 - 20000) & 0xFFFF);
      }
    }
  }
  return bytes;
}

}  // namespace wave

struct ValidWave {
  std::string name;
  std::string file;
  int rate;
  int channels;
  int bits;
  std::string samples;  // what the reader must hand out, byte for byte
};

struct BrokenWave {
  std::string name;
  std::string file;
  mm::WaveResult expected;
};

inline std::vector<ValidWave> ValidWaves() {
  using namespace wave;
  const std::string m8 = Ramp(1, 8, 9), m16 = Ramp(1, 16, 8), s8 = Ramp(2, 8, 6),
                    s16 = Ramp(2, 16, 5);
  const std::string list = Chunk("LIST", "INFOISFT" + Le32(5) + "Zarvo");  // odd: padded
  return {
      {"mono-8", Riff(Fmt(1, 8000, 8) + Chunk("data", m8)), 8000, 1, 8, m8},
      {"mono-16", Riff(Fmt(1, 22050, 16) + Chunk("data", m16)), 22050, 1, 16, m16},
      {"stereo-8", Riff(Fmt(2, 11025, 8) + Chunk("data", s8)), 11025, 2, 8, s8},
      {"stereo-16", Riff(Fmt(2, 44100, 16) + Chunk("data", s16)), 44100, 2, 16, s16},
      {"rate-192000", Riff(Fmt(1, 192000, 16) + Chunk("data", m16)), 192000, 1, 16, m16},
      {"format-with-extra-size",
       Riff(Chunk("fmt ", FormatBody(1, 2, 48000, 16) + Le16(0)) + Chunk("data", s16)), 48000, 2,
       16, s16},
      {"extensible-pcm", Riff(ExtensibleFmt(2, 44100, 16, 16) + Chunk("data", s16)), 44100, 2, 16,
       s16},
      {"extensible-12-valid-bits", Riff(ExtensibleFmt(1, 8000, 16, 12) + Chunk("data", m16)), 8000,
       1, 16, m16},
      {"odd-chunks-before-and-after",
       Riff(list + Fmt(1, 8000, 8) + Chunk("fact", Le32(9)) + Chunk("data", m8) +
            Chunk("LIST", "trailing")),
       8000, 1, 8, m8},
      {"empty-data", Riff(Fmt(1, 8000, 16) + Chunk("data", "")), 8000, 1, 16, ""},
      // Data cut short: the whole frames that are there.
      {"data-cut-by-end-of-file", Riff(Fmt(2, 44100, 16) + Chunk("data", s16 + "\x01\x02", 400)),
       44100, 2, 16, s16},
      {"data-size-not-whole-frames", Riff(Fmt(2, 44100, 16) + Chunk("data", s16 + "\x01\x02")),
       44100, 2, 16, s16},
      // Written as a stream: neither size was filled in.
      {"stream-sizes", Riff(Fmt(1, 8000, 16) + Chunk("data", m16, 0xFFFFFFFF), 0xFFFFFFFF), 8000, 1,
       16, m16},
      // The RIFF size ends inside the data: the data ends there too.
      {"riff-size-inside-data",
       Riff(Fmt(1, 8000, 8) + Chunk("data", m8), static_cast<std::uint32_t>(4 + 24 + 8 + 5)), 8000,
       1, 8, m8.substr(0, 5)},
  };
}

inline std::vector<BrokenWave> BrokenWaves() {
  using namespace wave;
  using R = mm::WaveResult;
  const std::string data = Chunk("data", Ramp(1, 8, 8));
  auto withFormat = [&](const std::string& body) { return Riff(Chunk("fmt ", body) + data); };
  const std::string fmt8 = Fmt(1, 8000, 8);
  return {
      {"empty", "", R::NotRiff},
      {"seven-bytes", std::string("RIFF\x04\0\0", 7), R::NotRiff},
      {"big-endian-riff", "RIFX" + Riff(fmt8 + data).substr(4), R::NotRiff},
      {"form-avi", Riff(fmt8 + data, std::nullopt, "AVI "), R::NotWave},
      {"riff-size-3", Riff(fmt8 + data, 3), R::BadRiffSize},
      {"cut-in-form-type", std::string("RIFF\x04\0\0\0WA", 10), R::Truncated},
      {"format-past-end-of-file", Riff(fmt8).substr(0, 12 + 8 + 10), R::Truncated},
      {"chunk-before-data-past-end", Riff(fmt8 + Chunk("LIST", "abcd", 100) + data), R::Truncated},
      {"data-before-format", Riff(data + fmt8), R::DataBeforeFormat},
      {"two-formats", Riff(fmt8 + Fmt(1, 8000, 16) + data), R::RepeatedFormat},
      {"format-14-bytes", Riff(Chunk("fmt ", FormatBody(1, 1, 8000, 8).substr(0, 14)) + data),
       R::ShortFormat},
      {"extensible-without-extension", withFormat(FormatBody(0xFFFE, 1, 8000, 8)), R::ShortFormat},
      {"extensible-extension-size-0", Riff(ExtensibleFmt(1, 8000, 8, 8, kPcmGuid, 0) + data),
       R::ShortFormat},
      {"float", withFormat(FormatBody(3, 1, 8000, 32)), R::NotPcm},
      {"adpcm", withFormat(FormatBody(2, 1, 8000, 4)), R::NotPcm},
      {"extensible-float", Riff(ExtensibleFmt(1, 8000, 32, 32, kFloatGuid) + data), R::NotPcm},
      {"no-channels", withFormat(FormatBody(1, 0, 8000, 8)), R::BadChannels},
      {"three-channels", withFormat(FormatBody(1, 3, 8000, 8)), R::BadChannels},
      {"bits-24", withFormat(FormatBody(1, 1, 8000, 24)), R::BadBits},
      {"bits-4", withFormat(FormatBody(1, 1, 8000, 4)), R::BadBits},
      {"extensible-more-valid-bits-than-container", Riff(ExtensibleFmt(1, 8000, 16, 20) + data),
       R::BadBits},
      {"rate-0", withFormat(FormatBody(1, 1, 0, 8)), R::BadRate},
      {"rate-7999", withFormat(FormatBody(1, 1, 7999, 8)), R::BadRate},
      {"rate-192001", withFormat(FormatBody(1, 1, 192001, 8)), R::BadRate},
      {"block-align-3", withFormat(FormatBody(1, 2, 8000, 16, std::nullopt, 3)), R::BadBlockAlign},
      {"block-align-0", withFormat(FormatBody(1, 1, 8000, 8, std::nullopt, 0)), R::BadBlockAlign},
      {"byte-rate-off-by-one", withFormat(FormatBody(1, 2, 8000, 16, 32001)), R::BadByteRate},
      {"no-data", Riff(fmt8 + Chunk("LIST", "abcd")), R::NoData},
      {"data-beyond-riff-size", Riff(fmt8 + data, 4 + 24), R::NoData},
      {"cut-in-data-header", Riff(fmt8 + data).substr(0, 12 + 24 + 5), R::NoData},
  };
}

}  // namespace testing_support
