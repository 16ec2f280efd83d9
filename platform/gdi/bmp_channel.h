// One colour channel of a bit-field pixel: the bits its mask selects, taken
// in order from the lowest, and scaled exactly to 0..255 so that a channel of
// all ones is 255 whatever its width. Masks with gaps are read the same way,
// as the number their selected bits make.
#pragma once

#include <cstdint>
#include <vector>

namespace gdi::bmp {

class MaskChannel {
 public:
  explicit MaskChannel(std::uint32_t mask);  // mask must not be 0

  std::uint32_t operator()(std::uint32_t pixel) const {
    const std::uint32_t value = Gather(pixel);
    return value < scale_.size() ? scale_[value] : Scale(value);
  }

 private:
  std::uint32_t Gather(std::uint32_t pixel) const {
    return contiguous_ ? (pixel & mask_) >> shift_ : GatherScattered(pixel);
  }
  std::uint32_t GatherScattered(std::uint32_t pixel) const;
  std::uint32_t Scale(std::uint32_t value) const;

  std::uint32_t mask_;
  int shift_;
  int bits_;
  bool contiguous_;
  std::vector<std::uint8_t> scale_;  // Scale of every value, for channels up to 16 bits
};

}  // namespace gdi::bmp
