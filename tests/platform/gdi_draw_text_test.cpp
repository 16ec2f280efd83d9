#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/api/gdi.h"
#include "platform/api/kernel.h"
#include "platform/api/user.h"
#include "platform/crt/utf.h"
#include "tests/support/text_canvas.h"

using testing_support::Describe;
using testing_support::Empty;
using testing_support::Inside;
using testing_support::TextCanvas;

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

// A canvas with white text on black in the dialog face, transparent background.
class DrawTextCanvas : public TextCanvas {
 public:
  DrawTextCanvas(int width = 300, int height = 120) : TextCanvas(width, height) {
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);
    GetTextMetricsW(dc, &tm);
  }
  int Draw(std::u16string_view text, RECT rect, UINT format) {
    return DrawTextW(dc, text.data(), static_cast<int>(text.size()), &rect, format);
  }
  RECT Measure(std::u16string_view text, UINT format, RECT rect = {10, 10, 10, 10}) {
    const int height =
        DrawTextW(dc, text.data(), static_cast<int>(text.size()), &rect, format | DT_CALCRECT);
    EXPECT_EQ(height, rect.bottom - rect.top);
    return rect;
  }
  LONG Width(std::u16string_view text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
  }
  TEXTMETRICW tm{};
};

TEST(GdiDrawText, AlignmentMovesTheInkAsAsked) {
  const RECT box{20, 10, 280, 80};
  const std::u16string text = u"Lives: 3";
  struct Case {
    UINT format;
    const char* name;
  };
  for (const Case& c : {Case{DT_LEFT, "left"}, Case{DT_CENTER, "centre"}, Case{DT_RIGHT, "right"},
                        Case{DT_SINGLELINE | DT_VCENTER, "vcentre"},
                        Case{DT_SINGLELINE | DT_BOTTOM | DT_RIGHT, "bottom right"},
                        Case{DT_VCENTER, "vcentre without single line"}}) {
    SCOPED_TRACE(c.name);
    DrawTextCanvas canvas;
    const int returned = canvas.Draw(text, box, c.format);
    const RECT ink = canvas.Ink();
    ASSERT_FALSE(Empty(ink));
    const LONG width = canvas.Width(text), height = canvas.tm.tmHeight;
    // Where the cell of the line must be.
    LONG left = box.left, top = box.top;
    if (c.format & DT_CENTER) left = (box.left + box.right - width) / 2;
    if (c.format & DT_RIGHT) left = box.right - width;
    if ((c.format & DT_SINGLELINE) && (c.format & DT_VCENTER)) {
      top = (box.top + box.bottom - height) / 2;
    }
    if ((c.format & DT_SINGLELINE) && (c.format & DT_BOTTOM)) top = box.bottom - height;
    const RECT cell{left, top, left + width, top + height};
    EXPECT_TRUE(Inside(ink, cell)) << Describe(ink) << " outside " << Describe(cell);
    EXPECT_LE(std::abs(ink.left - cell.left), 2);
    EXPECT_LE(std::abs(ink.right - cell.right), 2);
    // Moved down, the call answers how far below the top the text ends.
    EXPECT_EQ(returned, (c.format & DT_SINGLELINE) ? top - box.top + height : height);
  }
}

TEST(GdiDrawText, CalcRectMeasuresWithoutDrawing) {
  DrawTextCanvas canvas;
  const RECT single = canvas.Measure(u"Score: 000000", DT_SINGLELINE);
  EXPECT_EQ(single.left, 10);
  EXPECT_EQ(single.top, 10);
  EXPECT_EQ(single.right - single.left, canvas.Width(u"Score: 000000"));
  EXPECT_EQ(single.bottom - single.top, canvas.tm.tmHeight);
  const RECT lines = canvas.Measure(u"ab\nlonger line\nc", DT_LEFT);
  EXPECT_EQ(lines.right - lines.left, canvas.Width(u"longer line"));
  EXPECT_EQ(lines.bottom - lines.top, 3 * canvas.tm.tmHeight);
  EXPECT_TRUE(Empty(canvas.Ink()));
}

