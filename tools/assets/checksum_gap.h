// The game checks each shipped file against a 16-byte XOR of its bytes (file
// byte k into byte k mod 16). Sixteen bytes at any sixteen consecutive
// offsets reach all sixteen accumulator bytes, so a file with such a gap
// that nothing reads can be given the value the game expects.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace assets {

using Checksum = std::array<std::uint8_t, 16>;

Checksum XorChecksum(std::span<const std::uint8_t> bytes);

// The 32 hexadecimal digits as bytes; false when the text is not that.
bool ParseChecksum(std::string_view text, Checksum& out);

// Sets the 16 bytes at `gapOffset` (zero while the rest was computed or
// not) so that the whole file's checksum becomes `wanted`. False when the
// gap does not lie inside the file.
bool FillChecksumGap(std::span<std::uint8_t> file, std::size_t gapOffset, const Checksum& wanted);

}  // namespace assets
