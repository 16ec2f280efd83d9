#include "platform/gdi/sized_face.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

namespace gdi {

struct SizedFace::Library {
  Library() {
    if (FT_Init_FreeType(&ft) != 0) ft = nullptr;
  }
  ~Library() {
    if (ft != nullptr) FT_Done_FreeType(ft);
  }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;
  FT_Library ft = nullptr;
};

namespace {

// Light hinting only moves points vertically, so advances keep their design
// widths; it is named here rather than read from any configuration, so the
// same text gives the same pixels everywhere.
constexpr FT_Int32 kLoadFlags = FT_LOAD_TARGET_LIGHT | FT_LOAD_NO_BITMAP;

// About 12 degrees, as an oblique face leans.
constexpr FT_Matrix kShear{0x10000, 0x0366A, 0, 0x10000};

// Rendered glyphs a face keeps before it starts again; the game's texts use
// far fewer.
constexpr std::size_t kGlyphBudgetBytes = 16u << 20;

// Faces kept open with no font using them, so that a font made and deleted
// for each paint does not reopen its file every time.
constexpr std::size_t kIdleFacesKept = 16;

std::shared_ptr<SizedFace::Library> SharedLibrary() {
  static const auto library = std::make_shared<SizedFace::Library>();
  return library;
}

bool IsControl(char32_t c) {
  return c < 0x20 || (c >= 0x7F && c < 0xA0);
}

const Glyph& EmptyGlyph() {
  static const Glyph empty;
  return empty;
}

void CopyCoverage(const FT_Bitmap& bitmap, Glyph* glyph) {
  glyph->width = static_cast<int>(bitmap.width);
  glyph->rows = static_cast<int>(bitmap.rows);
  glyph->coverage.assign(static_cast<std::size_t>(glyph->width) * glyph->rows, 0);
  for (int y = 0; y < glyph->rows; ++y) {
    const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
    std::uint8_t* out = glyph->coverage.data() + static_cast<std::size_t>(y) * glyph->width;
    for (int x = 0; x < glyph->width; ++x) {
      out[x] = bitmap.pixel_mode == FT_PIXEL_MODE_MONO ? ((row[x / 8] >> (7 - x % 8)) & 1) * 255
                                                       : row[x];
    }
  }
}

DesignMetrics DesignOf(FT_Face face) {
  DesignMetrics d;
  d.unitsPerEm = std::max<int>(face->units_per_EM, 1);
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  const int hheaAscent = face->ascender;
  const int hheaDescent = -face->descender;
  // A font's cell is measured by the OS/2 table's usWinAscent and
  // usWinDescent, which cover every glyph; the typographic values are a
  // fallback.
  if (os2 != nullptr && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
    d.ascent = os2->usWinAscent;
    d.descent = os2->usWinDescent;
  } else {
    d.ascent = hheaAscent;
    d.descent = hheaDescent;
  }
  if (d.ascent + d.descent <= 0) {
    d.ascent = d.unitsPerEm * 4 / 5;
    d.descent = d.unitsPerEm - d.ascent;
  }
  const int hheaGap = face->height - (hheaAscent + hheaDescent);
  d.lineGap = std::max(0, hheaGap - ((d.ascent + d.descent) - (hheaAscent + hheaDescent)));
  d.underlinePosition =
      face->underline_position != 0 ? face->underline_position : -d.unitsPerEm / 10;
  d.underlineThickness = std::max<int>(face->underline_thickness, d.unitsPerEm / 20);
  if (os2 != nullptr && os2->version != 0xFFFF && os2->yStrikeoutSize > 0) {
    d.strikePosition = os2->yStrikeoutPosition;
    d.strikeSize = os2->yStrikeoutSize;
  } else {
    d.strikePosition = d.unitsPerEm / 4;
    d.strikeSize = d.underlineThickness;
  }
  d.maxAdvance = face->max_advance_width;
  const bool bold = (face->style_flags & FT_STYLE_FLAG_BOLD) != 0;
  d.weight = os2 != nullptr && os2->version != 0xFFFF && os2->usWeightClass >= 100
                 ? os2->usWeightClass
                 : (bold ? 700 : 400);
  d.fixedPitch = FT_IS_FIXED_WIDTH(face);
  d.trueType = FT_IS_SFNT(face);
  return d;
}

}  // namespace

bool SizedFace::ReadDesign(const std::string& file, int index, DesignMetrics* design) {
  static std::map<std::pair<std::string, int>, DesignMetrics> known;
  const auto key = std::make_pair(file, index);
  if (auto it = known.find(key); it != known.end()) {
    *design = it->second;
    return true;
  }
  const auto library = SharedLibrary();
  FT_Face face = nullptr;
  if (library->ft == nullptr || FT_New_Face(library->ft, file.c_str(), index, &face) != 0) {
    return false;
  }
  const bool scalable = FT_IS_SCALABLE(face);
  if (scalable) *design = known.emplace(key, DesignOf(face)).first->second;
  FT_Done_Face(face);
  return scalable;
}

std::shared_ptr<SizedFace> SizedFace::Get(const FaceKey& key) {
  static std::vector<std::shared_ptr<SizedFace>> open;
  for (const auto& face : open) {
    if (face->Key() == key) return face;
  }
  const auto library = SharedLibrary();
  FT_Face face = nullptr;
  if (library->ft == nullptr || FT_New_Face(library->ft, key.file.c_str(), key.index, &face) != 0) {
    return nullptr;
  }
  if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(key.pixelsPerEm)) != 0) {
    FT_Done_Face(face);
    return nullptr;
  }
  std::shared_ptr<SizedFace> sized(new SizedFace(library, key, face));
  if (open.size() >= kIdleFacesKept) {
    std::erase_if(open, [](const auto& f) { return f.use_count() == 1; });
  }
  open.push_back(sized);
  return sized;
}

