// Any bytes at all as a wave file: reading never goes out of bounds, and a
// wave it accepts is one the hosts can play: a known format and whole frames
// lying inside the file. A refused one leaves nothing behind.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "platform/mm/wave_reader.h"

namespace {

bool Playable(const mm::WaveView& out, std::span<const std::uint8_t> file) {
  const bool format = (out.channels == 1 || out.channels == 2) &&
                      (out.bitsPerSample == 8 || out.bitsPerSample == 16) &&
                      out.samplesPerSecond >= mm::kMinRate && out.samplesPerSecond <= mm::kMaxRate;
  if (!format) return false;
  const std::size_t frame = static_cast<std::size_t>(out.channels * out.bitsPerSample / 8);
  if (out.samples.size() % frame != 0) return false;
  if (out.samples.empty()) return true;
  return out.samples.data() >= file.data() &&
         out.samples.data() + out.samples.size() <= file.data() + file.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> file(data, size);
  mm::WaveView out;
  const mm::WaveResult result = mm::ReadWave(file, out);
  const bool sound = result == mm::WaveResult::Ok
                         ? Playable(out, file)
                         : out.channels == 0 && out.samplesPerSecond == 0 && out.samples.empty();
  if (!sound) std::abort();
  // Touch every sample, so that the sanitizer sees a view that is not the file's.
  volatile std::uint8_t sum = 0;
  for (std::uint8_t b : out.samples) sum = static_cast<std::uint8_t>(sum + b);
  return 0;
}
