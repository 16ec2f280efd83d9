#include "platform/gdi/font_engine.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/gdi/font_catalog.h"
#include "platform/gdi/font_match.h"
#include "platform/gdi/sized_face.h"

namespace gdi {
namespace {

// A height of 0 asks for the default size: a 16-pixel cell.
constexpr int kDefaultCellHeight = 16;
// Taller text would be mostly glyph bitmaps of megabytes each.
constexpr int kMaxPixelHeight = 1000;
// Faces tried before giving up on the installed ones.
constexpr int kFaceAttempts = 4;

// TEXTMETRICW pitch bits. TMPF_FIXED_PITCH means the opposite of its name, as
// the API defines it and callers expect: it is set for a proportional face
// and clear for a fixed-pitch one.
constexpr BYTE kTmpfFixedPitch = 0x01;
constexpr BYTE kTmpfVector = 0x02;
constexpr BYTE kTmpfTrueType = 0x04;

// The vertical cell of a font in whole pixels.
struct Cell {
  int ascent = 0;
  int descent = 0;
  int em = 0;
};

int RoundScaled(long long value, long long numerator, long long denominator) {
  return static_cast<int>((value * numerator * 2 + denominator) / (denominator * 2));
}

// A positive height is the whole cell, ascent and descent; a negative one is
// the em, the height of the characters themselves.
Cell CellFor(LONG height, const DesignMetrics& d) {
  long long size = height == 0 ? kDefaultCellHeight : std::llabs(static_cast<long long>(height));
  size = std::min<long long>(size, kMaxPixelHeight);
  const long long cellUnits = std::max(1, d.ascent + d.descent);
  Cell cell;
  if (height >= 0) {
    cell.ascent = RoundScaled(size, d.ascent, cellUnits);
    cell.descent = static_cast<int>(size) - cell.ascent;
    cell.em = std::max(1, RoundScaled(size, d.unitsPerEm, cellUnits));
  } else {
    cell.em = static_cast<int>(size);
    cell.ascent = RoundScaled(size, d.ascent, d.unitsPerEm);
    cell.descent = RoundScaled(size, d.descent, d.unitsPerEm);
    // The cell holds at least the em, so the internal leading is never negative.
    cell.ascent = std::max(cell.ascent, cell.em - cell.descent);
  }
  return cell;
}

void SetRules(const DesignMetrics& d, const Cell& cell, FontFace* face) {
  const int height = cell.ascent + cell.descent;
  const auto scaled = [&](int units) { return RoundScaled(units, cell.em, d.unitsPerEm); };
  face->underlineHeight = std::max(1, scaled(d.underlineThickness));
  const int below = std::max(1, scaled(-d.underlinePosition) - face->underlineHeight / 2);
  face->underlineTop = std::min(cell.ascent + below, height - face->underlineHeight);
  face->strikeHeight = std::max(1, scaled(d.strikeSize));
  face->strikeTop = std::clamp(cell.ascent - scaled(d.strikePosition), 0,
                               std::max(0, height - face->strikeHeight));
}

BYTE CharSetOf(const LOGFONTW& log) {
  return log.lfCharSet == DEFAULT_CHARSET ? static_cast<BYTE>(ANSI_CHARSET) : log.lfCharSet;
}

void SetMetrics(const LOGFONTW& log, const DesignMetrics& d, const Cell& cell, bool embolden,
                bool monospace, FontFace* face) {
  TEXTMETRICW& tm = face->metrics;
  tm.tmAscent = cell.ascent;
  tm.tmDescent = cell.descent;
  tm.tmHeight = cell.ascent + cell.descent;
  tm.tmInternalLeading = std::max(0, tm.tmHeight - cell.em);
  tm.tmExternalLeading = RoundScaled(d.lineGap, cell.em, d.unitsPerEm);
  const int bold = face->sized ? face->sized->BoldExtra() : 0;
  tm.tmAveCharWidth = face->GlyphFor(U'x').advance;
  if (tm.tmAveCharWidth <= 0) tm.tmAveCharWidth = std::max(1, cell.em / 2);
  tm.tmMaxCharWidth =
      std::max<LONG>(RoundScaled(d.maxAdvance, cell.em, d.unitsPerEm) + bold, tm.tmAveCharWidth);
  tm.tmWeight = embolden ? std::max<LONG>(log.lfWeight, FW_BOLD) : d.weight;
  tm.tmOverhang = 0;
  tm.tmDigitizedAspectX = 96;
  tm.tmDigitizedAspectY = 96;
  const char32_t first = face->sized ? face->sized->FirstChar() : 0x20;
  const char32_t last = face->sized ? face->sized->LastChar() : 0xFFFF;
  tm.tmFirstChar = static_cast<WCHAR>(first);
  tm.tmLastChar = static_cast<WCHAR>(last);
  tm.tmDefaultChar = static_cast<WCHAR>(first > 0 ? first - 1 : 0);
  tm.tmBreakChar = u' ';
  tm.tmItalic = log.lfItalic != 0;
  tm.tmUnderlined = log.lfUnderline != 0;
  tm.tmStruckOut = log.lfStrikeOut != 0;
  // Read one at a time: a glyph is only sure to stay cached until the next is asked for.
  const int narrow = face->GlyphFor(U'i').advance;
  const int wide = face->GlyphFor(U'W').advance;
  const bool fixed = d.fixedPitch || narrow == wide;
  tm.tmPitchAndFamily = static_cast<BYTE>((fixed ? 0 : kTmpfFixedPitch) | kTmpfVector |
                                          (d.trueType ? kTmpfTrueType : 0) |
                                          (monospace || fixed ? FF_MODERN : FF_SWISS));
  tm.tmCharSet = CharSetOf(log);
}

// Opens the face chosen for the font, passing over files that FreeType
// cannot read.
bool OpenChosenFace(const LOGFONTW& log, const FaceCatalog& faces, FontFace* face,
                    DesignMetrics* design, Cell* cell, FaceChoice* choice) {
  const FaceRequest request = RequestFor(log);
  std::vector<std::string> rejected;
  for (int attempt = 0; attempt < kFaceAttempts; ++attempt) {
    *choice = ChooseFace(faces, request, rejected);
    if (choice->entry == nullptr) return false;
    const FaceEntry& entry = *choice->entry;
    if (SizedFace::ReadDesign(entry.file, entry.index, design)) {
      *cell = CellFor(log.lfHeight, *design);
      face->sized =
          SizedFace::Get({entry.file, entry.index, cell->em, choice->embolden, choice->slant});
      if (face->sized) {
        face->file = entry.file;
        return true;
      }
    }
    rejected.push_back(entry.file);
  }
  return false;
}

// With no face to be had at all, characters still show, as boxes.
Glyph BoxGlyph(const Cell& cell) {
  Glyph box;
  box.advance = std::max(1, cell.em / 2);
  box.width = std::max(1, box.advance - 1);
  box.rows = std::max(1, cell.em * 7 / 10);
  box.top = box.rows;
  box.coverage.assign(static_cast<std::size_t>(box.width) * box.rows, 0);
  for (int y = 0; y < box.rows; ++y) {
    for (int x = 0; x < box.width; ++x) {
      const bool edge = x == 0 || y == 0 || x == box.width - 1 || y == box.rows - 1;
      box.coverage[static_cast<std::size_t>(y) * box.width + x] = edge ? 255 : 0;
    }
  }
  return box;
}

}  // namespace

const Glyph& FontFace::GlyphFor(char32_t codePoint) const {
  if (sized) return sized->GlyphFor(codePoint);
  static const Glyph nothing;
  if (codePoint < 0x20 || (codePoint >= 0x7F && codePoint < 0xA0)) return nothing;
  return box;
}

std::shared_ptr<FontFace> RealizeFont(const LOGFONTW& log) {
  return RealizeFont(log, InstalledFaces());
}

std::shared_ptr<FontFace> RealizeFont(const LOGFONTW& log, const FaceCatalog& faces) {
  auto face = std::make_shared<FontFace>();
  face->underline = log.lfUnderline != 0;
  face->strikeOut = log.lfStrikeOut != 0;
  DesignMetrics design;
  Cell cell;
  FaceChoice choice;
  if (!OpenChosenFace(log, faces, face.get(), &design, &cell, &choice)) {
    // Design metrics of a plain sans: eight tenths of the em above the baseline.
    design = DesignMetrics{};
    design.ascent = 1638;
    design.descent = 410;
    design.maxAdvance = 1229;
    cell = CellFor(log.lfHeight, design);
    face->box = BoxGlyph(cell);
  }
  const bool monospace = choice.entry != nullptr && choice.entry->monospace;
  SetMetrics(log, design, cell, choice.embolden, monospace, face.get());
  SetRules(design, cell, face.get());
  return face;
}

FontFace& FaceOf(Font& font) {
  if (!font.face) font.face = RealizeFont(font.log);
  return *font.face;
}

FontFace& SelectedFace(const DeviceContext& dc) {
  // The context only points at its font: one deleted while selected is no
  // longer among the live objects, and the system font stands in for it.
  Object* object = Lookup(dc.font);
  if (object == nullptr || object->kind != Kind::Font) {
    object = Lookup(GetStockObject(SYSTEM_FONT));
  }
  return FaceOf(*static_cast<Font*>(object));
}

char32_t NextCodePoint(const WCHAR* text, std::size_t length, std::size_t* at) {
  const char32_t unit = text[(*at)++];
  if (unit >= 0xD800 && unit < 0xDC00 && *at < length) {
    const char32_t low = text[*at];
    if (low >= 0xDC00 && low < 0xE000) {
      ++*at;
      return 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
    }
  }
  return unit;
}

}  // namespace gdi
