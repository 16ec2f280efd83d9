// The splash: the title over a night-blue field, a short wall with the ball
// and the paddle below it. The game writes its credit line in red at
// (180, 120) and its prompt in a blue box at (480, 570), and the intro puts
// the high-score line in black on a white strip across the top 20 pixels:
// those places are left plain, the credit line on a pale band of its own.
#include "tools/assets/assets.h"
#include "tools/assets/picture.h"

namespace assets {
namespace {

constexpr char kChecksum[] = "3E4DE3F0E700723502009B29490051AA";

constexpr COLORREF kBrickColours[][2] = {
    {RGB(240, 110, 100), RGB(170, 40, 40)},  {RGB(250, 190, 90), RGB(190, 110, 20)},
    {RGB(240, 230, 120), RGB(170, 150, 30)}, {RGB(120, 220, 130), RGB(30, 140, 60)},
    {RGB(110, 200, 240), RGB(30, 110, 180)}, {RGB(170, 140, 240), RGB(90, 60, 180)},
};

}  // namespace

std::vector<std::uint8_t> MakeLogoPicture() {
  Picture p;
  if (!p.ok()) return {};
  p.VerticalGradient({0, 0, Picture::kWidth, Picture::kHeight}, RGB(14, 20, 52), RGB(44, 24, 78));
  // The credit line's band: light enough for red text, soft at its edges.
  constexpr COLORREF kField = RGB(20, 21, 57), kBand = RGB(236, 232, 222);
  p.HorizontalGradient({100, 110, 160, 146}, kField, kBand);
  p.Box({160, 110, 700, 146}, kBand);
  p.HorizontalGradient({700, 110, 760, 146}, kBand, kField);

  p.ShadowedText(400, 180, u"ZARVO", 170, 800, RGB(255, 204, 72), RGB(70, 30, 20), 7);
  p.CentredText(400, 388, u"rompi il muro, un mattone alla volta", 26, 400, RGB(200, 208, 238));

  // Two rows of bricks, the second half a brick over, as on the play field.
  constexpr int kBrickWidth = 58, kBrickHeight = 20, kStep = 62, kLeft = 90;
  for (int row = 0; row < 2; ++row) {
    const int top = 436 + row * 24;
    const int shift = row == 0 ? 0 : kStep / 2;
    for (int i = 0; i < 10; ++i) {
      const int left = kLeft + shift + i * kStep;
      const auto& c = kBrickColours[(i + row * 3) % 6];
      p.Brick({left, top, left + kBrickWidth, top + kBrickHeight}, c[0], c[1]);
    }
  }
  p.Disc(322, 518, 11, RGB(230, 50, 50));
  p.Disc(319, 515, 4, RGB(250, 150, 150));
  p.Brick({250, 540, 350, 552}, RGB(220, 224, 236), RGB(120, 128, 150));
  return p.Bmp(kChecksum);
}

}  // namespace assets