TEST(GdiDrawText, LineBreaksStartNewLines) {
  struct Case {
    std::u16string text;
    int lines;
  };
  const Case cases[] = {
      {u"a\nb", 2}, {u"a\r\nb", 2}, {u"a\rb", 2}, {u"a\n\nb", 3}, {u"a\r\n\r\nb", 3},
      {u"a\n", 1},  {u"", 1},       {u"\n", 1},   {u"a\r\rb", 3}, {u"one", 1},
  };
  DrawTextCanvas canvas;
  for (const Case& c : cases) {
    SCOPED_TRACE(crt::Utf8FromUtf16(c.text));
    EXPECT_EQ(canvas.Measure(c.text, DT_LEFT).bottom - 10, c.lines * canvas.tm.tmHeight);
    EXPECT_EQ(canvas.Measure(c.text, DT_SINGLELINE).bottom - 10, canvas.tm.tmHeight);
  }
  // The lines are drawn one below the other, each aligned for itself.
  ASSERT_EQ(canvas.Draw(u"i\niii\ni", RECT{0, 0, 300, 120}, DT_CENTER), 3 * canvas.tm.tmHeight);
  const LONG h = canvas.tm.tmHeight;
  const RECT first = canvas.Ink(RECT{0, 0, 300, h}), second = canvas.Ink(RECT{0, h, 300, 2 * h});
  const RECT third = canvas.Ink(RECT{0, 2 * h, 300, 3 * h});
  EXPECT_FALSE(Empty(third));
  EXPECT_EQ(Describe(RECT{first.left, 0, first.right, 1}),
            Describe(RECT{third.left, 0, third.right, 1}));
  EXPECT_LT(second.left, first.left);
  EXPECT_GT(second.right, first.right);
}

TEST(GdiDrawText, WordBreakWrapsBetweenWords) {
  DrawTextCanvas canvas;
  const LONG widest = canvas.Width(u"gamma");
  const RECT box{10, 10, 10 + widest + 2, 10};
  const RECT wrapped = canvas.Measure(u"alpha beta gamma", DT_WORDBREAK, box);
  EXPECT_EQ(wrapped.bottom - wrapped.top, 3 * canvas.tm.tmHeight);
  EXPECT_EQ(wrapped.right - wrapped.left, widest);
  // Two short words share a line; a word wider than the box stays whole.
  const RECT shared = canvas.Measure(u"a b gamma", DT_WORDBREAK, box);
  EXPECT_EQ(shared.bottom - shared.top, 2 * canvas.tm.tmHeight);
  const RECT whole = canvas.Measure(u"unbreakable", DT_WORDBREAK, RECT{10, 10, 15, 10});
  EXPECT_EQ(whole.bottom - whole.top, canvas.tm.tmHeight);
  EXPECT_EQ(whole.right - whole.left, canvas.Width(u"unbreakable"));
  // A single line does not wrap.
  const RECT single = canvas.Measure(u"alpha beta gamma", DT_WORDBREAK | DT_SINGLELINE, box);
  EXPECT_EQ(single.bottom - single.top, canvas.tm.tmHeight);
}

// The pixels where two drawings of the same size differ.
RECT Difference(const TextCanvas& a, const TextCanvas& b) {
  RECT box{0, 0, 0, 0};
  bool any = false;
  for (int y = 0; y < a.Bitmap().height; ++y) {
    for (int x = 0; x < a.Bitmap().width; ++x) {
      if (a.At(x, y) == b.At(x, y)) continue;
      box = any ? RECT{std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
                       std::max<LONG>(box.right, x + 1), std::max<LONG>(box.bottom, y + 1)}
                : RECT{x, y, x + 1, y + 1};
      any = true;
    }
  }
  return box;
}

