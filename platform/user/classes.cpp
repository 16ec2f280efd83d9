#include "platform/user/classes.h"

#include <algorithm>

#include "platform/api/kernel.h"
#include "platform/user/controls.h"
#include "platform/user/menus.h"

namespace user {
namespace {

constexpr ATOM kFirstAtom = 0xC000;

std::vector<std::unique_ptr<WindowClass>>& Classes() {
  static std::vector<std::unique_ptr<WindowClass>> classes;
  return classes;
}

char16_t Folded(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }

// Class names compare without regard to case, as the system compares them.
bool SameName(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char16_t x, char16_t y) { return Folded(x) == Folded(y); });
}

void EnsureBuiltIns();

}  // namespace

WindowClass* FindClass(LPCWSTR name) {
  EnsureBuiltIns();
  if (name == nullptr) return nullptr;
  auto& classes = Classes();
  if (IS_INTRESOURCE(name)) {
    const auto atom = static_cast<std::size_t>(reinterpret_cast<UINT_PTR>(name));
    if (atom < kFirstAtom || atom - kFirstAtom >= classes.size()) return nullptr;
    return classes[atom - kFirstAtom].get();
  }
  for (const auto& c : classes) {
    if (c && SameName(c->name, name)) return c.get();
  }
  return nullptr;
}

void RegisterBuiltInClass(const char16_t* name, WNDPROC procedure, UINT style, HBRUSH background,
                          HCURSOR cursor) {
  for (const auto& c : Classes()) {
    if (c && SameName(c->name, name)) return;
  }
  auto c = std::make_unique<WindowClass>();
  c->name = name;
  c->builtIn = true;
  c->info.style = style;
  c->info.lpfnWndProc = procedure;
  c->info.hbrBackground = background;
  c->info.hCursor = cursor;
  c->info.lpszClassName = c->name.c_str();
  Classes().push_back(std::move(c));
}

namespace {

void EnsureBuiltIns() {
  static bool done = false;
  if (done) return;
  done = true;
  HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
  RegisterBuiltInClass(u"static", StaticProcedure, CS_DBLCLKS | CS_PARENTDC, nullptr, arrow);
  RegisterBuiltInClass(u"button", ButtonProcedure, CS_DBLCLKS | CS_PARENTDC, nullptr, arrow);
  RegisterBuiltInClass(u"edit", EditProcedure, CS_DBLCLKS | CS_PARENTDC, nullptr,
                       LoadCursorW(nullptr, IDC_IBEAM));
  RegisterBuiltInClass(kMessageBoxClass, MessageBoxProcedure, CS_DBLCLKS | CS_SAVEBITS,
                       GetSysColorBrush(COLOR_BTNFACE), arrow);
  RegisterDropDownClass();
}

}  // namespace
}  // namespace user

ATOM RegisterClassW(const WNDCLASSW* windowClass) {
  using namespace user;
  if (windowClass == nullptr || windowClass->lpszClassName == nullptr ||
      windowClass->lpfnWndProc == nullptr || IS_INTRESOURCE(windowClass->lpszClassName)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (FindClass(windowClass->lpszClassName) != nullptr) {
    SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    return 0;
  }
  auto c = std::make_unique<WindowClass>();
  c->name = windowClass->lpszClassName;
  c->info = *windowClass;
  c->info.lpszClassName = c->name.c_str();
  c->info.lpszMenuName = nullptr;
  auto& classes = Classes();
  classes.push_back(std::move(c));
  return static_cast<ATOM>(kFirstAtom + classes.size() - 1);
}

BOOL UnregisterClassW(LPCWSTR className, HINSTANCE) {
  using namespace user;
  WindowClass* c = FindClass(className);
  if (c == nullptr || c->builtIn) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  for (Window* w : TopLevelWindows()) {
    bool inUse = false;
    VisitTree(w, [&](Window* x) { inUse = inUse || x->windowClass == c; });
    if (inUse) {
      SetLastError(ERROR_CLASS_HAS_WINDOWS);
      return FALSE;
    }
  }
  // The class's background brush goes with it, as the system deletes it;
  // a stock or system-colour brush is not deleted by that.
  if (c->info.hbrBackground != nullptr) DeleteObject(c->info.hbrBackground);
  // The slot stays so that atoms of later classes keep their meaning.
  for (auto& slot : Classes()) {
    if (slot.get() == c) slot.reset();
  }
  return TRUE;
}

BOOL GetClassInfoW(HINSTANCE, LPCWSTR className, WNDCLASSW* out) {
  user::WindowClass* c = user::FindClass(className);
  if (c == nullptr || out == nullptr) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  *out = c->info;
  return TRUE;
}
