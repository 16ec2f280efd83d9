#include "platform/crt/path.h"

#include <algorithm>

#include "platform/crt/utf.h"

namespace crt {
namespace {

std::string WithSlashes(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

}  // namespace

std::string SystemPath(const char* narrowPath) {
  return narrowPath == nullptr ? std::string() : WithSlashes(Utf8FromLatin1(narrowPath));
}

std::string SystemPath(const char16_t* widePath) {
  return widePath == nullptr ? std::string() : WithSlashes(Utf8FromUtf16(widePath));
}

}  // namespace crt
