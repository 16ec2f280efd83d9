#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "platform/api/gdi.h"
#include "platform/api/kernel.h"
#include "platform/crt/utf.h"
#include "platform/gdi/objects.h"
#include "tests/support/text_canvas.h"

using testing_support::Describe;
using testing_support::Empty;
using testing_support::Inside;
using testing_support::MakeFont;
using testing_support::TextCanvas;

namespace {

constexpr BYTE kProportional = 0x01;  // TMPF_FIXED_PITCH: set for faces that are not fixed

TEXTMETRICW Metrics(HDC dc) {
  TEXTMETRICW tm{};
  EXPECT_TRUE(GetTextMetricsW(dc, &tm));
  return tm;
}

SIZE Extent(HDC dc, std::u16string_view text) {
  SIZE size{-1, -1};
  EXPECT_TRUE(GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size));
  return size;
}

// Selects a font into a context for one scope and deletes it afterwards.
class SelectedFont {
 public:
  SelectedFont(HDC dc, HFONT font) : dc_(dc), font_(font), old_(SelectObject(dc, font)) {}
  ~SelectedFont() {
    SelectObject(dc_, old_);
    DeleteObject(font_);
  }
  SelectedFont(const SelectedFont&) = delete;
  SelectedFont& operator=(const SelectedFont&) = delete;

 private:
  HDC dc_;
  HFONT font_;
  HGDIOBJ old_;
};

BOOL Out(HDC dc, int x, int y, std::u16string_view text) {
  return TextOutW(dc, x, y, text.data(), static_cast<int>(text.size()));
}

TEST(GdiTextMetrics, APositiveHeightIsTheCellANegativeOneTheEm) {
  struct Case {
    const char16_t* face;
    int height;
    int cell;  // expected tmHeight, or 0 when only the em is fixed
    int em;    // expected tmHeight - tmInternalLeading, or 0 when only the cell is fixed
  };
  const Case cases[] = {
      {u"Lucida Console", 16, 16, 0}, {u"Lucida Console", -16, 0, 16},
      {u"Lucida Console", 0, 16, 0},  {u"Dialog", -11, 0, 11},
      {u"Tahoma", 24, 24, 0},         {u"System", 0, 16, 0},
  };
  TextCanvas canvas(4, 4);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.height));
    SelectedFont font(canvas.dc, MakeFont(c.face, c.height));
    const TEXTMETRICW tm = Metrics(canvas.dc);
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    EXPECT_GE(tm.tmInternalLeading, 0);
    if (c.cell != 0) {
      EXPECT_EQ(tm.tmHeight, c.cell);
    }
    if (c.em != 0) {
      EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, c.em);
      EXPECT_GE(tm.tmHeight, c.em);
    }
    EXPECT_GT(tm.tmAscent, tm.tmDescent);
    EXPECT_GT(tm.tmAveCharWidth, 0);
    EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth);
    EXPECT_EQ(Extent(canvas.dc, u"x").cy, tm.tmHeight);
  }
}

TEST(GdiTextMetrics, StockFontsMeasureAsTheyAreDescribed) {
  TextCanvas canvas(4, 4);
  // A new context holds the system font: a bold 16-pixel cell.
  TEXTMETRICW tm = Metrics(canvas.dc);
  EXPECT_EQ(tm.tmHeight, 16);
  EXPECT_EQ(tm.tmWeight, FW_BOLD);
  EXPECT_EQ(tm.tmBreakChar, u' ');
  EXPECT_LE(tm.tmFirstChar, u' ');
  EXPECT_GE(tm.tmLastChar, u'\u00FF');

  SelectObject(canvas.dc, GetStockObject(DEFAULT_GUI_FONT));
  tm = Metrics(canvas.dc);
  EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 11);
  EXPECT_EQ(tm.tmWeight, FW_NORMAL);
  EXPECT_EQ(tm.tmPitchAndFamily & kProportional, kProportional);
}

