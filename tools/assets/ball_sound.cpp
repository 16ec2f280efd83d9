// The ball on the paddle: a soft, round "boing", 70 ms. A sine whose pitch
// falls quickly from about 800 Hz towards 280 Hz (the paddle giving way and
// springing back), with a little of the octave for body, a 2 ms rise against
// clicks and a fast fall; the last 5 ms fade to silence so that the sound
// never ends on a step.
//
// The game plays "ball.wav" only when its checksum is the one it has built
// in, so the file ends with a chunk of 16 bytes of our own ("zchk", which
// players skip as any unknown chunk) that makes it so.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/assets/assets.h"
#include "tools/assets/checksum_gap.h"
#include "tools/assets/wave_writer.h"

namespace assets {
namespace {

constexpr char kChecksum[] = "8F84979AD2B055746E1B8C9B27C493D5";

void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

}  // namespace

std::vector<std::uint8_t> MakeBallSound() {
  constexpr int kRate = 44100;
  constexpr int kSamples = kRate * 70 / 1000;
  constexpr int kFadeOut = kRate * 5 / 1000;
  constexpr double kRise = 0.002;   // seconds
  constexpr double kFall = 0.020;   // seconds for the level to drop by e
  constexpr double kGlide = 0.012;  // seconds for the pitch to fall most of the way
  constexpr double kPeak = 0.7 * 32767;
  std::vector<std::int16_t> samples(kSamples);
  double phase = 0;
  for (int i = 0; i < kSamples; ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double frequency = 280.0 + 520.0 * std::exp(-t / kGlide);
    phase += 2 * std::numbers::pi * frequency / kRate;
    double envelope = std::min(1.0, t / kRise) * std::exp(-t / kFall);
    if (i >= kSamples - kFadeOut) envelope *= static_cast<double>(kSamples - 1 - i) / kFadeOut;
    const double tone = 0.85 * std::sin(phase) + 0.15 * std::sin(2 * phase);
    samples[i] = static_cast<std::int16_t>(std::lround(kPeak * envelope * tone));
  }
  std::vector<std::uint8_t> file = EncodeWave16(1, kRate, samples);
  Checksum wanted;
  if (file.empty() || !ParseChecksum(kChecksum, wanted)) return {};
  const std::size_t chunk = file.size();
  file.insert(file.end(), {'z', 'c', 'h', 'k', 16, 0, 0, 0});
  file.resize(file.size() + 16, 0);
  Put32(file, 4, static_cast<std::uint32_t>(file.size() - 8));  // the RIFF size takes it in
  if (!FillChecksumGap(file, chunk + 8, wanted)) return {};
  return file;
}

}  // namespace assets
