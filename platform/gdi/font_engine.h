// The text engine: what a font becomes once it is used. A font's face file
// comes from the installed faces (font_match.h), opened with FreeType at the
// pixel size the font's height asks for; its glyphs are rendered once and
// kept.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/font_catalog.h"
#include "platform/gdi/objects.h"

namespace gdi {

// One glyph as it is drawn: the coverage (0 to 255) of each pixel of a box
// placed relative to the pen position on the baseline.
struct Glyph {
  int left = 0;  // from the pen position right to the box
  int top = 0;   // from the baseline up to the box
  int width = 0;
  int rows = 0;
  int advance = 0;                     // whole pixels to the next pen position
  std::vector<std::uint8_t> coverage;  // `rows` rows of `width` values
};

// A face file opened at one pixel size, with the glyphs rendered from it.
class SizedFace;

struct FontFace {
  std::shared_ptr<SizedFace> sized;  // null only on a machine without any face
  std::string file;                  // the face file chosen
  TEXTMETRICW metrics{};
  bool underline = false;
  bool strikeOut = false;
  // Rules, in pixels from the top of the cell.
  int underlineTop = 0;
  int underlineHeight = 1;
  int strikeTop = 0;
  int strikeHeight = 1;

  // What every character but a control character draws when no face could
  // be opened at all.
  Glyph box;

  // A control character has no ink and no width; a character the face lacks
  // draws the face's missing-glyph box. The glyph stays valid until the next
  // one is asked of the same face.
  const Glyph& GlyphFor(char32_t codePoint) const;
};

// Makes the face of a font description. Never fails: a face that is not
// installed is stood in for by another, and with no face at all characters
// are drawn as boxes.
std::shared_ptr<FontFace> RealizeFont(const LOGFONTW& log);
// The same, choosing among the given faces instead of the installed ones.
std::shared_ptr<FontFace> RealizeFont(const LOGFONTW& log, const FaceCatalog& faces);

// The face of a font, made the first time it is needed.
FontFace& FaceOf(Font& font);

// The face of the font selected into a context; the system font's when the
// selected font has been deleted meanwhile.
FontFace& SelectedFace(const DeviceContext& dc);

// The next code point of UTF-16 text at `*at`, which moves past it; a lone
// surrogate comes back as itself.
char32_t NextCodePoint(const WCHAR* text, std::size_t length, std::size_t* at);

}  // namespace gdi
