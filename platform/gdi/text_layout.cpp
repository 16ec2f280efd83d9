#include "platform/gdi/text_layout.h"

#include <algorithm>

namespace gdi {
namespace {

constexpr int kTabStopChars = 8;

bool IsBreakSpace(char16_t c) {
  return c == u' ' || c == u'\t';
}

// Takes out the prefix characters: "&x" draws x underlined, "&&" draws one
// "&", and a last lone "&" draws nothing.
void TakePrefixes(std::u16string_view text, TextLayout* layout) {
  layout->text.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'&') {
      layout->text.push_back(text[i]);
    } else if (i + 1 < text.size()) {
      ++i;
      if (text[i] != u'&' && text[i] >= 0x20) layout->mnemonics.push_back(layout->text.size());
      layout->text.push_back(text[i]);
    }
  }
}

long long TabWidth(const FontFace& face) {
  return std::max<long long>(1,
                             static_cast<long long>(face.metrics.tmAveCharWidth) * kTabStopChars);
}

long long Measure(const FontFace& face, const TextLayout& layout, std::size_t from,
                  std::size_t to) {
  const WCHAR* text = layout.text.data();
  long long pen = 0;
  for (std::size_t at = from; at < to;) {
    if (layout.expandTabs && text[at] == u'\t') {
      ++at;
      pen = (pen / TabWidth(face) + 1) * TabWidth(face);
    } else {
      pen += face.GlyphFor(NextCodePoint(text, to, &at)).advance;
    }
  }
  return pen;
}

// Breaks one line between words so that each part fits the width; spaces
// where a line is broken belong to neither part.
void Wrap(const FontFace& face, TextLayout* layout, std::size_t start, std::size_t end,
          long long wrapWidth) {
  const std::u16string& text = layout->text;
  while (true) {
    std::size_t fit = start;   // end of the last word that fits
    std::size_t next = start;  // start of the word after it
    std::size_t at = start;
    while (at < end) {
      std::size_t wordEnd = at;
      while (wordEnd < end && !IsBreakSpace(text[wordEnd])) ++wordEnd;
      if (fit > start && Measure(face, *layout, start, wordEnd) > wrapWidth) break;
      fit = wordEnd;
      while (wordEnd < end && IsBreakSpace(text[wordEnd])) ++wordEnd;
      next = at = wordEnd;
    }
    if (at >= end) {
      layout->lines.push_back({start, end, Measure(face, *layout, start, end)});
      return;
    }
    layout->lines.push_back({start, fit, Measure(face, *layout, start, fit)});
    start = next;
  }
}

}  // namespace

TextLayout LayOutText(const FontFace& face, std::u16string_view text, UINT format,
                      long long wrapWidth) {
  TextLayout layout;
  layout.expandTabs = (format & DT_EXPANDTABS) != 0;
  if ((format & DT_NOPREFIX) != 0) {
    layout.text = std::u16string(text);
  } else {
    TakePrefixes(text, &layout);
  }
  const bool single = (format & DT_SINGLELINE) != 0;
  const bool wrap = !single && (format & DT_WORDBREAK) != 0;
  const std::u16string& s = layout.text;
  std::size_t start = 0;
  // A line break ends a line; one at the very end starts none after it.
  do {
    std::size_t end = start;
    while (end < s.size() && (single || (s[end] != u'\r' && s[end] != u'\n'))) ++end;
    if (wrap) {
      Wrap(face, &layout, start, end, wrapWidth);
    } else {
      layout.lines.push_back({start, end, Measure(face, layout, start, end)});
    }
    start = end;
    if (start < s.size() && s[start] == u'\r') ++start;  // CR, or the CR of CR LF
    if (start < s.size() && s[start] == u'\n' && (start == end || s[end] == u'\r')) ++start;
  } while (start < s.size());
  for (const TextLine& line : layout.lines) layout.width = std::max(layout.width, line.width);
  return layout;
}

long long OffsetInLine(const FontFace& face, const TextLayout& layout, const TextLine& line,
                       std::size_t position) {
  return Measure(face, layout, line.start, std::min(position, line.end));
}

}  // namespace gdi
