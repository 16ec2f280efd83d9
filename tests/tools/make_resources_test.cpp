#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <vector>

#include "tools/assets/assets.h"

namespace {

void ExpectCommittedFiles(const std::string& folder, std::span<const assets::Asset> list) {
  for (const assets::Asset& asset : list) {
    std::ifstream in(folder + "/" + asset.fileName, std::ios::binary);
    ASSERT_TRUE(in) << asset.fileName;
    const std::vector<std::uint8_t> committed{std::istreambuf_iterator<char>(in),
                                              std::istreambuf_iterator<char>()};
    const std::vector<std::uint8_t> made = asset.make();
    ASSERT_FALSE(made.empty()) << asset.fileName;
    EXPECT_TRUE(made == committed) << asset.fileName << ": run make_resources and commit";
  }
}

TEST(MakeResources, MakesTheCommittedFilesByteForByte) {
  ExpectCommittedFiles(ZARVO_RESOURCE_DIR, assets::ResourceAssets());
}

TEST(MakeResources, MakesTheCommittedGameAssetsByteForByte) {
  ExpectCommittedFiles(ZARVO_ASSET_DIR, assets::GameAssets());
}

TEST(MakeResources, MakesTheCommittedDesktopIconsByteForByte) {
  ExpectCommittedFiles(ZARVO_ICON_DIR, assets::DesktopAssets());
}

}  // namespace
