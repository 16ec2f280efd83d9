// Makes the files that are made rather than written: the icon and the
// brick's sound of resources/, the pictures and the ball's sound of
// images_games/, and the desktop's icons of desktop/icons/. Run it from the
// repository root, or give the folders:
//
//   make_resources [RESOURCE_FOLDER [ASSET_FOLDER [ICON_FOLDER]]]
//   (default: resources images_games desktop/icons)
//
// The build never runs it; what it makes is committed, and a test checks
// that a fresh making gives the same bytes.
#include <cstdio>
#include <fstream>
#include <span>
#include <string>

#include "tools/assets/assets.h"

namespace {

int Write(const std::string& folder, std::span<const assets::Asset> list) {
  int failures = 0;
  for (const assets::Asset& asset : list) {
    const std::string path = folder + "/" + asset.fileName;
    const std::vector<std::uint8_t> bytes = asset.make();
    std::ofstream out;
    if (!bytes.empty()) out.open(path, std::ios::binary | std::ios::trunc);
    if (bytes.empty() || !out ||
        !out.write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()))) {
      std::fprintf(stderr, "make_resources: could not make %s\n", path.c_str());
      ++failures;
      continue;
    }
    std::printf("%s: %zu bytes\n", path.c_str(), bytes.size());
  }
  return failures;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string resources = argc > 1 ? argv[1] : "resources";
  const std::string gameAssets = argc > 2 ? argv[2] : "images_games";
  const std::string icons = argc > 3 ? argv[3] : "desktop/icons";
  const int failures = Write(resources, assets::ResourceAssets()) +
                       Write(gameAssets, assets::GameAssets()) +
                       Write(icons, assets::DesktopAssets());
  return failures == 0 ? 0 : 1;
}
