// Making, selecting, reading and deleting graphics objects and contexts.
#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/api/kernel.h"
#include "platform/gdi/objects.h"

using namespace gdi;

namespace {

Pen* StockPen(int style, COLORREF color) {
  auto pen = std::make_unique<Pen>();
  pen->stock = true;
  pen->style = style;
  pen->color = color;
  return Register(std::move(pen));
}

Brush* StockBrush(UINT style, COLORREF color) {
  auto brush = std::make_unique<Brush>();
  brush->stock = true;
  brush->style = style;
  brush->color = color;
  return Register(std::move(brush));
}

Font* StockFont(LONG height, LONG weight, BYTE pitch, const char16_t* face) {
  auto font = std::make_unique<Font>();
  font->stock = true;
  font->log.lfHeight = height;
  font->log.lfWeight = weight;
  font->log.lfCharSet = DEFAULT_CHARSET;
  font->log.lfPitchAndFamily = pitch;
  std::u16string_view name(face);
  name.copy(font->log.lfFaceName, std::min<std::size_t>(name.size(), LF_FACESIZE - 1));
  return Register(std::move(font));
}

Object* MakeStock(int which) {
  switch (which) {
    case WHITE_BRUSH: return StockBrush(BS_SOLID, 0xFFFFFF);
    case LTGRAY_BRUSH: return StockBrush(BS_SOLID, 0xC0C0C0);
    case GRAY_BRUSH: return StockBrush(BS_SOLID, 0x808080);
    case DKGRAY_BRUSH: return StockBrush(BS_SOLID, 0x404040);
    case BLACK_BRUSH: return StockBrush(BS_SOLID, 0x000000);
    case NULL_BRUSH: return StockBrush(BS_NULL, 0);
    case WHITE_PEN: return StockPen(PS_SOLID, 0xFFFFFF);
    case BLACK_PEN: return StockPen(PS_SOLID, 0x000000);
    case NULL_PEN: return StockPen(PS_NULL, 0);
    case SYSTEM_FONT: return StockFont(16, FW_BOLD, VARIABLE_PITCH | FF_SWISS, u"System");
    case DEVICE_DEFAULT_FONT: return StockFont(16, FW_BOLD, VARIABLE_PITCH | FF_SWISS, u"System");
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case SYSTEM_FIXED_FONT:
      return StockFont(16, FW_NORMAL, FIXED_PITCH | FF_MODERN, u"Fixedsys");
    case ANSI_VAR_FONT: return StockFont(-11, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, u"Dialog");
    case DEFAULT_GUI_FONT: return StockFont(-11, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, u"Dialog");
    default: return nullptr;
  }
}

// The colours of the classic desktop scheme, as COLORREF values.
constexpr COLORREF kSysColors[] = {
    0xC8C8C8, 0x000000, 0x800000, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000000, 0x000000,
    0x000000, 0xFFFFFF, 0xC0C0C0, 0xC0C0C0, 0x808080, 0x800000, 0xFFFFFF, 0xC0C0C0,
    0x808080, 0x808080, 0x000000, 0xC0C0C0, 0xFFFFFF, 0x404040, 0xC0C0C0, 0x000000,
    0xE1FFFF, 0xB5B5B5, 0x800000, 0xD08410, 0xC0C0C0, 0x800000, 0xC0C0C0,
};
constexpr int kSysColorCount = static_cast<int>(sizeof kSysColors / sizeof kSysColors[0]);

DeviceContext* NewMemoryDc() {
  auto dc = std::make_unique<DeviceContext>();
  dc->memory = true;
  dc->bitmap = DefaultBitmap();
  dc->target = dc->bitmap;
  dc->clip = RECT{0, 0, 1, 1};
  dc->pen = static_cast<Pen*>(Lookup(GetStockObject(BLACK_PEN)));
  dc->brush = static_cast<Brush*>(Lookup(GetStockObject(WHITE_BRUSH)));
  dc->font = static_cast<Font*>(Lookup(GetStockObject(SYSTEM_FONT)));
  return Register(std::move(dc));
}

bool SelectedSomewhere(const Object* object) {
  if (object->kind == Kind::Bitmap) return static_cast<const Bitmap*>(object)->selectedInto;
  return SelectedInAnyContext(object);
}

template <typename T>
int CopyOut(const T& record, int size, LPVOID buffer) {
  if (buffer == nullptr) return static_cast<int>(sizeof(T));
  const int n = std::min<int>(size, static_cast<int>(sizeof(T)));
  if (n <= 0) return 0;
  std::memcpy(buffer, &record, static_cast<std::size_t>(n));
  return n;
}

}  // namespace

HGDIOBJ GetStockObject(int which) {
  constexpr int kStockCount = DEFAULT_GUI_FONT + 1;
  static Object* stock[kStockCount] = {};
  if (which < 0 || which >= kStockCount) return nullptr;
  if (stock[which] == nullptr) stock[which] = MakeStock(which);
  return stock[which];
}

HDC CreateCompatibleDC(HDC dc) {
  if (dc != nullptr && LookupDc(dc) == nullptr) return nullptr;
  return reinterpret_cast<HDC>(NewMemoryDc());
}

