#include "platform/gdi/bmp_rle.h"

#include <algorithm>
#include <cstddef>

namespace gdi::bmp {
namespace {

enum Escape : std::uint8_t { kEndOfLine = 0, kEndOfPicture = 1, kMove = 2 };

// Rows are counted from the bottom, as the data codes them.
class RleReader {
 public:
  RleReader(std::span<const std::uint8_t> data, const RleTarget& target)
      : data_(data), t_(target) {}

  BmpResult Expand() {
    while (!done_) {
      if (!Has(2)) return Complete() ? BmpResult::Ok : BmpResult::Truncated;
      const std::uint8_t count = data_[pos_];
      const std::uint8_t value = data_[pos_ + 1];
      pos_ += 2;
      const BmpResult r = count != 0 ? Repeat(count, value) : Escaped(value);
      if (r != BmpResult::Ok) return r;
    }
    return BmpResult::Ok;
  }

 private:
  bool Has(std::size_t bytes) const { return data_.size() - pos_ >= bytes; }
  // Data may end without its end code once every pixel has been given.
  bool Complete() const { return row_ >= t_.height || (row_ == t_.height - 1 && x_ == t_.width); }

  // RLE4 alternates the two nibbles of the colour byte, high one first.
  BmpResult Repeat(int count, std::uint8_t colours) {
    return Put(count, [&](int i) -> std::uint32_t {
      if (t_.bitsPerPixel == 8) return colours;
      return i % 2 == 0 ? colours >> 4 : colours & 0x0F;
    });
  }

  BmpResult Escaped(std::uint8_t code) {
    switch (code) {
      case kEndOfLine:
        if (row_ >= t_.height) return BmpResult::BadRle;
        x_ = 0;
        ++row_;
        return BmpResult::Ok;
      case kEndOfPicture:
        done_ = true;
        return BmpResult::Ok;
      case kMove:
        return Move();
      default:
        return Literal(code);
    }
  }

  BmpResult Move() {
    if (!Has(2)) return BmpResult::Truncated;
    const int dx = data_[pos_];
    const int dy = data_[pos_ + 1];
    pos_ += 2;
    if (x_ + dx > t_.width || row_ + dy > t_.height) return BmpResult::BadRle;
    x_ += dx;
    row_ += dy;
    return BmpResult::Ok;
  }

  // The literal colours, padded to an even number of bytes.
  BmpResult Literal(int count) {
    const std::size_t bytes =
        t_.bitsPerPixel == 8 ? count : (static_cast<std::size_t>(count) + 1) / 2;
    if (!Has(bytes)) return BmpResult::Truncated;
    const std::uint8_t* first = data_.data() + pos_;
    const BmpResult r = Put(count, [&](int i) -> std::uint32_t {
      if (t_.bitsPerPixel == 8) return first[i];
      return i % 2 == 0 ? first[i / 2] >> 4 : first[i / 2] & 0x0F;
    });
    pos_ += std::min(bytes + bytes % 2, data_.size() - pos_);
    return r;
  }

  template <typename IndexOf>
  BmpResult Put(int count, IndexOf indexOf) {
    if (row_ >= t_.height || x_ + count > t_.width) return BmpResult::BadRle;
    std::uint32_t* out = t_.pixels + static_cast<std::size_t>(t_.height - 1 - row_) * t_.width + x_;
    for (int i = 0; i < count; ++i) {
      const std::uint32_t index = indexOf(i);
      if (index >= t_.palette.size()) return BmpResult::BadPaletteIndex;
      out[i] = t_.palette[index];
    }
    x_ += count;
    return BmpResult::Ok;
  }

  std::span<const std::uint8_t> data_;
  const RleTarget& t_;
  std::size_t pos_ = 0;
  int x_ = 0;
  int row_ = 0;
  bool done_ = false;
};

}  // namespace

BmpResult ExpandRle(std::span<const std::uint8_t> data, const RleTarget& target) {
  return RleReader(data, target).Expand();
}

}  // namespace gdi::bmp
