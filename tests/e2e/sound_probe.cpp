// How many times each wave file's sound is in a recording of SDL's disk
// audio driver: sound_probe <recording> <wave>... prints one count a line.
//
// The recording holds what the game's audio device played, 16-bit stereo at
// 44100 Hz. Each wave is brought to that format the way the game's host
// brings it, so its samples stand in the recording byte for byte wherever it
// played to its end.
#include <SDL.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "platform/crt/whole_file.h"
#include "platform/host/sdl/pcm_conversion.h"
#include "platform/mm/wave_reader.h"

namespace {

// A recording grows by 176 400 bytes a second; a test's runs far below this.
constexpr std::size_t kMaxFileBytes = std::size_t{1} << 30;

int Occurrences(const std::vector<std::uint8_t>& haystack, const std::vector<std::uint8_t>& needle) {
  if (needle.empty()) return 0;
  const std::string_view all(reinterpret_cast<const char*>(haystack.data()), haystack.size());
  const std::string_view part(reinterpret_cast<const char*>(needle.data()), needle.size());
  int n = 0;
  for (auto at = all.find(part); at != std::string_view::npos; at = all.find(part, at + 1)) ++n;
  return n;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: sound_probe <recording> <wave>...\n");
    return 2;
  }
  std::vector<std::uint8_t> recording;
  if (!crt::ReadWholeFile(argv[1], kMaxFileBytes, recording)) {
    std::fprintf(stderr, "sound_probe: cannot read %s\n", argv[1]);
    return 2;
  }
  SDL_AudioSpec device{};
  device.freq = 44100;
  device.format = AUDIO_S16SYS;
  device.channels = 2;
  for (int i = 2; i < argc; ++i) {
    std::vector<std::uint8_t> file;
    const bool ok = crt::ReadWholeFile(argv[i], kMaxFileBytes, file);
    mm::WaveView wave;
    const mm::WaveResult result = ok ? mm::ReadWave(file, wave) : mm::WaveResult::NoData;
    if (!ok || result != mm::WaveResult::Ok) {
      std::fprintf(stderr, "sound_probe: %s: %s\n", argv[i],
                   ok ? std::string(mm::Describe(result)).c_str() : "cannot read");
      return 2;
    }
    const host::PcmFormat format{wave.samplesPerSecond, wave.channels, wave.bitsPerSample};
    const auto converted = host::sdl::ConvertPcm(format, wave.samples, device);
    if (!converted) {
      std::fprintf(stderr, "sound_probe: %s: not convertible\n", argv[i]);
      return 2;
    }
    std::printf("%d\n", Occurrences(recording, *converted));
  }
  return 0;
}