BOOL DeleteDC(HDC handle) {
  DeviceContext* dc = LookupDc(handle);
  if (dc == nullptr) return FALSE;
  if (dc->bitmap != nullptr && !dc->bitmap->stock) dc->bitmap->selectedInto = nullptr;
  Destroy(dc);
  return TRUE;
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
  if (planes != 1 || (bitsPerPixel != 1 && bitsPerPixel != 32) || width < 0 || height < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (width == 0 || height == 0) return reinterpret_cast<HBITMAP>(DefaultBitmap());
  Bitmap* bitmap = NewColorBitmap(width, height);
  if (bitmap == nullptr) return nullptr;
  bitmap->bitsPerPixel = static_cast<int>(bitsPerPixel);
  if (bits != nullptr) {
    const auto* bytes = static_cast<const unsigned char*>(bits);
    // Rows of the caller's bits are padded to whole 16-bit words.
    const std::size_t rowBytes =
        bitsPerPixel == 1 ? static_cast<std::size_t>((width + 15) / 16) * 2
                          : static_cast<std::size_t>(width) * 4;
    for (int y = 0; y < height; ++y) {
      const unsigned char* row = bytes + rowBytes * static_cast<std::size_t>(y);
      std::uint32_t* out = bitmap->Row(y);
      for (int x = 0; x < width; ++x) {
        if (bitsPerPixel == 1) {
          out[x] = (row[x / 8] >> (7 - x % 8)) & 1;
        } else {
          out[x] = static_cast<std::uint32_t>(row[4 * x]) |
                   (static_cast<std::uint32_t>(row[4 * x + 1]) << 8) |
                   (static_cast<std::uint32_t>(row[4 * x + 2]) << 16);
        }
      }
    }
  }
  return reinterpret_cast<HBITMAP>(bitmap);
}

HBITMAP CreateCompatibleBitmap(HDC handle, int width, int height) {
  DeviceContext* dc = LookupDc(handle);
  if (dc == nullptr) return nullptr;
  const bool monochrome = dc->memory && dc->bitmap != nullptr && dc->bitmap->Monochrome();
  return CreateBitmap(width, height, 1, monochrome ? 1 : 32, nullptr);
}

HPEN CreatePen(int style, int width, COLORREF color) {
  auto pen = std::make_unique<Pen>();
  pen->style = style;
  pen->width = std::max(width, 1);
  pen->color = color & 0xFFFFFF;
  return reinterpret_cast<HPEN>(Register(std::move(pen)));
}

HBRUSH CreateSolidBrush(COLORREF color) {
  auto brush = std::make_unique<Brush>();
  brush->style = BS_SOLID;
  brush->color = color & 0xFFFFFF;
  return reinterpret_cast<HBRUSH>(Register(std::move(brush)));
}

HFONT CreateFontIndirectW(const LOGFONTW* log) {
  if (log == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto font = std::make_unique<Font>();
  font->log = *log;
  font->log.lfFaceName[LF_FACESIZE - 1] = u'\0';
  return reinterpret_cast<HFONT>(Register(std::move(font)));
}

HFONT CreateFontW(int height, int width, int escapement, int orientation, int weight,
                  DWORD italic, DWORD underline, DWORD strikeOut, DWORD charSet,
                  DWORD outPrecision, DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily,
                  LPCWSTR faceName) {
  LOGFONTW log{};
  log.lfHeight = height;
  log.lfWidth = width;
  log.lfEscapement = escapement;
  log.lfOrientation = orientation;
  log.lfWeight = weight;
  log.lfItalic = static_cast<BYTE>(italic != 0);
  log.lfUnderline = static_cast<BYTE>(underline != 0);
  log.lfStrikeOut = static_cast<BYTE>(strikeOut != 0);
  log.lfCharSet = static_cast<BYTE>(charSet);
  log.lfOutPrecision = static_cast<BYTE>(outPrecision);
  log.lfClipPrecision = static_cast<BYTE>(clipPrecision);
  log.lfQuality = static_cast<BYTE>(quality);
  log.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
  if (faceName != nullptr) {
    std::u16string_view name(faceName);
    name.copy(log.lfFaceName, std::min<std::size_t>(name.size(), LF_FACESIZE - 1));
  }
  return CreateFontIndirectW(&log);
}

HGDIOBJ SelectObject(HDC handle, HGDIOBJ objectHandle) {
  DeviceContext* dc = LookupDc(handle);
  Object* object = Lookup(objectHandle);
  if (dc == nullptr || object == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  switch (object->kind) {
    case Kind::Pen: return std::exchange(dc->pen, static_cast<Pen*>(object));
    case Kind::Brush: return std::exchange(dc->brush, static_cast<Brush*>(object));
    case Kind::Font: return std::exchange(dc->font, static_cast<Font*>(object));
    case Kind::Bitmap: {
      auto* bitmap = static_cast<Bitmap*>(object);
      if (!dc->memory) return nullptr;  // a window context draws into its window only
      if (bitmap == dc->bitmap) return bitmap;
      if (!bitmap->stock && bitmap->selectedInto != nullptr) return nullptr;
      Bitmap* previous = dc->bitmap;
      if (previous != nullptr && !previous->stock) previous->selectedInto = nullptr;
      if (!bitmap->stock) bitmap->selectedInto = dc;
      dc->bitmap = bitmap;
      dc->target = bitmap;
      dc->clip = RECT{0, 0, bitmap->width, bitmap->height};
      return previous;
    }
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
  }
}

HGDIOBJ GetCurrentObject(HDC handle, UINT type) {
  DeviceContext* dc = LookupDc(handle);
  if (dc == nullptr) return nullptr;
  switch (type) {
    case OBJ_PEN: return dc->pen;
    case OBJ_BRUSH: return dc->brush;
    case OBJ_FONT: return dc->font;
    case OBJ_BITMAP: return dc->bitmap;
    default: return nullptr;
  }
}

BOOL DeleteObject(HGDIOBJ handle) {
  Object* object = Lookup(handle);
  if (object == nullptr || object->kind == Kind::DeviceContext) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (object->stock) return TRUE;
  // An object still in use by a context stays alive; deleting it would
  // leave the context drawing with freed memory.
  if (SelectedSomewhere(object)) return FALSE;
  Destroy(object);
  return TRUE;
}

int GetObjectW(HGDIOBJ handle, int size, LPVOID buffer) {
  Object* object = Lookup(handle);
  if (object == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  switch (object->kind) {
    case Kind::Bitmap: {
      const auto* b = static_cast<const Bitmap*>(object);
      BITMAP record{};
      record.bmWidth = b->width;
      record.bmHeight = b->height;
      record.bmPlanes = 1;
      record.bmBitsPixel = static_cast<WORD>(b->bitsPerPixel);
      record.bmWidthBytes = b->Monochrome() ? (b->width + 15) / 16 * 2 : b->width * 4;
      record.bmBits = b->dibSection ? const_cast<std::uint32_t*>(b->pixels.data()) : nullptr;
      return CopyOut(record, size, buffer);
    }
    case Kind::Pen: {
      const auto* p = static_cast<const Pen*>(object);
      return CopyOut(LOGPEN{static_cast<UINT>(p->style), POINT{p->width, 0}, p->color}, size,
                     buffer);
    }
    case Kind::Brush: {
      const auto* b = static_cast<const Brush*>(object);
      return CopyOut(LOGBRUSH{b->style, b->color, 0}, size, buffer);
    }
    case Kind::Font: return CopyOut(static_cast<const Font*>(object)->log, size, buffer);
    default: return 0;
  }
}

DWORD GetObjectType(HGDIOBJ handle) {
  Object* object = Lookup(handle);
  if (object == nullptr) return 0;
  switch (object->kind) {
    case Kind::DeviceContext: return static_cast<DeviceContext*>(object)->memory ? OBJ_MEMDC : OBJ_DC;
    case Kind::Bitmap: return OBJ_BITMAP;
    case Kind::Pen: return OBJ_PEN;
    case Kind::Brush: return OBJ_BRUSH;
    case Kind::Font: return OBJ_FONT;
    default: return 0;
  }
}

COLORREF SetTextColor(HDC handle, COLORREF color) {
  DeviceContext* dc = LookupDc(handle);
  return dc ? std::exchange(dc->textColor, color & 0xFFFFFF) : CLR_INVALID;
}

COLORREF GetTextColor(HDC handle) {
  DeviceContext* dc = LookupDc(handle);
  return dc ? dc->textColor : CLR_INVALID;
}

COLORREF SetBkColor(HDC handle, COLORREF color) {
  DeviceContext* dc = LookupDc(handle);
  return dc ? std::exchange(dc->backgroundColor, color & 0xFFFFFF) : CLR_INVALID;
}

COLORREF GetBkColor(HDC handle) {
  DeviceContext* dc = LookupDc(handle);
  return dc ? dc->backgroundColor : CLR_INVALID;
}

int SetBkMode(HDC handle, int mode) {
  DeviceContext* dc = LookupDc(handle);
  if (dc == nullptr || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  return std::exchange(dc->backgroundMode, mode);
}

int GetBkMode(HDC handle) {
  DeviceContext* dc = LookupDc(handle);
  return dc ? dc->backgroundMode : 0;
}

int SetStretchBltMode(HDC handle, int mode) {
  DeviceContext* dc = LookupDc(handle);
  if (dc == nullptr || mode < BLACKONWHITE || mode > HALFTONE) return 0;
  return std::exchange(dc->stretchMode, mode);
}

HWND WindowFromDC(HDC handle) {
  DeviceContext* dc = LookupDc(handle);
  return dc ? dc->window : nullptr;
}

DWORD GetSysColor(int index) {
  return index >= 0 && index < kSysColorCount ? kSysColors[index] : 0;
}

HBRUSH GetSysColorBrush(int index) {
  if (index < 0 || index >= kSysColorCount) return nullptr;
  static Brush* brushes[kSysColorCount] = {};
  if (brushes[index] == nullptr) brushes[index] = StockBrush(BS_SOLID, kSysColors[index]);
  return reinterpret_cast<HBRUSH>(brushes[index]);
}
