// Wave files: a RIFF "WAVE" with a 16-byte PCM "fmt " chunk and one "data"
// chunk, for sounds the tool makes.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace assets {

// 16-bit samples, interleaved when there is more than one channel. None when
// the format is not one a player can play (no channels, no rate) or the data
// would not fit the file's 32-bit sizes.
std::vector<std::uint8_t> EncodeWave16(int channels, int samplesPerSecond,
                                       std::span<const std::int16_t> samples);

}  // namespace assets
