// The system's cursors and its application icon.
#include "platform/api/kernel.h"
#include "platform/gdi/resource_icon.h"
#include "platform/user/state.h"

struct HICON__ {
  host::Cursor shape;
};

namespace user {
namespace {

struct StockCursor {
  UINT_PTR id;
  HICON__ record;
};

StockCursor kCursors[] = {
    {32512, {host::Cursor::Arrow}},   {32513, {host::Cursor::IBeam}},
    {32514, {host::Cursor::Wait}},    {32646, {host::Cursor::SizeAll}},
    {32648, {host::Cursor::No}},      {32649, {host::Cursor::Hand}},
};

HCURSOR current = nullptr;

const HICON__* FindCursor(HCURSOR cursor) {
  for (const StockCursor& c : kCursors) {
    if (&c.record == cursor) return &c.record;
  }
  return nullptr;
}

// The icon a window gets when the program names none: a small window with a
// blue title bar, at the three sizes a desktop asks for.
gdi::IconImage ApplicationIconImage(int size) {
  gdi::IconImage image;
  image.width = image.height = size;
  image.argb.assign(static_cast<std::size_t>(size) * size, 0);
  const int border = size / 16 + 1;
  const int bar = size / 4;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const bool edge = x < border || y < border || x >= size - border || y >= size - border;
      std::uint32_t colour = 0xFFFFFFFF;
      if (edge) colour = 0xFF000000;
      else if (y < bar) colour = 0xFF000080;
      image.argb[static_cast<std::size_t>(y) * size + x] = colour;
    }
  }
  return image;
}

HICON ApplicationIcon() {
  // Marked stock before it is registered, so that it is never counted among
  // the objects the program made.
  static HICON icon = [] {
    auto i = std::make_unique<gdi::Icon>();
    i->images = {ApplicationIconImage(16), ApplicationIconImage(32), ApplicationIconImage(48)};
    i->stock = true;
    return reinterpret_cast<HICON>(gdi::Register(std::move(i)));
  }();
  return icon;
}

}  // namespace
}  // namespace user

using namespace user;

HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name) {
  if (instance == nullptr && IS_INTRESOURCE(name)) {
    const UINT_PTR id = reinterpret_cast<UINT_PTR>(name);
    for (StockCursor& c : kCursors) {
      if (c.id == id) return &c.record;
    }
  }
  SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
  return nullptr;
}

HCURSOR SetCursor(HCURSOR cursor) {
  HCURSOR old = current;
  if (const HICON__* c = FindCursor(cursor)) {
    current = cursor;
    host::Current().SetCursor(c->shape);
  } else if (cursor == nullptr) {
    current = nullptr;
  }
  return old;
}

// With an instance, an icon group of the executable at the system's icon
// size; the icon is shared, as the system's loaded icons are.
HICON LoadIconW(HINSTANCE instance, LPCWSTR name) {
  if (instance == nullptr) {
    if (name == IDI_APPLICATION) return ApplicationIcon();
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  return gdi::LoadResourceIcon(instance, name, GetSystemMetrics(SM_CXICON),
                               GetSystemMetrics(SM_CYICON), true);
}

BOOL DestroyIcon(HICON icon) {
  if (FindCursor(icon) != nullptr) return TRUE;
  gdi::Icon* i = gdi::LookupIcon(icon);
  if (i == nullptr) return FALSE;
  gdi::Destroy(i);
  return TRUE;
}
