// The sound of a brick breaking: a short, bright tick. Two high partials
// that do not share a period (so it rings like a struck tile, not a beep),
// a 1 ms rise against clicks and an exponential fall to near nothing by the
// end of the tenth of a second.
#include <cmath>
#include <numbers>

#include "tools/assets/assets.h"
#include "tools/assets/wave_writer.h"

namespace assets {

std::vector<std::uint8_t> MakeBrickSound() {
  constexpr int kRate = 44100;
  constexpr int kSamples = kRate / 10;
  constexpr double kRise = 0.001;     // seconds
  constexpr double kFall = 0.012;     // seconds for the level to drop by e
  constexpr double kPeak = 0.8 * 32767;
  std::vector<std::int16_t> samples(kSamples);
  for (int i = 0; i < kSamples; ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double envelope = std::min(1.0, t / kRise) * std::exp(-t / kFall);
    const double tone = 0.65 * std::sin(2 * std::numbers::pi * 2093.0 * t) +
                        0.35 * std::sin(2 * std::numbers::pi * 3322.0 * t);
    samples[i] = static_cast<std::int16_t>(std::lround(kPeak * envelope * tone));
  }
  return EncodeWave16(1, kRate, samples);
}

}  // namespace assets
