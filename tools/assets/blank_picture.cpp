// The play field's background: a dark blue that deepens towards the top,
// with nothing on it that could be taken for a brick or the ball. The red
// ball, the coloured bricks, the coins' labels and the white status line
// all stand out on it.
#include "tools/assets/assets.h"
#include "tools/assets/picture.h"

namespace assets {

std::vector<std::uint8_t> MakeBlankPicture() {
  Picture p;
  if (!p.ok()) return {};
  p.VerticalGradient({0, 0, Picture::kWidth, Picture::kHeight}, RGB(6, 10, 30), RGB(20, 32, 72));
  return p.Bmp("424D160600008038CE00370F08002801");
}

}  // namespace assets
