// Makes the files that are made rather than written: the icon and the
// brick's sound of resources/, and the pictures and the ball's sound of
// images_games/. Run it from the repository root, or give the folders:
//
//   make_resources [RESOURCE_FOLDER [ASSET_FOLDER]]   (default: resources images_games)
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
  const int failures =
      Write(resources, assets::ResourceAssets()) + Write(gameAssets, assets::GameAssets());
  return failures == 0 ? 0 : 1;
}