TEST(GdiTextMetrics, MonospaceFacesGiveEveryCharacterTheSameAdvance) {
  struct Case {
    const char16_t* face;
    DWORD pitch;
    bool fixed;
  };
  const Case cases[] = {
      {u"Lucida Console", 0, true},  {u"Courier New", 0, true}, {u"Fixedsys", 0, true},
      {u"Arial", FIXED_PITCH, true}, {u"Dialog", 0, false},     {u"Arial", 0, false},
  };
  TextCanvas canvas(4, 4);
  for (const Case& c : cases) {
    SCOPED_TRACE(crt::Utf8FromUtf16(c.face));
    SelectedFont font(canvas.dc, MakeFont(c.face, 16, FW_NORMAL, false, false, false, c.pitch));
    const LONG narrow = Extent(canvas.dc, u"iii").cx, wide = Extent(canvas.dc, u"WWW").cx;
    const TEXTMETRICW tm = Metrics(canvas.dc);
    if (c.fixed) {
      EXPECT_EQ(narrow, wide);
      EXPECT_EQ(narrow, 3 * tm.tmAveCharWidth);
      EXPECT_EQ(tm.tmPitchAndFamily & kProportional, 0);
      EXPECT_EQ(tm.tmPitchAndFamily & 0xF0, FF_MODERN);
    } else {
      EXPECT_LT(narrow, wide);
      EXPECT_EQ(tm.tmPitchAndFamily & kProportional, kProportional);
    }
  }
}

TEST(GdiTextMetrics, ExtentIsTheSumOfAdvancesAndTheCellHeight) {
  TextCanvas canvas(4, 4);
  SelectedFont font(canvas.dc, MakeFont(u"Dialog", -13));
  const LONG height = Metrics(canvas.dc).tmHeight;
  EXPECT_EQ(Extent(canvas.dc, u"Score").cx,
            Extent(canvas.dc, u"Sc").cx + Extent(canvas.dc, u"ore").cx);
  const SIZE empty = Extent(canvas.dc, u"");
  EXPECT_EQ(empty.cx, 0);
  EXPECT_EQ(empty.cy, height);
  // Control characters take no room; a surrogate pair is one character.
  EXPECT_EQ(Extent(canvas.dc, u"a\x01\tb\r\n").cx, Extent(canvas.dc, u"ab").cx);
  EXPECT_EQ(Extent(canvas.dc, u"\U0010FFFD").cx, Extent(canvas.dc, u"\u0378").cx);
  EXPECT_GT(Extent(canvas.dc, u"\u0378").cx, 0);
}

TEST(GdiTextMetrics, StylesAreReportedAndMissingBoldIsSynthesised) {
  TextCanvas canvas(4, 4);
  const std::u16string text = u"Score: 000000";
  struct Style {
    const char16_t* face;
    int weight;
    bool italic, underline, strikeOut;
  };
  for (const Style& s : {Style{u"Dialog", FW_NORMAL, false, false, false},
                         Style{u"Dialog", FW_BOLD, true, true, true},
                         Style{u"DejaVu Sans Light", FW_BOLD, false, false, false}}) {
    SCOPED_TRACE(crt::Utf8FromUtf16(s.face) + " " + std::to_string(s.weight));
    SelectedFont font(canvas.dc,
                      MakeFont(s.face, -13, s.weight, s.italic, s.underline, s.strikeOut));
    const TEXTMETRICW tm = Metrics(canvas.dc);
    EXPECT_EQ(tm.tmWeight, s.weight);
    EXPECT_EQ(tm.tmItalic, s.italic);
    EXPECT_EQ(tm.tmUnderlined, s.underline);
    EXPECT_EQ(tm.tmStruckOut, s.strikeOut);
  }
  // The light face has no bold of its own: thickened strokes widen every advance.
  LONG regular = 0, bold = 0;
  {
    SelectedFont font(canvas.dc, MakeFont(u"DejaVu Sans Light", -13));
    regular = Extent(canvas.dc, text).cx;
  }
  {
    SelectedFont font(canvas.dc, MakeFont(u"DejaVu Sans Light", -13, FW_BOLD));
    bold = Extent(canvas.dc, text).cx;
  }
  EXPECT_EQ(bold, regular + static_cast<LONG>(text.size()));
}

