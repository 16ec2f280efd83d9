#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "platform/crt/utf.h"
#include "platform/gdi/font_catalog.h"
#include "platform/gdi/font_engine.h"
#include "platform/gdi/font_match.h"
#include "platform/gdi/objects.h"
#include "tests/support/temp_folder.h"
#include "tests/support/text_canvas.h"

using gdi::FaceCatalog;
using gdi::FaceEntry;

namespace {

FaceEntry Face(std::string file, std::string family, int weight = 400, bool italic = false,
               bool monospace = false, int width = 100) {
  FaceEntry entry;
  entry.file = std::move(file);
  entry.families = {std::move(family)};
  entry.weight = weight;
  entry.italic = italic;
  entry.monospace = monospace;
  entry.width = width;
  return entry;
}

// What a machine with the project's fonts and a few others holds, in file order.
FaceCatalog Machine() {
  return {
      Face("a/Other.ttf", "Other Sans"),
      Face("d/Sans-Bold.ttf", "DejaVu Sans", 700),
      Face("d/Sans-BoldOblique.ttf", "DejaVu Sans", 700, true),
      Face("d/Sans-Condensed.ttf", "DejaVu Sans", 400, false, false, 87),
      Face("d/Sans-Light.ttf", "DejaVu Sans", 200),
      Face("d/Sans-Oblique.ttf", "DejaVu Sans", 400, true),
      Face("d/Sans.ttf", "DejaVu Sans"),
      Face("d/SansMono-Bold.ttf", "DejaVu Sans Mono", 700, false, true),
      Face("d/SansMono.ttf", "DejaVu Sans Mono", 400, false, true),
      Face("l/LiberationSans.ttf", "Liberation Sans"),
  };
}

LOGFONTW Log(const char16_t* face, int weight = FW_NORMAL, bool italic = false, BYTE pitch = 0) {
  LOGFONTW log{};
  log.lfHeight = 16;
  log.lfWeight = weight;
  log.lfItalic = italic;
  log.lfPitchAndFamily = pitch;
  std::u16string_view(face).copy(log.lfFaceName, LF_FACESIZE - 1);
  return log;
}

std::string Chosen(const FaceCatalog& catalog, const LOGFONTW& log,
                   const std::vector<std::string>& rejected = {}) {
  const gdi::FaceChoice choice = gdi::ChooseFace(catalog, gdi::RequestFor(log), rejected);
  return choice.entry == nullptr ? "(none)" : choice.entry->file;
}

TEST(FontMatch, TheSystemsFaceNamesStandForInstalledFamilies) {
  struct Case {
    LOGFONTW log;
    const char* file;
  };
  const Case cases[] = {
      {Log(u"Lucida Console"), "d/SansMono.ttf"},
      {Log(u"lucida console", FW_BOLD), "d/SansMono-Bold.ttf"},
      {Log(u"Courier New"), "d/SansMono.ttf"},
      {Log(u"Fixedsys"), "d/SansMono.ttf"},
      {Log(u"Terminal"), "d/SansMono.ttf"},
      {Log(u"System"), "d/Sans-Bold.ttf"},  // bold whatever the weight asked
      {Log(u"Dialog"), "d/Sans.ttf"},
      {Log(u"Tahoma", FW_NORMAL, true), "d/Sans-Oblique.ttf"},
      {Log(u"Segoe UI", FW_BOLD, true), "d/Sans-BoldOblique.ttf"},
      {Log(u"MS Sans Serif", 200), "d/Sans-Light.ttf"},
      {Log(u"Arial", FW_NORMAL, false, FIXED_PITCH), "d/SansMono.ttf"},
      {Log(u""), "d/Sans.ttf"},
      {Log(u"Liberation Sans"), "l/LiberationSans.ttf"},  // an installed family is taken as named
      {Log(u"OTHER SANS"), "a/Other.ttf"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(crt::Utf8FromUtf16(c.log.lfFaceName));
    EXPECT_EQ(Chosen(Machine(), c.log), c.file);
  }
}

TEST(FontMatch, StylesTheFamilyLacksAreSynthesised) {
  const FaceCatalog catalog = {Face("l/LiberationSans.ttf", "Liberation Sans"),
                               Face("m/Mono-Bold.ttf", "Liberation Mono", 700, false, true)};
  struct Case {
    LOGFONTW log;
    const char* file;
    bool embolden, slant;
  };
  const Case cases[] = {
      {Log(u"Dialog"), "l/LiberationSans.ttf", false, false},
      {Log(u"Dialog", FW_BOLD), "l/LiberationSans.ttf", true, false},
      {Log(u"Dialog", FW_NORMAL, true), "l/LiberationSans.ttf", false, true},
      {Log(u"System", FW_NORMAL, true), "l/LiberationSans.ttf", true, true},
      {Log(u"Lucida Console", FW_BOLD), "m/Mono-Bold.ttf", false, false},
      {Log(u"Lucida Console"), "m/Mono-Bold.ttf", false, false},  // a bold face beats none
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(crt::Utf8FromUtf16(c.log.lfFaceName) + " " + std::to_string(c.log.lfWeight));
    const gdi::FaceChoice choice = gdi::ChooseFace(catalog, gdi::RequestFor(c.log));
    ASSERT_NE(choice.entry, nullptr);
    EXPECT_EQ(choice.entry->file, c.file);
    EXPECT_EQ(choice.embolden, c.embolden);
    EXPECT_EQ(choice.slant, c.slant);
  }
}

TEST(FontMatch, AMissingFamilyFallsBackAndNeverToNothing) {
  // No family of the lists: any monospace face for a monospace name.
  EXPECT_EQ(
      Chosen({Face("a/Sans.ttf", "Some Sans"), Face("b/Mono.ttf", "Some Mono", 400, false, true)},
             Log(u"Lucida Console")),
      "b/Mono.ttf");
  // No monospace face at all: a sans stands in, and the other way round.
  EXPECT_EQ(Chosen({Face("a/Sans.ttf", "DejaVu Sans")}, Log(u"Lucida Console")), "a/Sans.ttf");
  EXPECT_EQ(Chosen({Face("b/Mono.ttf", "DejaVu Sans Mono", 400, false, true)}, Log(u"Dialog")),
            "b/Mono.ttf");
  // A file that could not be opened is passed over for the next best.
  EXPECT_EQ(Chosen(Machine(), Log(u"Dialog"), {"d/Sans.ttf"}), "d/Sans-Condensed.ttf");
  EXPECT_EQ(Chosen({Face("a/Sans.ttf", "DejaVu Sans")}, Log(u"Dialog"), {"a/Sans.ttf"}), "(none)");
  EXPECT_EQ(Chosen({}, Log(u"Dialog")), "(none)");
}

TEST(FontCatalog, TheInstalledFacesHoldTheProjectsFamiliesInFileOrder) {
  const FaceCatalog& installed = gdi::InstalledFaces();
  ASSERT_FALSE(installed.empty());
  EXPECT_TRUE(std::is_sorted(installed.begin(), installed.end(), [](auto& a, auto& b) {
    return std::tie(a.file, a.index) < std::tie(b.file, b.index);
  }));
  // The faces chosen for the system's names are fixed by what is installed.
  struct Case {
    const char16_t* face;
    int weight;
    const char* file;
  };
  for (const Case& c : {Case{u"Lucida Console", FW_NORMAL, "/DejaVuSansMono.ttf"},
                        Case{u"System", FW_NORMAL, "/DejaVuSans-Bold.ttf"},
                        Case{u"Dialog", FW_NORMAL, "/DejaVuSans.ttf"}}) {
    LOGFONTW log = Log(c.face, c.weight);
    const std::string file = gdi::RealizeFont(log)->file;
    EXPECT_TRUE(file.ends_with(c.file)) << file;
  }
}

TEST(FontCatalog, AFolderScanReadsEveryFaceFileAndSkipsTheRest) {
  const FaceCatalog& installed = gdi::InstalledFaces();
  const auto sans = std::find_if(installed.begin(), installed.end(), [](const FaceEntry& e) {
    return e.file.ends_with("/DejaVuSans.ttf");
  });
  ASSERT_NE(sans, installed.end());
  testing_support::TempFolder folder;
  std::filesystem::create_directories(folder / "deep/er");
  std::filesystem::copy_file(sans->file, folder / "deep/er/Face.TTF");
  testing_support::WriteBytes(folder / "broken.ttf", "not a font at all");
  testing_support::WriteBytes(folder / "notes.txt", "DejaVu");

  const FaceCatalog scanned = gdi::CatalogFromFolders({folder.path(), folder / "missing"});
  ASSERT_EQ(scanned.size(), 1u);
  EXPECT_EQ(scanned[0].file, folder / "deep/er/Face.TTF");
  EXPECT_EQ(scanned[0].families, std::vector<std::string>{"DejaVu Sans"});
  EXPECT_EQ(scanned[0].weight, 400);
  EXPECT_FALSE(scanned[0].italic);
  EXPECT_FALSE(scanned[0].monospace);
  EXPECT_EQ(scanned[0].width, 100);
  EXPECT_TRUE(gdi::CatalogFromFolders({folder / "missing"}).empty());
}

TEST(FontEngine, AFaceThatCannotBeOpenedGivesWayToTheNext) {
  const FaceCatalog& installed = gdi::InstalledFaces();
  const auto sans = std::find_if(installed.begin(), installed.end(), [](const FaceEntry& e) {
    return e.file.ends_with("/DejaVuSans.ttf");
  });
  ASSERT_NE(sans, installed.end());
  const FaceCatalog faces = {Face("/no/such/folder/Sans.ttf", "DejaVu Sans"),
                             Face(sans->file, "Elsewhere Sans")};
  const auto face = gdi::RealizeFont(Log(u"Dialog"), faces);
  EXPECT_EQ(face->file, sans->file);
  EXPECT_EQ(face->metrics.tmHeight, 16);
}

TEST(FontEngine, WithNoFaceAtAllCharactersAreDrawnAsBoxes) {
  for (const FaceCatalog& faces : {FaceCatalog{}, FaceCatalog{Face("/no/such/Sans.ttf", "Sans")}}) {
    SCOPED_TRACE(faces.size());
    LOGFONTW log = Log(u"Dialog");
    log.lfHeight = -20;
    HFONT font = CreateFontIndirectW(&log);
    gdi::LookupFont(font)->face = gdi::RealizeFont(log, faces);
    const TEXTMETRICW& tm = gdi::LookupFont(font)->face->metrics;
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 20);
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);

    testing_support::TextCanvas canvas(80, 40);
    HGDIOBJ old = SelectObject(canvas.dc, font);
    SetTextColor(canvas.dc, RGB(255, 255, 255));
    ASSERT_TRUE(TextOutW(canvas.dc, 5, 5, u"ab\x01", 3));
    SIZE size{};
    GetTextExtentPoint32W(canvas.dc, u"ab\x01", 3, &size);
    EXPECT_EQ(size.cx, 2 * tm.tmAveCharWidth);
    const RECT ink = canvas.Ink();
    EXPECT_FALSE(testing_support::Empty(ink));
    EXPECT_TRUE(testing_support::Inside(ink, RECT{5, 5, 5 + size.cx, 5 + tm.tmHeight}));
    SelectObject(canvas.dc, old);
    DeleteObject(font);
  }
}

}  // namespace
