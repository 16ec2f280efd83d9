#include <cerrno>
#include <cstdlib>
#include <string>
#include <sys/stat.h>

#include "platform/api/shell.h"
#include "platform/crt/utf.h"

namespace {

// The user's data folder as the desktop names it: $XDG_DATA_HOME when it is
// an absolute path, else $HOME/.local/share.
std::string LocalDataFolder() {
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  if (dataHome != nullptr && dataHome[0] == '/') return dataHome;
  const char* home = std::getenv("HOME");
  if (home == nullptr || home[0] != '/') return {};
  std::string folder = home;
  if (folder.back() != '/') folder += '/';
  return folder + ".local/share";
}

// Makes the folder and the missing ones on the way, private to the user as
// the desktop's rules for its data folders ask (0700). A name on the way
// that is not a folder fails.
bool MakeFolders(const std::string& folder) {
  for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
    const std::string level = folder.substr(0, slash);
    if (::mkdir(level.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) break;
  }
  struct stat info {};
  return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

HRESULT SHGetFolderPathW(HWND, int folder, HANDLE, DWORD flags, LPWSTR path) {
  if (path == nullptr || (folder & 0xFF) != CSIDL_LOCAL_APPDATA || flags > 1) return E_INVALIDARG;
  path[0] = u'\0';
  std::string found = LocalDataFolder();
  while (found.size() > 1 && found.back() == '/') found.pop_back();
  if (found.empty()) return E_FAIL;
  if ((folder & CSIDL_FLAG_CREATE) != 0 && !MakeFolders(found)) return E_FAIL;
  const std::u16string wide = crt::Utf16FromUtf8(found);
  if (wide.size() >= MAX_PATH) return E_FAIL;
  wide.copy(path, wide.size());
  path[wide.size()] = u'\0';
  return S_OK;
}
