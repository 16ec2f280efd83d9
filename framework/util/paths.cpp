#include "framework/util/paths.h"

#include "framework/util/text.h"
#include "platform/api/crt.h"
#include "platform/api/shell.h"

namespace VexaUtility {

std::string LocalAppDataFolder() {
  WCHAR buffer[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, buffer))) {
    return {};
  }
  return ToNarrow(std::u16string(buffer));
}

bool EnsureLocalAppDataFolder() {
  WCHAR buffer[MAX_PATH] = {};
  return SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr,
                                    SHGFP_TYPE_CURRENT, buffer));
}

bool PathExists(const std::string& path) {
  return crt::_access(path.c_str(), 0) == 0;
}

bool EnsureFolder(std::string path) {
  if (PathExists(path)) return true;
  // Another game may make the same folder at the same moment: it is there
  // all the same.
  return crt::_mkdir(path.c_str()) == 0 || PathExists(path);
}

std::string WithTrailingBackslash(std::string path) {
  if (!path.empty() && path.back() != '/' && path.back() != '\\') path += '\\';
  return path;
}

}  // namespace VexaUtility
