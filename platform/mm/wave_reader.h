// Reading wave files: RIFF files of form WAVE holding plain PCM samples. The
// reader takes the whole file as bytes and tells where its samples are and in
// which format, or why it cannot. It touches no file and no device, so that
// tests and the fuzzer can drive it with any bytes at all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace mm {

enum class WaveResult {
  Ok,
  NotRiff,           // the file does not begin with a RIFF header
  NotWave,           // a RIFF file of another form than WAVE
  BadRiffSize,       // the RIFF size cannot even hold the form type
  Truncated,         // a chunk before the samples runs past the end of the file
  DataBeforeFormat,  // the samples come before the chunk that says their format
  RepeatedFormat,    // a second format chunk: which one holds is anybody's guess
  ShortFormat,       // a format chunk too small for the fields it must hold
  NotPcm,            // compressed or floating-point samples, or an unknown format tag
  BadChannels,       // neither mono nor stereo
  BadBits,           // neither 8 nor 16 bits a sample
  BadRate,           // a rate outside kMinRate..kMaxRate
  BadBlockAlign,     // block align other than channels × bytes a sample
  BadByteRate,       // byte rate other than rate × block align
  NoData,            // the file ends without a data chunk
};

// A short English text for each result, for messages and test output.
std::string_view Describe(WaveResult result);

constexpr int kMinRate = 8000;
constexpr int kMaxRate = 192000;

struct WaveView {
  int samplesPerSecond = 0;
  int channels = 0;       // 1 or 2
  int bitsPerSample = 0;  // 8 (unsigned) or 16 (signed, little-endian)
  // The samples, whole frames only, inside the file that was read.
  std::span<const std::uint8_t> samples;
};

// Fills `out` on success and leaves it empty otherwise. Never reads outside
// `file`.
//
// Decisions where files disagree with the format or with each other:
// - The chunks are walked up to the end the RIFF size gives, or the end of
//   the file when that comes first (a file cut short, or one written as a
//   stream whose size was never filled in).
// - A data chunk that runs past that end is cut to the whole frames that are
//   there, and so is one whose size is not a whole number of frames: a cut
//   recording still plays what it holds. An empty data chunk is a valid,
//   silent sound.
// - Chunks other than "fmt " and "data" are skipped, each with the pad byte
//   that follows an odd size; nothing after the data chunk is read.
// - WAVE_FORMAT_EXTENSIBLE is taken when its sub-format is PCM; its valid
//   bits may be fewer than the container's (the low bits are then zero and
//   the container is played as it is), never more. Its channel mask is not
//   looked at: mono is mono and stereo is left, right.
WaveResult ReadWave(std::span<const std::uint8_t> file, WaveView& out);

}  // namespace mm