TEST(GdiTextMetrics, ExtremeHeightsAreLimitedNotFatal) {
  TextCanvas canvas(8, 8);
  for (int height : {INT_MIN, INT_MAX, 1, -1}) {
    SCOPED_TRACE(height);
    SelectedFont font(canvas.dc, MakeFont(u"Dialog", height));
    const TEXTMETRICW tm = Metrics(canvas.dc);
    EXPECT_GE(tm.tmHeight, 1);
    EXPECT_LE(tm.tmHeight, 1300);
    EXPECT_TRUE(Out(canvas.dc, 0, 0, u"Ag"));
  }
}

TEST(GdiTextOut, TextLandsInItsCellInExactlyItsColour) {
  TextCanvas canvas(200, 40);
  SelectedFont font(canvas.dc, MakeFont(u"Lucida Console", 16));
  SetBkMode(canvas.dc, TRANSPARENT);
  SetTextColor(canvas.dc, RGB(255, 0, 255));
  ASSERT_TRUE(Out(canvas.dc, 20, 10, u"Score: 000000"));

  const SIZE extent = Extent(canvas.dc, u"Score: 000000");
  const RECT cell{20, 10, 20 + extent.cx, 10 + extent.cy};
  const RECT ink = canvas.Ink();
  EXPECT_TRUE(Inside(ink, cell)) << Describe(ink) << " outside " << Describe(cell);
  EXPECT_LE(ink.left, cell.left + 2);
  EXPECT_GE(ink.right, cell.right - 3);
  // Anti-aliased edges are blends of the text colour over black; the
  // strokes themselves are the text colour exactly.
  EXPECT_GT(canvas.Count(0xFF00FF), 20);
  for (std::uint32_t p : canvas.Bitmap().pixels) {
    ASSERT_EQ(p & 0x00FF00, 0u);
    ASSERT_EQ(p >> 16, p & 0xFF);
  }
}

TEST(GdiTextOut, AnOpaqueBackgroundFillsExactlyTheCell) {
  for (int mode : {OPAQUE, TRANSPARENT}) {
    SCOPED_TRACE(mode);
    TextCanvas canvas(120, 40);
    SelectedFont font(canvas.dc, MakeFont(u"Dialog", -11));
    SetBkMode(canvas.dc, mode);
    SetBkColor(canvas.dc, RGB(0, 0, 255));
    SetTextColor(canvas.dc, RGB(255, 255, 255));
    ASSERT_TRUE(Out(canvas.dc, 10, 5, u"Hi there"));
    const SIZE extent = Extent(canvas.dc, u"Hi there");
    const RECT cell{10, 5, 10 + extent.cx, 5 + extent.cy};
    const RECT ink = canvas.Ink();
    if (mode == OPAQUE) {
      EXPECT_EQ(Describe(ink), Describe(cell));
      EXPECT_EQ(canvas.At(cell.left, cell.top), 0x0000FFu);
    } else {
      EXPECT_TRUE(Inside(ink, cell));
      EXPECT_EQ(canvas.Count(0x0000FF), 0);
    }
  }
}

// Rows of the cell wholly in the text colour across the whole extent.
std::vector<int> RuledRows(const TextCanvas& canvas, const RECT& cell, std::uint32_t color) {
  std::vector<int> rows;
  for (LONG y = cell.top; y < cell.bottom; ++y) {
    bool full = true;
    for (LONG x = cell.left; x < cell.right && full; ++x) full = canvas.At(x, y) == color;
    if (full) rows.push_back(y - cell.top);
  }
  return rows;
}

