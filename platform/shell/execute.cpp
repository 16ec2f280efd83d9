#include <string>

#include "platform/api/shell.h"
#include "platform/crt/utf.h"
#include "platform/host/host.h"

namespace {

bool IsOpenVerb(LPCWSTR verb) {
  return verb == nullptr || verb[0] == u'\0' || std::u16string_view(verb) == u"open";
}

HINSTANCE Result(INT_PTR value) { return reinterpret_cast<HINSTANCE>(value); }

}  // namespace

HINSTANCE ShellExecuteW(HWND, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR, INT) {
  if (file == nullptr || file[0] == u'\0') return Result(SE_ERR_FNF);
  // Only "open" of a document or address is known here; anything else has
  // no program to take it.
  if (!IsOpenVerb(verb) || (parameters != nullptr && parameters[0] != u'\0')) {
    return Result(SE_ERR_NOASSOC);
  }
  const std::string target = crt::Utf8FromUtf16(file);
  // Handed over means accepted by the desktop; 42 is any value above 32.
  return Result(host::Current().OpenAddress(target) ? 42 : SE_ERR_NOASSOC);
}
