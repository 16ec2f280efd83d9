// The pictures between the moments of a game: a wall cleared, a ball lost,
// the game over. Each says what happened in a large line and a small one
// below it, on a dark field of its own colour. No text of the game goes over
// them.
#include "tools/assets/assets.h"
#include "tools/assets/picture.h"

namespace assets {
namespace {

struct Message {
  const char* checksum;
  COLORREF top, bottom;  // the field
  std::u16string_view title;
  COLORREF titleColour;
  std::u16string_view line;
  COLORREF lineColour;
  std::u16string_view hint;  // a third, quieter line; may be empty
};

void DrawMessage(Picture& p, const Message& m) {
  p.VerticalGradient({0, 0, Picture::kWidth, Picture::kHeight}, m.top, m.bottom);
  // A darker panel behind the words, with a thin light rule above and below.
  p.Veil({60, 200, 740, 440}, RGB(0, 0, 0), 25);
  p.HorizontalGradient({60, 198, 400, 200}, m.bottom, m.titleColour);
  p.HorizontalGradient({400, 198, 740, 200}, m.titleColour, m.bottom);
  p.HorizontalGradient({60, 440, 400, 442}, m.bottom, m.titleColour);
  p.HorizontalGradient({400, 440, 740, 442}, m.titleColour, m.bottom);
  p.ShadowedText(400, 240, m.title, 60, 700, m.titleColour, RGB(0, 0, 0), 4);
  p.CentredText(400, 340, m.line, 32, 400, m.lineColour);
  if (!m.hint.empty()) p.CentredText(400, 392, m.hint, 20, 400, RGB(170, 174, 190));
}

std::vector<std::uint8_t> MakeMessage(const Message& m) {
  Picture p;
  if (!p.ok()) return {};
  DrawMessage(p, m);
  return p.Bmp(m.checksum);
}

}  // namespace

std::vector<std::uint8_t> MakeLevelPicture() {
  Picture p;
  if (!p.ok()) return {};
  DrawMessage(p, {"", RGB(8, 44, 40), RGB(8, 18, 40), u"Livello completato!", RGB(120, 230, 160),
                  u"Il muro è caduto: si passa al prossimo", RGB(220, 236, 228), u""});
  // Three gold stars' worth of discs over the panel.
  for (int i = 0; i < 3; ++i) {
    p.Disc(340 + i * 60, 150, 14, RGB(250, 200, 70));
    p.Disc(336 + i * 60, 146, 5, RGB(255, 236, 170));
  }
  return p.Bmp("174D80001E5421F878DA8B5EE5816360");
}

std::vector<std::uint8_t> MakeReplayPicture() {
  Picture p;
  if (!p.ok()) return {};
  DrawMessage(p, {"", RGB(44, 16, 40), RGB(12, 10, 36), u"Palla persa!", RGB(250, 170, 90),
                  u"Riprova", RGB(236, 228, 220), u"Il livello ricomincia"});
  // The ball slipping out under the panel, smaller and fainter the higher
  // it was.
  for (int i = 0; i < 4; ++i) {
    const int shade = 60 + i * 50;
    p.Disc(400, 486 + i * 28, 5 + i * 2, RGB(shade + 20, shade / 5, shade / 5 + 10));
  }
  p.Disc(397, 567, 4, RGB(250, 150, 150));
  return p.Bmp("C1AAC8D8E7BE15AF92A8BDB26E20D9E0");
}

std::vector<std::uint8_t> MakeGameOverPicture() {
  return MakeMessage({"82893FB57D83E021C98F9F84F6B30C91", RGB(40, 10, 16), RGB(6, 6, 18),
                      u"Game over", RGB(236, 96, 86), u"Partita finita", RGB(232, 226, 226),
                      u"Premi un tasto per tornare all'inizio"});
}

}  // namespace assets