TEST(GdiTextOut, UnderlineAndStrikeOutRunTheWidthOfTheText) {
  struct Case {
    bool underline, strikeOut;
    int below, above;  // full rows expected below and above the baseline
  };
  for (const Case& c : {Case{false, false, 0, 0}, Case{true, false, 1, 0}, Case{false, true, 0, 1},
                        Case{true, true, 1, 1}}) {
    SCOPED_TRACE(std::to_string(c.underline) + std::to_string(c.strikeOut));
    TextCanvas canvas(120, 40);
    SelectedFont font(canvas.dc,
                      MakeFont(u"Lucida Console", 16, FW_NORMAL, false, c.underline, c.strikeOut));
    SetBkMode(canvas.dc, TRANSPARENT);
    SetTextColor(canvas.dc, RGB(255, 255, 255));
    ASSERT_TRUE(Out(canvas.dc, 8, 6, u"i i"));
    const SIZE extent = Extent(canvas.dc, u"i i");
    const int ascent = Metrics(canvas.dc).tmAscent;
    int below = 0, above = 0;
    for (int row : RuledRows(canvas, RECT{8, 6, 8 + extent.cx, 6 + extent.cy}, 0xFFFFFF)) {
      (row >= ascent ? below : above) += 1;
    }
    EXPECT_EQ(below > 0, c.below > 0);
    EXPECT_EQ(above > 0, c.above > 0);
    EXPECT_TRUE(Inside(canvas.Ink(), RECT{8, 6, 8 + extent.cx, 6 + extent.cy}));
  }
}

TEST(GdiExtTextOut, OpaqueFillsTheRectangleEvenWithoutText) {
  TextCanvas canvas(40, 30);
  SetBkMode(canvas.dc, TRANSPARENT);  // ETO_OPAQUE fills whatever the mode
  SetBkColor(canvas.dc, RGB(0, 200, 0));
  const RECT box{5, 6, 25, 16};
  ASSERT_TRUE(ExtTextOutW(canvas.dc, 0, 0, ETO_OPAQUE, &box, u"", 0, nullptr));
  EXPECT_EQ(Describe(canvas.Ink()), Describe(box));
  EXPECT_EQ(canvas.Count(0x00C800), 20 * 10);
  // A rectangle turned inside out fills nothing.
  const RECT inverted{30, 20, 26, 18};
  ASSERT_TRUE(ExtTextOutW(canvas.dc, 0, 0, ETO_OPAQUE, &inverted, nullptr, 0, nullptr));
  EXPECT_EQ(canvas.Count(0x00C800), 20 * 10);
}

TEST(GdiExtTextOut, ClippedTextStaysInItsRectangle) {
  for (UINT options : {0u, static_cast<UINT>(ETO_CLIPPED)}) {
    SCOPED_TRACE(options);
    TextCanvas canvas(200, 40);
    SetBkMode(canvas.dc, OPAQUE);
    SetBkColor(canvas.dc, RGB(90, 90, 90));
    SetTextColor(canvas.dc, RGB(255, 255, 255));
    const RECT box{12, 8, 40, 14};
    ASSERT_TRUE(ExtTextOutW(canvas.dc, 10, 5, options, &box, u"WWWW", 4, nullptr));
    const RECT ink = canvas.Ink();
    EXPECT_FALSE(Empty(ink));
    EXPECT_EQ(Inside(ink, box), options == ETO_CLIPPED) << Describe(ink);
  }
}

