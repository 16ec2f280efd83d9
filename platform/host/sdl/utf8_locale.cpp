#include "platform/host/sdl/utf8_locale.h"

#include <clocale>
#include <cstring>
#include <langinfo.h>

namespace host::sdl {

Utf8TextLocale::Utf8TextLocale() {
  if (std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0) return;
  const char* current = std::setlocale(LC_CTYPE, nullptr);
  if (current == nullptr) return;
  std::string saved = current;
  if (std::setlocale(LC_CTYPE, "C.UTF-8") != nullptr) saved_ = std::move(saved);
}

Utf8TextLocale::~Utf8TextLocale() {
  if (!saved_.empty()) std::setlocale(LC_CTYPE, saved_.c_str());
}

}  // namespace host::sdl