SizedFace::SizedFace(std::shared_ptr<Library> library, FaceKey key, FT_FaceRec_* face)
    : library_(std::move(library)), key_(std::move(key)), face_(face) {
  // A synthetic bold thickens every stem by about a 24th of the em, at
  // least a pixel, and widens every advance by as much.
  if (key_.embolden) boldExtra_ = std::max(1, (key_.pixelsPerEm + 12) / 24);
  FindCharRange();
}

SizedFace::~SizedFace() {
  FT_Done_Face(face_);
}

void SizedFace::FindCharRange() {
  FT_UInt index = 0;
  bool first = true;
  for (FT_ULong c = FT_Get_First_Char(face_, &index); index != 0;
       c = FT_Get_Next_Char(face_, c, &index)) {
    if (c > 0xFFFF) break;
    if (c < 0x20) continue;
    if (first) firstChar_ = static_cast<char32_t>(c);
    first = false;
    lastChar_ = static_cast<char32_t>(c);
  }
}

const Glyph& SizedFace::GlyphFor(char32_t codePoint) {
  if (IsControl(codePoint)) return EmptyGlyph();
  if (codePoint < latin_.size()) {
    if (latin_[codePoint] == nullptr) {
      const Glyph& glyph = Rendered(FT_Get_Char_Index(face_, codePoint));
      latin_[codePoint] = &glyph;
    }
    return *latin_[codePoint];
  }
  if (auto it = others_.find(codePoint); it != others_.end()) return *it->second;
  const Glyph& glyph = Rendered(FT_Get_Char_Index(face_, codePoint));
  others_.emplace(codePoint, &glyph);
  return glyph;
}

const Glyph& SizedFace::Rendered(unsigned glyphIndex) {
  if (auto it = glyphs_.find(glyphIndex); it != glyphs_.end()) return it->second;
  if (glyphBytes_ > kGlyphBudgetBytes) {
    glyphs_.clear();
    others_.clear();
    latin_.fill(nullptr);
    glyphBytes_ = 0;
  }
  Glyph glyph;
  if (!Render(glyphIndex, &glyph) && glyphIndex != 0) Render(0, &glyph);
  glyphBytes_ += glyph.coverage.size() + sizeof glyph;
  return glyphs_.emplace(glyphIndex, std::move(glyph)).first->second;
}

bool SizedFace::Render(unsigned glyphIndex, Glyph* glyph) {
  if (FT_Load_Glyph(face_, glyphIndex, kLoadFlags) != 0) return false;
  FT_GlyphSlot slot = face_->glyph;
  glyph->advance = static_cast<int>((slot->linearHoriAdvance + 0x8000) >> 16) + boldExtra_;
  if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
    if (key_.embolden) FT_Outline_Embolden(&slot->outline, boldExtra_ * 64);
    if (key_.slant) FT_Outline_Transform(&slot->outline, &kShear);
  }
  if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return true;  // width without ink
  glyph->left = slot->bitmap_left;
  glyph->top = slot->bitmap_top;
  CopyCoverage(slot->bitmap, glyph);
  return true;
}

}  // namespace gdi
