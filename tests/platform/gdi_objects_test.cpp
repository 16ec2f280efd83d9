#include <gtest/gtest.h>

#include "platform/api/gdi.h"
#include "platform/api/kernel.h"
#include "platform/api/user.h"
#include "platform/gdi/objects.h"

namespace {

BITMAP Info(HGDIOBJ bitmap) {
  BITMAP info{};
  EXPECT_EQ(GetObjectW(bitmap, sizeof info, &info), static_cast<int>(sizeof info));
  return info;
}

TEST(GdiObjects, AMemoryContextStartsWithAOnePixelMonochromeBitmap) {
  HDC dc = CreateCompatibleDC(nullptr);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(GetObjectType(dc), OBJ_MEMDC);
  const BITMAP initial = Info(GetCurrentObject(dc, OBJ_BITMAP));
  EXPECT_EQ(initial.bmWidth, 1);
  EXPECT_EQ(initial.bmHeight, 1);
  EXPECT_EQ(initial.bmBitsPixel, 1);

  // Compatible with what the context holds: monochrome until a colour bitmap is in.
  HBITMAP mono = CreateCompatibleBitmap(dc, 10, 4);
  EXPECT_EQ(Info(mono).bmBitsPixel, 1);
  EXPECT_EQ(Info(mono).bmWidthBytes, 2);
  HBITMAP colour = CreateBitmap(10, 4, 1, 32, nullptr);
  HGDIOBJ old = SelectObject(dc, colour);
  EXPECT_EQ(Info(old).bmWidth, 1);
  HBITMAP compatible = CreateCompatibleBitmap(dc, 3, 2);
  EXPECT_EQ(Info(compatible).bmBitsPixel, 32);
  EXPECT_EQ(Info(compatible).bmWidthBytes, 12);

  EXPECT_EQ(SelectObject(dc, old), colour);
  for (HGDIOBJ object : {HGDIOBJ(mono), HGDIOBJ(colour), HGDIOBJ(compatible)}) {
    EXPECT_TRUE(DeleteObject(object));
  }
  EXPECT_TRUE(DeleteDC(dc));
}

TEST(GdiObjects, EveryObjectMadeIsCountedUntilDeletedAndStockObjectsNever) {
  const std::size_t before = gdi::LiveObjectCount();
  HDC dc = CreateCompatibleDC(nullptr);
  HPEN pen = CreatePen(PS_SOLID, 3, RGB(1, 2, 3));
  HBRUSH brush = CreateSolidBrush(RGB(4, 5, 6));
  HFONT font = CreateFontW(-16, 0, 0, 0, FW_BOLD, 1, 0, 0, DEFAULT_CHARSET, OUT_OUTLINE_PRECIS,
                           CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, FIXED_PITCH, u"Lucida Console");
  EXPECT_EQ(gdi::LiveObjectCount(), before + 4);

  EXPECT_EQ(SelectObject(dc, pen), GetStockObject(BLACK_PEN));
  EXPECT_EQ(SelectObject(dc, brush), GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(SelectObject(dc, font), GetStockObject(SYSTEM_FONT));
  EXPECT_EQ(SelectObject(dc, GetStockObject(NULL_PEN)), pen);

  LOGPEN logPen{};
  GetObjectW(pen, sizeof logPen, &logPen);
  EXPECT_EQ(logPen.lopnWidth.x, 3);
  EXPECT_EQ(logPen.lopnColor, RGB(1, 2, 3));
  LOGFONTW logFont{};
  EXPECT_EQ(GetObjectW(font, sizeof logFont, &logFont), static_cast<int>(sizeof logFont));
  EXPECT_EQ(logFont.lfHeight, -16);
  EXPECT_EQ(logFont.lfWeight, FW_BOLD);
  EXPECT_EQ(logFont.lfItalic, 1);
  EXPECT_EQ(std::u16string(logFont.lfFaceName), u"Lucida Console");
  EXPECT_EQ(GetObjectW(font, 0, nullptr), static_cast<int>(sizeof(LOGFONTW)));

  EXPECT_TRUE(DeleteObject(GetStockObject(NULL_BRUSH)));  // does nothing
  EXPECT_NE(gdi::Lookup(GetStockObject(NULL_BRUSH)), nullptr);
  EXPECT_TRUE(DeleteDC(dc));  // lets go of the brush and the font still selected
  for (HGDIOBJ object : {HGDIOBJ(pen), HGDIOBJ(brush), HGDIOBJ(font)}) {
    EXPECT_TRUE(DeleteObject(object));
  }
  EXPECT_EQ(gdi::LiveObjectCount(), before);
}

TEST(GdiObjects, ABitmapIsInOneContextAtATimeAndStaysWhileSelected) {
  HDC first = CreateCompatibleDC(nullptr), second = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateBitmap(4, 4, 1, 32, nullptr);
  HGDIOBJ old = SelectObject(first, bitmap);
  EXPECT_NE(old, nullptr);
  EXPECT_EQ(SelectObject(second, bitmap), nullptr);
  EXPECT_FALSE(DeleteObject(bitmap));
  EXPECT_NE(gdi::Lookup(bitmap), nullptr);
  SelectObject(first, old);
  EXPECT_NE(SelectObject(second, bitmap), nullptr);
  DeleteDC(second);  // deleting the context lets the bitmap go
  EXPECT_TRUE(DeleteObject(bitmap));
  DeleteDC(first);
}

TEST(GdiObjects, PensBrushesAndFontsStayWhileAContextHoldsThem) {
  HDC dc = CreateCompatibleDC(nullptr);
  HPEN pen = CreatePen(PS_SOLID, 1, 0);
  HBRUSH brush = CreateSolidBrush(0);
  HFONT font = CreateFontW(16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, u"System");
  for (HGDIOBJ object : {HGDIOBJ(pen), HGDIOBJ(brush), HGDIOBJ(font)}) {
    HGDIOBJ old = SelectObject(dc, object);
    EXPECT_FALSE(DeleteObject(object));
    EXPECT_NE(gdi::Lookup(object), nullptr);
    SelectObject(dc, old);
    EXPECT_TRUE(DeleteObject(object));
  }
  DeleteDC(dc);
}

TEST(GdiObjects, StaleAndWrongHandlesAreRefused) {
  HBRUSH brush = CreateSolidBrush(0);
  DeleteObject(brush);
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_EQ(SelectObject(dc, brush), nullptr);
  EXPECT_FALSE(DeleteObject(brush));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_EQ(GetObjectW(brush, 0, nullptr), 0);
  EXPECT_FALSE(DeleteDC(reinterpret_cast<HDC>(GetStockObject(BLACK_PEN))));
  EXPECT_FALSE(DeleteObject(dc));  // a context goes with DeleteDC only
  EXPECT_EQ(GetTextColor(reinterpret_cast<HDC>(GetStockObject(BLACK_PEN))), CLR_INVALID);
  EXPECT_EQ(CreateBitmap(4, 4, 1, 8, nullptr), nullptr);
  EXPECT_EQ(CreateBitmap(-1, 4, 1, 32, nullptr), nullptr);
  EXPECT_EQ(CreateBitmap(gdi::kMaxBitmapSide + 1, 1, 1, 32, nullptr), nullptr);
  DeleteDC(dc);
}

TEST(GdiObjects, ContextColoursAndModesReturnTheirOldValues) {
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_EQ(SetTextColor(dc, RGB(255, 0, 0)), 0u);
  EXPECT_EQ(GetTextColor(dc), RGB(255, 0, 0));
  EXPECT_EQ(SetBkColor(dc, 0), 0xFFFFFFu);
  EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
  EXPECT_EQ(SetBkMode(dc, 7), 0);
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  EXPECT_EQ(WindowFromDC(dc), nullptr);
  DeleteDC(dc);
}

TEST(GdiObjects, CreateBitmapTakesWordAlignedMonochromeRows) {
  const unsigned char bits[] = {0b10100000, 0x00, 0b01000000, 0x00};  // 3 x 2, rows of 2 bytes
  HBITMAP bitmap = CreateBitmap(3, 2, 1, 1, bits);
  const gdi::Bitmap* b = gdi::LookupBitmap(bitmap);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->pixels, (std::vector<std::uint32_t>{1, 0, 1, 0, 1, 0}));
  DeleteObject(bitmap);
}

TEST(GdiObjects, SystemColoursHaveStockBrushes) {
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(192, 192, 192));
  HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  LOGBRUSH log{};
  GetObjectW(face, sizeof log, &log);
  EXPECT_EQ(log.lbColor, GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(face, GetSysColorBrush(COLOR_BTNFACE));
  const std::size_t before = gdi::LiveObjectCount();
  GetSysColorBrush(COLOR_WINDOW);
  EXPECT_EQ(gdi::LiveObjectCount(), before);
}

}  // namespace
