// FreeType faces, opened once per face file and pixel size and shared by
// every font that uses them, with the glyphs each has rendered.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

#include "platform/gdi/font_engine.h"

struct FT_FaceRec_;

namespace gdi {

// What a face file says about itself, in its own design units.
struct DesignMetrics {
  int unitsPerEm = 2048;
  int ascent = 0;             // above the baseline: the cell the system's fonts use
  int descent = 0;            // below the baseline, positive
  int lineGap = 0;            // what the face adds between lines beyond its cell
  int underlinePosition = 0;  // centre of the underline; negative below the baseline
  int underlineThickness = 0;
  int strikePosition = 0;  // top of the strike-out stroke above the baseline
  int strikeSize = 0;
  int maxAdvance = 0;
  int weight = 400;
  bool fixedPitch = false;
  bool trueType = false;
};

struct FaceKey {
  std::string file;
  int index = 0;
  int pixelsPerEm = 0;
  bool embolden = false;
  bool slant = false;
  bool operator==(const FaceKey&) const = default;
};

class SizedFace {
 public:
  // The shared face for this key, opened when no font holds it yet; null
  // when FreeType cannot read the file.
  static std::shared_ptr<SizedFace> Get(const FaceKey& key);
  // The design metrics of a face file; false when it cannot be read.
  static bool ReadDesign(const std::string& file, int index, DesignMetrics* design);

  SizedFace(const SizedFace&) = delete;
  SizedFace& operator=(const SizedFace&) = delete;
  ~SizedFace();

  const Glyph& GlyphFor(char32_t codePoint);
  const FaceKey& Key() const { return key_; }
  // The pixels the synthetic bold adds to every advance.
  int BoldExtra() const { return boldExtra_; }
  // The first code point from 0x20 and the last of the basic plane that the face maps.
  char32_t FirstChar() const { return firstChar_; }
  char32_t LastChar() const { return lastChar_; }

  struct Library;

 private:
  SizedFace(std::shared_ptr<Library> library, FaceKey key, FT_FaceRec_* face);
  const Glyph& Rendered(unsigned glyphIndex);
  bool Render(unsigned glyphIndex, Glyph* glyph);
  void FindCharRange();

  std::shared_ptr<Library> library_;  // outlives the face
  FaceKey key_;
  FT_FaceRec_* face_;
  int boldExtra_ = 0;
  char32_t firstChar_ = 0x20;
  char32_t lastChar_ = 0xFFFF;
  std::array<const Glyph*, 256> latin_{};  // the usual characters, looked up without hashing
  std::unordered_map<char32_t, const Glyph*> others_;
  std::unordered_map<unsigned, Glyph> glyphs_;
  std::size_t glyphBytes_ = 0;
};

}  // namespace gdi
