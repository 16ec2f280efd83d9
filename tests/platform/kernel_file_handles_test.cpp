#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>

#include "platform/api/kernel.h"
#include "platform/crt/faults.h"
#include "tests/support/temp_folder.h"

namespace {

using testing_support::Exists;
using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;
namespace fs = std::filesystem;

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

HANDLE Open(const std::string& path, DWORD access, DWORD disposition) {
  return CreateFileA(path.c_str(), access, kShareAll, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                     nullptr);
}

BOOL LockWhole(HANDLE file, DWORD flags) {
  OVERLAPPED whole{};
  return LockFileEx(file, flags, 0, 0xFFFFFFFF, 0xFFFFFFFF, &whole);
}

BOOL UnlockWhole(HANDLE file) {
  OVERLAPPED whole{};
  return UnlockFileEx(file, 0, 0xFFFFFFFF, 0xFFFFFFFF, &whole);
}

// Two handles on one file conflict, in one process as in two: the second
// is refused while the first holds the lock, and gets it once the first
// unlocks or closes.
TEST(FileLocks, AreExclusiveBetweenHandlesUntilUnlockedOrClosed) {
  TempFolder folder;
  const std::string name = folder.path() + "\\table.lock";
  HANDLE first = Open(name, GENERIC_READ, OPEN_ALWAYS);
  ASSERT_NE(first, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(Exists(folder / "table.lock"));
  HANDLE second = Open(name, GENERIC_READ, OPEN_EXISTING);
  ASSERT_NE(second, INVALID_HANDLE_VALUE);
  const DWORD tryOnly = LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY;

  EXPECT_TRUE(LockWhole(first, tryOnly));
  EXPECT_FALSE(LockWhole(second, tryOnly));
  EXPECT_EQ(GetLastError(), ERROR_LOCK_VIOLATION);
  EXPECT_TRUE(UnlockWhole(first));
  EXPECT_TRUE(LockWhole(second, tryOnly));
  EXPECT_FALSE(LockWhole(first, tryOnly));
  EXPECT_TRUE(CloseHandle(second));
  EXPECT_TRUE(LockWhole(first, LOCKFILE_EXCLUSIVE_LOCK));  // free again: no wait
  EXPECT_TRUE(CloseHandle(first));
}

TEST(FileLocks, RefuseAPartOfTheFileASharedLockAndAStaleHandle) {
  TempFolder folder;
  HANDLE file = Open(folder / "f", GENERIC_READ, OPEN_ALWAYS);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  OVERLAPPED atTen{};
  atTen.Offset = 10;
  EXPECT_FALSE(LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, 0xFFFFFFFF, 0xFFFFFFFF, &atTen));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  OVERLAPPED whole{};
  EXPECT_FALSE(LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, 100, 0, &whole));
  EXPECT_FALSE(LockWhole(file, LOCKFILE_FAIL_IMMEDIATELY));  // shared
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_TRUE(CloseHandle(file));
  EXPECT_FALSE(CloseHandle(file));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_FALSE(LockWhole(file, LOCKFILE_EXCLUSIVE_LOCK));
  EXPECT_FALSE(CloseHandle(INVALID_HANDLE_VALUE));
}

// What each disposition does with a missing and with an existing file.
TEST(CreateFile, DispositionsMakeOpenOrRefuse) {
  const struct {
    DWORD disposition;
    bool opensMissing;
    bool opensExisting;
    DWORD errorExisting;  // when refused
  } cases[] = {
      {CREATE_NEW, true, false, ERROR_FILE_EXISTS},
      {OPEN_EXISTING, false, true, 0},
      {OPEN_ALWAYS, true, true, 0},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    HANDLE missing = Open(folder / "missing", GENERIC_READ, c.disposition);
    EXPECT_EQ(missing != INVALID_HANDLE_VALUE, c.opensMissing) << c.disposition;
    if (missing != INVALID_HANDLE_VALUE) {
      CloseHandle(missing);
    } else {
      EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND) << c.disposition;
    }
    WriteBytes(folder / "there", "kept");
    HANDLE there = Open(folder / "there", GENERIC_READ, c.disposition);
    EXPECT_EQ(there != INVALID_HANDLE_VALUE, c.opensExisting) << c.disposition;
    if (there != INVALID_HANDLE_VALUE) {
      CloseHandle(there);
    } else {
      EXPECT_EQ(GetLastError(), c.errorExisting) << c.disposition;
    }
    EXPECT_EQ(ReadBytes(folder / "there"), "kept") << c.disposition;
  }
}

