#include "platform/host/sdl/pcm_conversion.h"

#include <algorithm>

namespace host::sdl {
namespace {

constexpr int kLowestRate = 1000;
constexpr int kHighestRate = 384000;

SDL_AudioFormat SdlFormatOf(const PcmFormat& format) {
  return format.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
}

}  // namespace

bool IsPlayablePcm(const PcmFormat& format) {
  return (format.channels == 1 || format.channels == 2) &&
         (format.bitsPerSample == 8 || format.bitsPerSample == 16) &&
         format.samplesPerSecond >= kLowestRate && format.samplesPerSecond <= kHighestRate;
}

std::optional<std::vector<Uint8>> ConvertPcm(const PcmFormat& format,
                                             std::span<const std::uint8_t> samples,
                                             const SDL_AudioSpec& device) {
  if (!IsPlayablePcm(format)) return std::nullopt;
  const std::size_t frameBytes =
      static_cast<std::size_t>(format.channels * format.bitsPerSample / 8);
  const std::size_t wholeBytes = samples.size() / frameBytes * frameBytes;
  if (wholeBytes == 0) return std::vector<Uint8>{};
  if (wholeBytes > static_cast<std::size_t>(SDL_MAX_SINT32)) return std::nullopt;

  // SDL_AudioCVT converts a whole sound at once. (SDL 2.26's SDL_AudioStream,
  // given a whole sound in one piece and flushed, drops the last part of it
  // whenever the rate changes.)
  SDL_AudioCVT cvt;
  const int built =
      SDL_BuildAudioCVT(&cvt, SdlFormatOf(format), static_cast<Uint8>(format.channels),
                        format.samplesPerSecond, device.format, device.channels, device.freq);
  if (built < 0) return std::nullopt;
  if (built == 0) return std::vector<Uint8>(samples.begin(), samples.begin() + wholeBytes);
  const std::size_t room = wholeBytes * static_cast<std::size_t>(cvt.len_mult);
  if (cvt.len_mult <= 0 || room > static_cast<std::size_t>(SDL_MAX_SINT32)) return std::nullopt;
  // SDL converts in place, in a buffer large enough for every step.
  std::vector<Uint8> converted(room);
  std::copy(samples.begin(), samples.begin() + wholeBytes, converted.begin());
  cvt.buf = converted.data();
  cvt.len = static_cast<int>(wholeBytes);
  if (SDL_ConvertAudio(&cvt) != 0) return std::nullopt;
  converted.resize(static_cast<std::size_t>(cvt.len_cvt));
  return converted;
}

}  // namespace host::sdl
