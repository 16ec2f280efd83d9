#include "game/shell/asset_paths.h"

#include "framework/util/paths.h"

namespace Zarvo {

std::string ReplaceChar(std::string text, char from, char to) {
  for (char& c : text) {
    if (c == from) c = to;
  }
  return text;
}

std::string DirectoryOf(const std::string& path) {
  const std::string copy = ReplaceChar(path, '/', '\\');
  std::size_t end = copy.rfind('\\');
  if (end == std::string::npos) end = copy.rfind(':');
  return end == std::string::npos ? std::string() : copy.substr(0, end + 1);
}

std::string FileNameOf(const std::string& path) {
  const std::string directory = DirectoryOf(path);
  return directory.empty() ? path : path.substr(directory.size());
}

std::string ResolveImagePath(const std::string& path) {
  if (VexaUtility::PathExists(path)) return path;
  return kAssetFallback + FileNameOf(path);
}

}  // namespace Zarvo