// The final path follows every link on the way, a chain of them too, and
// tells the size it needs when the buffer is short.
TEST(FinalPath, FollowsEveryLinkToTheFile) {
  TempFolder folder;
  fs::create_directories(folder / "real");
  WriteBytes(folder / "real/table.txt", "x");
  fs::create_symlink("real", folder / "dir");
  fs::create_symlink("dir/table.txt", folder / "one");
  fs::create_symlink("one", folder / "two");
  const std::string expected = fs::canonical(folder / "real/table.txt").string();

  HANDLE file = Open(folder.path() + "\\two", 0, OPEN_EXISTING);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  char path[MAX_PATH];
  EXPECT_EQ(GetFinalPathNameByHandleA(file, path, MAX_PATH, FILE_NAME_NORMALIZED), expected.size());
  EXPECT_EQ(std::string(path), expected);
  char little[4];
  EXPECT_EQ(GetFinalPathNameByHandleA(file, little, sizeof little, FILE_NAME_NORMALIZED),
            expected.size() + 1);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  CloseHandle(file);

  // A link that leads nowhere opens only as the link itself.
  fs::create_symlink("gone.txt", folder / "dangling");
  EXPECT_EQ(Open(folder / "dangling", 0, OPEN_EXISTING), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  HANDLE link = CreateFileA((folder / "dangling").c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                            FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  ASSERT_NE(link, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetFinalPathNameByHandleA(link, path, MAX_PATH, FILE_NAME_NORMALIZED),
            (folder / "dangling").size());
  CloseHandle(link);
}

// A pipe or socket opens for looking at without waiting for a partner.
TEST(FinalPath, OfAPipeOpensWithoutWaiting) {
  TempFolder folder;
  ASSERT_EQ(mkfifo((folder / "pipe").c_str(), 0600), 0);
  HANDLE file = Open(folder / "pipe", 0, OPEN_EXISTING);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  char path[MAX_PATH];
  EXPECT_GT(GetFinalPathNameByHandleA(file, path, MAX_PATH, FILE_NAME_NORMALIZED), 0u);
  CloseHandle(file);
  HANDLE reader = Open(folder / "pipe", GENERIC_READ, OPEN_EXISTING);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  CloseHandle(reader);
}

// The replacement takes the name and the permissions of the replaced file;
// with no file to replace, or a refused rename, nothing changes.
TEST(ReplaceFile, TheReplacementTakesTheNameAndPermissions) {
  TempFolder folder;
  WriteBytes(folder / "table", "old");
  ASSERT_EQ(chmod((folder / "table").c_str(), 0604), 0);
  WriteBytes(folder / "new", "new");
  ASSERT_EQ(chmod((folder / "new").c_str(), 0666), 0);

  crt::faults::FailNextRename();
  EXPECT_FALSE(ReplaceFileA((folder / "table").c_str(), (folder / "new").c_str(), nullptr,
                            REPLACEFILE_WRITE_THROUGH, nullptr, nullptr));
  EXPECT_EQ(ReadBytes(folder / "table"), "old");
  EXPECT_FALSE(ReplaceFileA((folder / "missing").c_str(), (folder / "new").c_str(), nullptr, 0,
                            nullptr, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(Exists(folder / "missing"));
  EXPECT_TRUE(Exists(folder / "new"));

  EXPECT_TRUE(ReplaceFileA((folder.path() + "\\table").c_str(), (folder.path() + "\\new").c_str(),
                           nullptr, REPLACEFILE_WRITE_THROUGH, nullptr, nullptr));
  EXPECT_EQ(ReadBytes(folder / "table"), "new");
  EXPECT_FALSE(Exists(folder / "new"));
  struct stat info {};
  ASSERT_EQ(stat((folder / "table").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0604u);
}

}  // namespace
