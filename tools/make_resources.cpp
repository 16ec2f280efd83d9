// Makes the files of resources/ that are made rather than written: the icon
// and the brick's sound. Run it from the repository root, or give the folder:
//
//   make_resources [FOLDER]      (default: resources)
//
// The build never runs it; what it makes is committed, and a test checks
// that a fresh making gives the same bytes.
#include <cstdio>
#include <fstream>
#include <string>

#include "tools/assets/assets.h"

int main(int argc, char** argv) {
  const std::string folder = argc > 1 ? argv[1] : "resources";
  int failures = 0;
  for (const assets::Asset& asset : assets::ResourceAssets()) {
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
  return failures == 0 ? 0 : 1;
}
