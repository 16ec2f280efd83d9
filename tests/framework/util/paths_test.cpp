#include <cstdlib>
#include <gtest/gtest.h>

#include "framework/util/paths.h"
#include "tests/support/temp_folder.h"

namespace {

using namespace VexaUtility;
using testing_support::Exists;
using testing_support::TempFolder;
using testing_support::WriteBytes;

TEST(WithTrailingBackslash, AddsOneOnlyWhereNoneIs) {
  EXPECT_EQ(WithTrailingBackslash(""), "");
  EXPECT_EQ(WithTrailingBackslash("C:\\Games"), "C:\\Games\\");
  EXPECT_EQ(WithTrailingBackslash("C:\\Games\\"), "C:\\Games\\");
  EXPECT_EQ(WithTrailingBackslash("/home/u/"), "/home/u/");
  EXPECT_EQ(WithTrailingBackslash("x"), "x\\");
}

TEST(PathExists, IsTrueForFilesAndFoldersWhateverTheSeparators) {
  TempFolder folder;
  WriteBytes(folder / "file.txt", "x");
  EXPECT_TRUE(PathExists(folder.path()));
  EXPECT_TRUE(PathExists(folder.path() + "\\file.txt"));
  EXPECT_FALSE(PathExists(folder.path() + "\\other.txt"));
  EXPECT_FALSE(PathExists(""));
}

TEST(EnsureFolder, MakesOneLevelOnly) {
  TempFolder folder;
  const std::string game = folder.path() + "\\Zarvo";
  EXPECT_TRUE(EnsureFolder(game));
  EXPECT_TRUE(Exists(folder / "Zarvo"));
  EXPECT_TRUE(EnsureFolder(game));  // there already
  EXPECT_FALSE(EnsureFolder(folder.path() + "\\a\\b"));
  EXPECT_FALSE(Exists(folder / "a"));
  WriteBytes(folder / "plain", "x");
  EXPECT_TRUE(EnsureFolder(folder.path() + "\\plain"));  // a file of that name exists
}

TEST(LocalAppDataFolder, IsTheDesktopsDataFolderAsNarrowText) {
  setenv("XDG_DATA_HOME", "/data/caff\xC3\xA8", 1);
  EXPECT_EQ(LocalAppDataFolder(), "/data/caff\xE8");
  unsetenv("XDG_DATA_HOME");
  unsetenv("HOME");
  EXPECT_EQ(LocalAppDataFolder(), "");
}

}  // namespace
