#include <gtest/gtest.h>


#include <filesystem>

#include "game/shell/asset_paths.h"
#include "tests/support/temp_folder.h"

namespace {

using namespace Zarvo;
using testing_support::TempFolder;
using testing_support::WriteBytes;

TEST(AssetPaths, DirectoryAndFileNameOfAPath) {
  struct Case {
    const char* path;
    const char* directory;
    const char* file;
  } cases[] = {
      {"C:logo.bmp", "C:", "logo.bmp"},
      {"uno/due\\logo.bmp", "uno\\due\\", "logo.bmp"},
      {"logo.bmp", "", "logo.bmp"},
      {"..\\images_games\\ball.wav", "..\\images_games\\", "ball.wav"},
      {"cartella\\", "cartella\\", ""},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DirectoryOf(c.path), c.directory) << c.path;
    EXPECT_EQ(FileNameOf(c.path), c.file) << c.path;
  }
  EXPECT_EQ(ReplaceChar("a/b/c", '/', '\\'), "a\\b\\c");
}

// The working directory is a folder of the test's own, with a subfolder
// `run` to play in, so that "..\images_games" is the test's folder too.
class AssetFolders : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    std::filesystem::create_directories(root_ / std::string("run/images_games"));
    std::filesystem::create_directories(root_ / std::string("images_games"));
    std::filesystem::current_path(root_ / std::string("run"));
  }
  void TearDown() override { std::filesystem::current_path(previous_); }
  TempFolder root_;
  std::filesystem::path previous_;
};

TEST_F(AssetFolders, TheFolderBesideTheWorkingDirectoryComesFirst) {
  WriteBytes(root_ / "images_games/logo.bmp", "beside");
  WriteBytes(root_ / "run/images_games/logo.bmp", "inside");
  EXPECT_EQ(ResolveImagePath("..\\images_games\\logo.bmp"), "..\\images_games\\logo.bmp");
}

TEST_F(AssetFolders, ElseTheFolderInsideIt_EvenWhenTheFileIsNowhere) {
  WriteBytes(root_ / "run/images_games/logo.bmp", "inside");
  EXPECT_EQ(ResolveImagePath("..\\images_games\\logo.bmp"), "images_games\\logo.bmp");
  EXPECT_EQ(ResolveImagePath("..\\images_games\\ball.wav"), "images_games\\ball.wav");
}

}  // namespace
