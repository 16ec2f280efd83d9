#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>

#include "platform/api/shell.h"
#include "platform/host/headless/headless.h"
#include "tests/support/temp_folder.h"

namespace {

struct FolderCase {
  const char* name;
  const char* dataHome;  // null: unset
  const char* home;
  HRESULT result;
  std::u16string path;
};

class LocalAppData : public ::testing::TestWithParam<FolderCase> {};

TEST_P(LocalAppData, ComesFromTheDesktopsDataFolder) {
  const FolderCase& c = GetParam();
  if (c.dataHome) setenv("XDG_DATA_HOME", c.dataHome, 1); else unsetenv("XDG_DATA_HOME");
  if (c.home) setenv("HOME", c.home, 1); else unsetenv("HOME");
  WCHAR buffer[MAX_PATH];
  buffer[0] = u'?';
  EXPECT_EQ(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, buffer),
            c.result);
  if (SUCCEEDED(c.result)) {
    EXPECT_EQ(std::u16string(buffer), c.path);
  }
}

// With "/.local/share" added, 260 characters or more: no room for the zero.
const std::string kLongHome = "/" + std::string(246, 'h');
const std::string kFittingDataHome = "/" + std::string(258, 'x');

INSTANTIATE_TEST_SUITE_P(
    Environment, LocalAppData,
    ::testing::Values(
        FolderCase{"DataHome", "/data/home/", "/home/u", S_OK, u"/data/home"},
        FolderCase{"UnsetDataHome", nullptr, "/home/u", S_OK, u"/home/u/.local/share"},
        FolderCase{"EmptyDataHome", "", "/home/u/", S_OK, u"/home/u/.local/share"},
        FolderCase{"RelativeDataHome", "rel", "/home/u", S_OK, u"/home/u/.local/share"},
        FolderCase{"Utf8", "/d/caff\xC3\xA8", nullptr, S_OK, u"/d/caff\u00E8"},
        FolderCase{"Nothing", nullptr, nullptr, E_FAIL, u""},
        FolderCase{"RelativeHome", nullptr, "home", E_FAIL, u""},
        FolderCase{"TooLong", nullptr, kLongHome.c_str(), E_FAIL, u""},
        FolderCase{"JustFits", kFittingDataHome.c_str(), nullptr, S_OK,
                   u"/" + std::u16string(258, u'x')}),
    [](const auto& info) { return info.param.name; });

TEST(LocalAppData, OtherFoldersAndNoBufferAreRefused) {
  WCHAR buffer[MAX_PATH];
  EXPECT_EQ(SHGetFolderPathW(nullptr, 0x0005, nullptr, 0, buffer), E_INVALIDARG);
  EXPECT_EQ(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, nullptr), E_INVALIDARG);
}

// Asked to, the folder is made with every missing folder on the way,
// private to the user; a file on the way fails and nothing is made.
TEST(LocalAppData, IsMadeWithItsParentsWhenAskedTo) {
  testing_support::TempFolder folder;
  unsetenv("XDG_DATA_HOME");
  setenv("HOME", (folder / "home").c_str(), 1);
  WCHAR buffer[MAX_PATH];
  EXPECT_EQ(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, buffer), S_OK);
  EXPECT_FALSE(testing_support::Exists(folder / "home"));
  EXPECT_EQ(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, buffer),
            S_OK);
  for (const char* made : {"home", "home/.local", "home/.local/share"}) {
    struct stat info {};
    ASSERT_EQ(stat((folder / made).c_str(), &info), 0) << made;
    EXPECT_TRUE(S_ISDIR(info.st_mode)) << made;
    EXPECT_EQ(info.st_mode & 0777, 0700u) << made;
  }
  // Already there: nothing to do, and still there.
  EXPECT_EQ(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, buffer),
            S_OK);

  testing_support::WriteBytes(folder / "plain", "x");
  setenv("XDG_DATA_HOME", (folder / "plain/share").c_str(), 1);
  EXPECT_EQ(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, buffer),
            E_FAIL);
  EXPECT_EQ(testing_support::ReadBytes(folder / "plain"), "x");
}

TEST(ShellExecute, OpenHandsTheTargetToTheDesktopUnchanged) {
  auto& host = host::headless::Instance();
  const std::u16string target = u"https://example.invalid/a b?c=\"d\";$(x)";
  const HINSTANCE result =
      ShellExecuteW(nullptr, u"open", target.c_str(), nullptr, nullptr, 5);
  EXPECT_GT(reinterpret_cast<INT_PTR>(result), 32);
  ASSERT_EQ(host.OpenedAddresses().size(), 1u);
  EXPECT_EQ(host.OpenedAddresses()[0], "https://example.invalid/a b?c=\"d\";$(x)");

  host.SetOpenResult(false);
  EXPECT_LE(reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, u"open", u"x", nullptr, nullptr, 5)),
            32);
}

TEST(ShellExecute, UnknownVerbsAndEmptyTargetsAreNotHandedOver) {
  auto& host = host::headless::Instance();
  EXPECT_EQ(reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, u"print", u"x", nullptr, nullptr, 5)),
            SE_ERR_NOASSOC);
  EXPECT_EQ(reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, u"open", u"", nullptr, nullptr, 5)),
            SE_ERR_FNF);
  EXPECT_TRUE(host.OpenedAddresses().empty());
}

}  // namespace