TEST(GdiDrawText, APrefixUnderlinesItsCharacterUnlessTurnedOff) {
  const RECT box{10, 10, 200, 40};
  DrawTextCanvas plain;
  plain.Draw(u"File", box, DT_LEFT);
  const LONG f = plain.Width(u"F");
  struct Case {
    std::u16string text;
    UINT format;
    bool underline;
    std::u16string drawn;  // what the width must be of
  };
  const Case cases[] = {
      {u"&File", DT_LEFT, true, u"File"},       {u"&File", DT_HIDEPREFIX, false, u"File"},
      {u"&File", DT_NOPREFIX, false, u"&File"}, {u"Fi&&le", DT_LEFT, false, u"Fi&le"},
      {u"File&", DT_LEFT, false, u"File"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(crt::Utf8FromUtf16(c.text) + " " + std::to_string(c.format));
    DrawTextCanvas canvas;
    canvas.Draw(c.text, box, c.format);
    EXPECT_EQ(canvas.Measure(c.text, c.format).right - 10, canvas.Width(c.drawn));
    if (c.drawn != u"File") continue;
    const RECT extra = Difference(canvas, plain);
    if (!c.underline) {
      EXPECT_TRUE(Empty(extra)) << Describe(extra);
      continue;
    }
    // One rule under the F, below the baseline, in the text colour.
    EXPECT_GE(extra.top, box.top + canvas.tm.tmAscent) << Describe(extra);
    EXPECT_LT(extra.bottom, box.top + canvas.tm.tmHeight + 1);
    EXPECT_EQ(extra.left, box.left);
    EXPECT_EQ(extra.right, box.left + f);
    EXPECT_EQ(canvas.At(extra.left, extra.top), kWhite);
  }
}

TEST(GdiDrawText, ClipsToTheRectangleUnlessToldNot) {
  const RECT box{10, 10, 40, 30};
  for (UINT format : {static_cast<UINT>(DT_LEFT), static_cast<UINT>(DT_NOCLIP)}) {
    SCOPED_TRACE(format);
    DrawTextCanvas canvas;
    canvas.Draw(u"A line much wider than its box", box, format);
    const RECT ink = canvas.Ink();
    EXPECT_FALSE(Empty(ink));
    EXPECT_EQ(Inside(ink, box), format != DT_NOCLIP) << Describe(ink);
  }
}

TEST(GdiDrawText, AnOpaqueBackgroundFillsEachLinesCell) {
  DrawTextCanvas canvas;
  SetBkMode(canvas.dc, OPAQUE);
  SetBkColor(canvas.dc, RGB(0, 0, 255));
  const RECT box{10, 10, 200, 80};
  canvas.Draw(u"ab\nlonger", box, DT_LEFT);
  const LONG h = canvas.tm.tmHeight;
  EXPECT_EQ(Describe(canvas.Ink(RECT{0, 0, 300, 10 + h})),
            Describe(RECT{10, 10, 10 + canvas.Width(u"ab"), 10 + h}));
  EXPECT_EQ(Describe(canvas.Ink(RECT{0, 10 + h, 300, 120})),
            Describe(RECT{10, 10 + h, 10 + canvas.Width(u"longer"), 10 + 2 * h}));
  EXPECT_GT(canvas.Count(0x0000FF), 0);
}

TEST(GdiDrawText, TabsExpandToEveryEighthAverageCharacterWhenAsked) {
  DrawTextCanvas canvas;
  EXPECT_EQ(canvas.Measure(u"a\tb", DT_EXPANDTABS).right - 10,
            8 * canvas.tm.tmAveCharWidth + canvas.Width(u"b"));
  EXPECT_EQ(canvas.Measure(u"a\tb", DT_LEFT).right - 10, canvas.Width(u"ab"));
  canvas.Draw(u"a\tb", RECT{0, 0, 300, 40}, DT_EXPANDTABS);
  EXPECT_FALSE(Empty(canvas.Ink(RECT{8 * canvas.tm.tmAveCharWidth, 0, 300, 40})));
}

TEST(GdiDrawText, TextOfUnknownLengthEndsAtItsTerminator) {
  DrawTextCanvas canvas;
  RECT rect{0, 0, 0, 0};
  EXPECT_EQ(DrawTextW(canvas.dc, u"Level: 1", -1, &rect, DT_CALCRECT | DT_SINGLELINE),
            canvas.tm.tmHeight);
  EXPECT_EQ(rect.right, canvas.Width(u"Level: 1"));
}

TEST(GdiDrawText, FailsWithoutAContextOrARectangle) {
  DrawTextCanvas canvas;
  RECT rect{0, 0, 100, 100};
  HDC stale = CreateCompatibleDC(nullptr);
  DeleteDC(stale);
  EXPECT_EQ(DrawTextW(stale, u"a", 1, &rect, DT_LEFT), 0);
  EXPECT_EQ(DrawTextW(canvas.dc, u"a", 1, nullptr, DT_LEFT), 0);
  EXPECT_EQ(DrawTextW(canvas.dc, nullptr, -1, &rect, DT_LEFT), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_TRUE(Empty(canvas.Ink()));
}

}  // namespace