TEST(GdiExtTextOut, AdvancesFollowDx) {
  TextCanvas canvas(200, 40);
  SelectedFont font(canvas.dc, MakeFont(u"Dialog", -11));
  SetBkMode(canvas.dc, TRANSPARENT);
  SetTextColor(canvas.dc, RGB(255, 255, 255));
  const INT dx[] = {40, 40};
  ASSERT_TRUE(ExtTextOutW(canvas.dc, 10, 5, 0, nullptr, u"ii", 2, dx));
  const RECT first = canvas.Ink(RECT{0, 0, 50, 40}), second = canvas.Ink(RECT{50, 0, 200, 40});
  EXPECT_FALSE(Empty(first));
  EXPECT_FALSE(Empty(second));
  EXPECT_EQ(second.left - first.left, 40);

  SetBkMode(canvas.dc, OPAQUE);
  SetBkColor(canvas.dc, RGB(0, 0, 255));
  ASSERT_TRUE(ExtTextOutW(canvas.dc, 10, 20, 0, nullptr, u"ii", 2, dx));
  const RECT cell = canvas.Ink(RECT{0, 20, 200, 40});
  EXPECT_EQ(cell.left, 10);
  EXPECT_EQ(cell.right, 90);
}

class Recorder : public gdi::ChangeListener {
 public:
  void Changed(const RECT& area) override { areas.push_back(area); }
  std::vector<RECT> areas;
};

TEST(GdiTextOut, AWindowContextDrawsOnlyInsideItsClipAfterItsOrigin) {
  gdi::Bitmap* frame = gdi::NewFrameBuffer(160, 80);
  Recorder recorder;
  frame->listener = &recorder;
  const RECT clip{35, 25, 150, 40};
  HDC dc = gdi::CreateWindowDc(frame, nullptr, POINT{30, 20}, clip);
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, RGB(0, 0, 255));
  SetTextColor(dc, RGB(255, 255, 255));
  ASSERT_TRUE(Out(dc, 0, 0, u"WWWW"));

  // The cell starts at the origin (30, 20) and ends inside the clip on the
  // right; the clip cuts its left and top.
  const RECT ink = testing_support::InkBox(*frame, 0, RECT{0, 0, 160, 80});
  const SIZE extent = Extent(dc, u"WWWW");
  ASSERT_LT(30 + extent.cx, clip.right);
  EXPECT_EQ(Describe(ink), Describe(RECT{35, 25, 30 + extent.cx, 20 + extent.cy}));
  // Below the baseline of "W" lies only the background, all along the cell.
  for (LONG x = 35; x < 30 + extent.cx; ++x) ASSERT_EQ(frame->Row(19 + extent.cy)[x], 0xFFu) << x;
  ASSERT_FALSE(recorder.areas.empty());
  for (const RECT& area : recorder.areas) EXPECT_TRUE(Inside(area, clip)) << Describe(area);
  DeleteDC(dc);
  gdi::Destroy(frame);
}

TEST(GdiTextOut, MonochromeTargetsTakeInkAtHalfCoverage) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP mono = CreateBitmap(80, 20, 1, 1, nullptr);
  HGDIOBJ old = SelectObject(dc, mono);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(250, 250, 250));  // nearer white: ink is 1
  ASSERT_TRUE(Out(dc, 2, 2, u"Hello"));
  const auto& pixels = gdi::LookupBitmap(mono)->pixels;
  const auto ones = std::count(pixels.begin(), pixels.end(), 1u);
  EXPECT_GT(ones, 10);
  EXPECT_EQ(ones + std::count(pixels.begin(), pixels.end(), 0u),
            static_cast<std::ptrdiff_t>(pixels.size()));
  SelectObject(dc, old);
  DeleteObject(mono);
  DeleteDC(dc);
}

TEST(GdiTextOut, MissingCharactersShowAndControlCharactersDoNot) {
  struct Case {
    std::u16string text;
    bool ink;
  };
  const Case cases[] = {
      {u"\u0378", true},      // unassigned: the face's missing-glyph box
      {u"\U0010FFFD", true},  // a surrogate pair the face lacks
      {u"\xD800", true},      // a lone surrogate
      {u"\x01\x02\t\r\n\x7F", false},
  };
  for (const Case& c : cases) {
    TextCanvas canvas(60, 30);
    SetTextColor(canvas.dc, RGB(255, 255, 255));
    SetBkMode(canvas.dc, TRANSPARENT);
    ASSERT_TRUE(Out(canvas.dc, 4, 4, c.text));
    EXPECT_EQ(!Empty(canvas.Ink()), c.ink) << c.text.size();
  }
}

