// How DrawTextW arranges text in lines: prefix characters taken out, lines
// broken at line breaks and, when asked, between words.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/api/user.h"
#include "platform/gdi/font_engine.h"

namespace gdi {

struct TextLine {
  std::size_t start = 0;  // into TextLayout::text
  std::size_t end = 0;
  long long width = 0;
};

struct TextLayout {
  std::u16string text;                 // as drawn: "&&" made "&", the "&" before a mnemonic gone
  std::vector<std::size_t> mnemonics;  // positions in `text` of the characters to underline
  std::vector<TextLine> lines;
  long long width = 0;  // of the widest line
  bool expandTabs = false;
};

// `wrapWidth` is the width lines are broken to with DT_WORDBREAK; a word
// wider than that stays whole on a line of its own.
TextLayout LayOutText(const FontFace& face, std::u16string_view text, UINT format,
                      long long wrapWidth);

// The pen offset from the start of a line to a position within it; with
// tabs expanded they stop every eight average characters.
long long OffsetInLine(const FontFace& face, const TextLayout& layout, const TextLine& line,
                       std::size_t position);

}  // namespace gdi
