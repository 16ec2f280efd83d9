#include "platform/gdi/font_catalog.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_FONT_FORMATS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <tuple>

namespace gdi {
namespace {

// Only the system's font folders and its caches: no user configuration, no
// substitution rules, no rescanning while the program runs.
constexpr char kConfig[] = R"(<?xml version="1.0"?>
<fontconfig>
  <dir>/usr/share/fonts</dir>
  <dir>/usr/local/share/fonts</dir>
  <cachedir>/var/cache/fontconfig</cachedir>
  <cachedir prefix="xdg">fontconfig</cachedir>
</fontconfig>
)";

int RankFormat(std::string_view format) {
  if (format == "TrueType") return 0;
  if (format == "CFF") return 1;
  return 2;
}

void SortByFile(FaceCatalog& catalog) {
  std::sort(catalog.begin(), catalog.end(), [](const FaceEntry& a, const FaceEntry& b) {
    return std::tie(a.file, a.index) < std::tie(b.file, b.index);
  });
}

std::string PatternString(FcPattern* pattern, const char* object) {
  FcChar8* value = nullptr;
  if (FcPatternGetString(pattern, object, 0, &value) != FcResultMatch) return {};
  return reinterpret_cast<const char*>(value);
}

int PatternInt(FcPattern* pattern, const char* object, int fallback) {
  int value = 0;
  return FcPatternGetInteger(pattern, object, 0, &value) == FcResultMatch ? value : fallback;
}

FaceEntry EntryFromPattern(FcPattern* pattern) {
  FaceEntry entry;
  entry.file = PatternString(pattern, FC_FILE);
  entry.index = PatternInt(pattern, FC_INDEX, 0);
  FcChar8* family = nullptr;
  for (int i = 0; FcPatternGetString(pattern, FC_FAMILY, i, &family) == FcResultMatch; ++i) {
    entry.families.emplace_back(reinterpret_cast<const char*>(family));
  }
  double weight = FC_WEIGHT_REGULAR;
  FcPatternGetDouble(pattern, FC_WEIGHT, 0, &weight);
  entry.weight = static_cast<int>(FcWeightToOpenTypeDouble(weight) + 0.5);
  entry.italic = PatternInt(pattern, FC_SLANT, FC_SLANT_ROMAN) != FC_SLANT_ROMAN;
  entry.width = PatternInt(pattern, FC_WIDTH, FC_WIDTH_NORMAL);
  entry.monospace = PatternInt(pattern, FC_SPACING, FC_PROPORTIONAL) >= FC_MONO;
  entry.formatRank = RankFormat(PatternString(pattern, FC_FONTFORMAT));
  return entry;
}

FcFontSet* ListOutlineFaces(FcConfig* config) {
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddBool(pattern, FC_OUTLINE, FcTrue);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcObjectSet* objects = FcObjectSetBuild(FC_FILE, FC_INDEX, FC_FAMILY, FC_WEIGHT, FC_SLANT,
                                          FC_WIDTH, FC_SPACING, FC_FONTFORMAT, nullptr);
  FcFontSet* set = FcFontList(config, pattern, objects);
  FcObjectSetDestroy(objects);
  FcPatternDestroy(pattern);
  return set;
}

// FreeType's view of one face, for folders that fontconfig did not read.
FaceEntry EntryFromFreeType(FT_Face face, const std::string& file, int index) {
  FaceEntry entry;
  entry.file = file;
  entry.index = index;
  if (face->family_name != nullptr) entry.families.emplace_back(face->family_name);
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  const bool bold = (face->style_flags & FT_STYLE_FLAG_BOLD) != 0;
  entry.weight =
      os2 != nullptr && os2->usWeightClass >= 100 ? os2->usWeightClass : (bold ? 700 : 400);
  entry.italic = (face->style_flags & FT_STYLE_FLAG_ITALIC) != 0;
  // The OS/2 width classes 1 to 9 stand for 50 % to 200 %.
  constexpr int kWidthPercent[] = {50, 62, 75, 87, 100, 112, 125, 150, 200};
  if (os2 != nullptr && os2->usWidthClass >= 1 && os2->usWidthClass <= 9) {
    entry.width = kWidthPercent[os2->usWidthClass - 1];
  }
  entry.monospace = FT_IS_FIXED_WIDTH(face);
  entry.formatRank = RankFormat(FT_Get_Font_Format(face));
  return entry;
}

void ReadFontFile(FT_Library library, const std::string& file, FaceCatalog& catalog) {
  FT_Face face = nullptr;
  if (FT_New_Face(library, file.c_str(), -1, &face) != 0) return;
  const FT_Long count = face->num_faces;
  FT_Done_Face(face);
  for (FT_Long i = 0; i < count; ++i) {
    if (FT_New_Face(library, file.c_str(), i, &face) != 0) continue;
    if (FT_IS_SCALABLE(face)) catalog.push_back(EntryFromFreeType(face, file, static_cast<int>(i)));
    FT_Done_Face(face);
  }
}

bool LooksLikeFontFile(const std::filesystem::path& path) {
  std::string ext = path.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext == ".ttf" || ext == ".otf" || ext == ".ttc" || ext == ".otc";
}

std::vector<std::string> StandardFolders() {
  std::vector<std::string> folders = {"/usr/share/fonts", "/usr/local/share/fonts"};
  const char* data = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  if (data != nullptr && *data != '\0') {
    folders.push_back(std::string(data) + "/fonts");
  } else if (home != nullptr && *home != '\0') {
    folders.push_back(std::string(home) + "/.local/share/fonts");
  }
  if (home != nullptr && *home != '\0') folders.push_back(std::string(home) + "/.fonts");
  return folders;
}

}  // namespace

FaceCatalog CatalogFromFontconfig() {
  FaceCatalog catalog;
  FcConfig* config = FcConfigCreate();
  if (config == nullptr) return catalog;
  if (FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(kConfig), FcFalse) &&
      FcConfigBuildFonts(config)) {
    FcConfigSetRescanInterval(config, 0);
    if (FcFontSet* set = ListOutlineFaces(config)) {
      for (int i = 0; i < set->nfont; ++i) {
        FaceEntry entry = EntryFromPattern(set->fonts[i]);
        if (!entry.file.empty()) catalog.push_back(std::move(entry));
      }
      FcFontSetDestroy(set);
    }
  }
  FcConfigDestroy(config);
  SortByFile(catalog);
  return catalog;
}

FaceCatalog CatalogFromFolders(const std::vector<std::string>& folders) {
  FaceCatalog catalog;
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) return catalog;
  namespace fs = std::filesystem;
  for (const std::string& folder : folders) {
    std::error_code error;
    fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied,
                                        error);
    for (const fs::recursive_directory_iterator end; !error && it != end; it.increment(error)) {
      if (it->is_regular_file(error) && LooksLikeFontFile(it->path())) {
        ReadFontFile(library, it->path().string(), catalog);
      }
    }
  }
  FT_Done_FreeType(library);
  SortByFile(catalog);
  return catalog;
}

const FaceCatalog& InstalledFaces() {
  static const FaceCatalog catalog = [] {
    FaceCatalog faces = CatalogFromFontconfig();
    // fontconfig keeps caches of its own until told to let go.
    FcFini();
    return faces.empty() ? CatalogFromFolders(StandardFolders()) : faces;
  }();
  return catalog;
}

}  // namespace gdi