TEST(GdiTextOut, AFaceThatIsNotInstalledStillGivesText) {
  TextCanvas canvas(120, 40);
  SelectedFont font(canvas.dc, MakeFont(u"No Such Face Anywhere", -14));
  SetTextColor(canvas.dc, RGB(255, 255, 255));
  ASSERT_TRUE(Out(canvas.dc, 2, 2, u"Text"));
  EXPECT_FALSE(Empty(canvas.Ink()));
  EXPECT_EQ(Metrics(canvas.dc).tmHeight - Metrics(canvas.dc).tmInternalLeading, 14);
}

TEST(GdiTextOut, AFontStillSelectedIsNotDeletedAndKeepsDrawing) {
  TextCanvas canvas(120, 40);
  const TEXTMETRICW system = Metrics(canvas.dc);
  HFONT font = MakeFont(u"Dialog", -30);
  HGDIOBJ old = SelectObject(canvas.dc, font);
  const LONG height = Metrics(canvas.dc).tmHeight;
  EXPECT_NE(height, system.tmHeight);
  EXPECT_FALSE(DeleteObject(font));
  SetTextColor(canvas.dc, RGB(255, 255, 255));
  ASSERT_TRUE(Out(canvas.dc, 2, 2, u"Text"));
  EXPECT_FALSE(Empty(canvas.Ink()));
  EXPECT_EQ(Metrics(canvas.dc).tmHeight, height);
  SelectObject(canvas.dc, old);
  EXPECT_TRUE(DeleteObject(font));
}

TEST(GdiTextOut, FontsMadeUsedAndDeletedLeaveNothingLive) {
  const std::size_t before = gdi::LiveObjectCount();
  {
    TextCanvas canvas(60, 30);
    for (const char16_t* face : {u"Lucida Console", u"System", u"Dialog"}) {
      SelectedFont font(canvas.dc, MakeFont(face, 16, FW_BOLD, true, true));
      TEXTMETRICW tm{};
      GetTextMetricsW(canvas.dc, &tm);
      Out(canvas.dc, 0, 0, u"abc");
    }
  }
  // A context deleted with a font still in it releases the context only.
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = MakeFont(u"Dialog", -11);
  SelectObject(dc, font);
  Out(dc, 0, 0, u"abc");
  EXPECT_TRUE(DeleteDC(dc));
  EXPECT_TRUE(DeleteObject(font));
  EXPECT_EQ(gdi::LiveObjectCount(), before);
}

TEST(GdiTextOut, BadArgumentsFail) {
  TextCanvas canvas(20, 20);
  HDC stale = CreateCompatibleDC(nullptr);
  DeleteDC(stale);
  TEXTMETRICW tm{};
  SIZE size{};
  EXPECT_FALSE(TextOutW(stale, 0, 0, u"a", 1));
  EXPECT_FALSE(GetTextMetricsW(stale, &tm));
  EXPECT_FALSE(TextOutW(canvas.dc, 0, 0, u"a", -1));
  EXPECT_FALSE(TextOutW(canvas.dc, 0, 0, nullptr, 3));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_FALSE(GetTextMetricsW(canvas.dc, nullptr));
  EXPECT_FALSE(GetTextExtentPoint32W(canvas.dc, u"a", 1, nullptr));
  EXPECT_FALSE(GetTextExtentPoint32W(canvas.dc, u"a", -2, &size));
  EXPECT_TRUE(TextOutW(canvas.dc, 0, 0, nullptr, 0));
  EXPECT_TRUE(Empty(canvas.Ink()));
}

}  // namespace
