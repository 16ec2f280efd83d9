#include "platform/api/kernel.h"

// The executable is the one module of the process; its handle is the address
// of this record, so that it is a real, stable, non-null value.
struct HINSTANCE__ {
  const char* name;
};

namespace {
HINSTANCE__ executableModule{"zarvo"};
}  // namespace

HMODULE GetModuleHandleW(LPCWSTR moduleName) {
  if (moduleName == nullptr) return &executableModule;
  SetLastError(ERROR_MOD_NOT_FOUND);
  return nullptr;
}
