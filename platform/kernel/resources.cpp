#include "platform/kernel/resources.h"

#include <vector>

#include "platform/api/kernel.h"

namespace kernel {
namespace {

std::vector<std::span<const EmbeddedResource>>& Tables() {
  static std::vector<std::span<const EmbeddedResource>> tables;
  return tables;
}

bool IsExecutable(HMODULE module) {
  return module == nullptr || module == GetModuleHandleW(nullptr);
}

// A named type compares without regard to case, as the system's names do.
bool SameName(std::u16string_view a, LPCWSTR b) {
  std::size_t i = 0;
  for (; b[i] != 0; ++i) {
    if (i >= a.size()) return false;
    char16_t x = a[i], y = b[i];
    if (x >= u'a' && x <= u'z') x = static_cast<char16_t>(x - 32);
    if (y >= u'a' && y <= u'z') y = static_cast<char16_t>(y - 32);
    if (x != y) return false;
  }
  return i == a.size();
}

bool SameType(const EmbeddedResource& r, LPCWSTR type) {
  if (IS_INTRESOURCE(type)) {
    return r.typeName.empty() && r.typeId == static_cast<WORD>(reinterpret_cast<UINT_PTR>(type));
  }
  return !r.typeName.empty() && SameName(r.typeName, type);
}

const EmbeddedResource* Known(HRSRC resource) {
  const auto* wanted = reinterpret_cast<const EmbeddedResource*>(resource);
  for (const auto& table : Tables()) {
    for (const EmbeddedResource& r : table) {
      if (&r == wanted) return &r;
    }
  }
  return nullptr;
}

}  // namespace

void RegisterResources(std::span<const EmbeddedResource> table) {
  Tables().push_back(table);
}

void ClearResources() {
  Tables().clear();
}

}  // namespace kernel

using kernel::EmbeddedResource;

HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type) {
  if (!kernel::IsExecutable(module)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (name == nullptr || type == nullptr || !IS_INTRESOURCE(name)) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  const auto id = static_cast<WORD>(reinterpret_cast<UINT_PTR>(name));
  bool typeSeen = false;
  const auto& tables = kernel::Tables();
  for (auto table = tables.rbegin(); table != tables.rend(); ++table) {
    for (const EmbeddedResource& r : *table) {
      if (!kernel::SameType(r, type)) continue;
      typeSeen = true;
      if (r.id == id) return reinterpret_cast<HRSRC>(const_cast<EmbeddedResource*>(&r));
    }
  }
  SetLastError(typeSeen ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND);
  return nullptr;
}

// The data of a resource is in the executable's own memory: "loading" finds
// it, and the handle is the address of its first byte.
HGLOBAL LoadResource(HMODULE module, HRSRC resource) {
  const EmbeddedResource* r = kernel::IsExecutable(module) ? kernel::Known(resource) : nullptr;
  if (r == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return const_cast<std::uint8_t*>(r->data.data());
}

LPVOID LockResource(HGLOBAL data) {
  return data;
}

DWORD SizeofResource(HMODULE module, HRSRC resource) {
  const EmbeddedResource* r = kernel::IsExecutable(module) ? kernel::Known(resource) : nullptr;
  if (r == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  return static_cast<DWORD>(r->data.size());
}
