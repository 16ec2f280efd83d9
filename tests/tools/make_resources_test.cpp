#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/assets/assets.h"

namespace {

TEST(MakeResources, MakesTheCommittedFilesByteForByte) {
  for (const assets::Asset& asset : assets::ResourceAssets()) {
    std::ifstream in(std::string(ZARVO_RESOURCE_DIR) + "/" + asset.fileName, std::ios::binary);
    ASSERT_TRUE(in) << asset.fileName;
    const std::vector<std::uint8_t> committed{std::istreambuf_iterator<char>(in),
                                              std::istreambuf_iterator<char>()};
    const std::vector<std::uint8_t> made = asset.make();
    ASSERT_FALSE(made.empty()) << asset.fileName;
    EXPECT_TRUE(made == committed) << asset.fileName << ": run make_resources and commit";
  }
}

}  // namespace
