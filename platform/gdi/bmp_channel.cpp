#include "platform/gdi/bmp_channel.h"

#include <bit>

namespace gdi::bmp {
namespace {

constexpr int kTabulatedBits = 16;

}  // namespace

MaskChannel::MaskChannel(std::uint32_t mask)
    : mask_(mask),
      shift_(std::countr_zero(mask)),
      bits_(std::popcount(mask)),
      contiguous_(static_cast<int>(std::bit_width(mask >> shift_)) == bits_) {
  if (bits_ > kTabulatedBits) return;
  scale_.resize(std::size_t{1} << bits_);
  for (std::uint32_t value = 0; value < scale_.size(); ++value) {
    scale_[value] = static_cast<std::uint8_t>(Scale(value));
  }
}

std::uint32_t MaskChannel::GatherScattered(std::uint32_t pixel) const {
  std::uint32_t value = 0;
  int next = 0;
  for (std::uint32_t rest = mask_; rest != 0; rest &= rest - 1) {
    value |= ((pixel >> std::countr_zero(rest)) & 1u) << next++;
  }
  return value;
}

// Rounded to the nearest of 0..255, so that the top value is exactly 255.
std::uint32_t MaskChannel::Scale(std::uint32_t value) const {
  const std::uint64_t top = (std::uint64_t{1} << bits_) - 1;
  return static_cast<std::uint32_t>((value * std::uint64_t{255} + top / 2) / top);
}

}  // namespace gdi::bmp
