#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>

#include "platform/api/crt.h"
#include "platform/api/kernel.h"
#include "platform/crt/faults.h"
#include "tests/support/temp_folder.h"

namespace {

using testing_support::Exists;
using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

std::string ReadAll(crt::FILE* f) {
  std::string out;
  for (int c; (c = crt::fgetc(f)) != EOF;) out += static_cast<char>(c);
  return out;
}

std::string ReadFileWithMode(const std::string& path, const char* mode) {
  crt::FILE* f = crt::fopen(path.c_str(), mode);
  EXPECT_NE(f, nullptr);
  if (f == nullptr) return {};
  std::string out = ReadAll(f);
  EXPECT_TRUE(crt::feof(f));
  EXPECT_FALSE(crt::ferror(f));
  crt::fclose(f);
  return out;
}

struct ReadCase {
  const char* name;
  std::string onDisk;
  std::string text;    // as text mode reads it
};

class TextModeRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(TextModeRead, TranslatesAndStopsAtCtrlZWhileBinaryKeepsEveryByte) {
  TempFolder folder;
  const std::string path = folder / "f.txt";
  WriteBytes(path, GetParam().onDisk);
  EXPECT_EQ(ReadFileWithMode(path, "rt"), GetParam().text);
  EXPECT_EQ(ReadFileWithMode(path, "r"), GetParam().text);  // text is the default
  EXPECT_EQ(ReadFileWithMode(path, "rb"), GetParam().onDisk);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextModeRead,
    ::testing::Values(
        ReadCase{"CrLf", "a\r\nb\r\n", "a\nb\n"}, ReadCase{"LoneCr", "a\rb\r", "a\rb\r"},
        ReadCase{"CrCrLf", "a\r\r\nb", "a\r\nb"},
        ReadCase{"CtrlZEnds", std::string("ab\x1A" "cd", 5), "ab"},
        ReadCase{"CrBeforeCtrlZ", std::string("a\r\x1A\n", 4), "a\r"},
        ReadCase{"ZeroBytesPass", std::string("a\0b\r\n", 5), std::string("a\0b\n", 4)},
        ReadCase{"HighBytesPass", "\xB0\xE8\xFF", "\xB0\xE8\xFF"}, ReadCase{"Empty", "", ""}),
    [](const auto& info) { return info.param.name; });

TEST(TextModeRead, CrLfSplitAcrossTheReadBufferIsOneLineFeed) {
  TempFolder folder;
  const std::string path = folder / "f.txt";
  for (std::size_t crAt : {4094u, 4095u, 4096u, 8191u}) {
    std::string bytes(crAt, 'x');
    bytes += "\r\nz";
    WriteBytes(path, bytes);
    EXPECT_EQ(ReadFileWithMode(path, "rt"), std::string(crAt, 'x') + "\nz") << crAt;
  }
}

TEST(TextModeWrite, LineFeedBecomesCrLfOnlyInTextMode) {
  TempFolder folder;
  const std::string text = std::string("a\nb\r\n\x1A\0", 7);
  for (const auto& [mode, expected] :
       {std::pair{"wt", std::string("a\r\nb\r\r\n\x1A\0", 9)}, std::pair{"wb", text}}) {
    const std::string path = folder / "out";
    crt::FILE* f = crt::fopen(path.c_str(), mode);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(crt::fwrite(text.data(), 1, text.size(), f), text.size());
    EXPECT_EQ(crt::fclose(f), 0);
    EXPECT_EQ(ReadBytes(path), expected) << mode;
  }
}

TEST(Stream, SeekAndTellCountBytesOnDiskAndASeekGoesPastTheCtrlZ) {
  TempFolder folder;
  const std::string path = folder / "f.txt";
  WriteBytes(path, std::string("ab\r\ncd\x1A" "ef", 9));
  crt::FILE* f = crt::fopen(path.c_str(), "rt");
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(crt::fgetc(f), 'a');
  EXPECT_EQ(crt::ftell(f), 1);
  EXPECT_EQ(ReadAll(f), "b\ncd");
  EXPECT_EQ(crt::ftell(f), 6);  // at the Ctrl-Z
  EXPECT_TRUE(crt::feof(f));
  EXPECT_EQ(crt::fgetc(f), EOF);  // still the end until a seek

  EXPECT_EQ(crt::fseek(f, 7, SEEK_SET), 0);
  EXPECT_FALSE(crt::feof(f));
  EXPECT_EQ(ReadAll(f), "ef");
  crt::rewind(f);
  EXPECT_EQ(crt::fgetc(f), 'a');
  EXPECT_EQ(crt::fseek(f, -2, SEEK_END), 0);
  EXPECT_EQ(crt::fgetc(f), 'e');
  EXPECT_NE(crt::fseek(f, 0, 99), 0);
  crt::fclose(f);
}

TEST(Stream, ReadAndWriteOnOneStreamKeepThePosition) {
  TempFolder folder;
  const std::string path = folder / "f.bin";
  WriteBytes(path, "0123456789");
  crt::FILE* f = crt::fopen(path.c_str(), "r+b");
  ASSERT_NE(f, nullptr);
  char two[2];
  EXPECT_EQ(crt::fread(two, 1, 2, f), 2u);
  EXPECT_EQ(crt::fputc('X', f), 'X');  // lands at offset 2, not after the read-ahead
  EXPECT_EQ(crt::ftell(f), 3);
  EXPECT_EQ(crt::fgetc(f), '3');
  crt::fclose(f);
  EXPECT_EQ(ReadBytes(path), "01X3456789");

  f = crt::fopen(path.c_str(), "ab");
  ASSERT_NE(f, nullptr);
  crt::fputs("!", f);
  crt::fclose(f);
  EXPECT_EQ(ReadBytes(path), "01X3456789!");
}

TEST(Stream, FgetsStopsAfterTheLineFeedOrWhenTheBufferIsFull) {
  TempFolder folder;
  const std::string path = folder / "f.txt";
  WriteBytes(path, "hello\r\nworld");
  crt::FILE* f = crt::fopen(path.c_str(), "rt");
  ASSERT_NE(f, nullptr);
  char buffer[5];
  ASSERT_NE(crt::fgets(buffer, sizeof buffer, f), nullptr);
  EXPECT_STREQ(buffer, "hell");
  ASSERT_NE(crt::fgets(buffer, sizeof buffer, f), nullptr);
  EXPECT_STREQ(buffer, "o\n");
  ASSERT_NE(crt::fgets(buffer, sizeof buffer, f), nullptr);
  EXPECT_STREQ(buffer, "worl");
  ASSERT_NE(crt::fgets(buffer, sizeof buffer, f), nullptr);
  EXPECT_STREQ(buffer, "d");
  EXPECT_EQ(crt::fgets(buffer, sizeof buffer, f), nullptr);
  crt::fclose(f);
}

TEST(Stream, FailuresSetTheErrorStateAndTheSystemError) {
  TempFolder folder;
  SetLastError(0);
  EXPECT_EQ(crt::fopen((folder / "missing.txt").c_str(), "rt"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(errno, ENOENT);
  EXPECT_EQ(crt::fopen((folder / "missing/x.txt").c_str(), "wt"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(crt::fopen(folder.path().c_str(), "rt"), nullptr);  // a folder is no file
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  for (const char* mode : {"", "q", "rw", "r++", "rtb", "x"}) {
    EXPECT_EQ(crt::fopen((folder / "f").c_str(), mode), nullptr) << mode;
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER) << mode;
  }

  WriteBytes(folder / "r.txt", "abc");
  crt::FILE* readOnly = crt::fopen((folder / "r.txt").c_str(), "rt");
  ASSERT_NE(readOnly, nullptr);
  EXPECT_EQ(crt::fputc('x', readOnly), EOF);
  EXPECT_TRUE(crt::ferror(readOnly));
  crt::clearerr(readOnly);
  EXPECT_FALSE(crt::ferror(readOnly));
  EXPECT_EQ(crt::fgetc(readOnly), 'a');
  crt::fclose(readOnly);
}

TEST(Stream, AnInjectedWriteFailureShowsAsAFullDisk) {
  TempFolder folder;
  const std::string path = folder / "w.txt";
  crt::FILE* f = crt::fopen(path.c_str(), "wt");
  ASSERT_NE(f, nullptr);
  crt::faults::FailWriteNumber(2);
  crt::fputs("one\n", f);
  EXPECT_EQ(crt::fflush(f), 0);
  crt::fputs("two\n", f);
  EXPECT_EQ(crt::fflush(f), EOF);
  EXPECT_TRUE(crt::ferror(f));
  EXPECT_EQ(GetLastError(), ERROR_DISK_FULL);
  crt::fclose(f);
  EXPECT_EQ(ReadBytes(path), "one\r\n");
}

TEST(Paths, BackslashesAndHighBytesReachTheSystemAsItNamesFiles) {
  TempFolder folder;
  const std::string windowsStyle = folder.path() + "\\sub\\";
  EXPECT_NE(crt::_access((windowsStyle).c_str(), 0), 0);
  EXPECT_EQ(crt::_mkdir((folder.path() + "\\sub").c_str()), 0);
  EXPECT_EQ(crt::_access((folder.path() + "\\sub").c_str(), 0), 0);
  EXPECT_TRUE(Exists(folder / "sub"));
  EXPECT_EQ(crt::_mkdir((folder.path() + "\\sub").c_str()), -1);
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  EXPECT_EQ(crt::_mkdir((folder.path() + "\\no\\deeper").c_str()), -1);
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);

  // The byte 0xE8 is the character U+00E8, which the system spells in UTF-8.
  crt::FILE* f = crt::fopen((windowsStyle + "caff\xE8.txt").c_str(), "wb");
  ASSERT_NE(f, nullptr);
  crt::fputs("x", f);
  crt::fclose(f);
  EXPECT_TRUE(Exists(folder / "sub/caff\xC3\xA8.txt"));
  EXPECT_EQ(crt::_access((windowsStyle + "caff\xE8.txt").c_str(), 4), 0);
  EXPECT_EQ(crt::_access((windowsStyle + "caff\xE8.txt").c_str(), 1), -1);  // no such mode
}

TEST(Paths, RenameNeverReplacesAndRemoveDeletes) {
  TempFolder folder;
  WriteBytes(folder / "a", "A");
  WriteBytes(folder / "b", "B");
  EXPECT_EQ(crt::rename((folder.path() + "\\a").c_str(), (folder.path() + "\\b").c_str()), -1);
  EXPECT_EQ(ReadBytes(folder / "b"), "B");
  EXPECT_EQ(crt::rename((folder.path() + "\\a").c_str(), (folder.path() + "\\c").c_str()), 0);
  EXPECT_EQ(ReadBytes(folder / "c"), "A");
  EXPECT_EQ(crt::remove((folder.path() + "\\c").c_str()), 0);
  EXPECT_FALSE(Exists(folder / "c"));
  EXPECT_EQ(crt::remove((folder.path() + "\\c").c_str()), -1);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

// "x" makes a new file or nothing: an existing name, and a link whether or
// not it leads anywhere, fails with EEXIST and what it names is untouched.
TEST(Stream, ExclusiveWriteMakesOnlyANewFile) {
  TempFolder folder;
  WriteBytes(folder / "taken", "kept");
  std::filesystem::create_symlink(folder / "taken", folder / "link");
  std::filesystem::create_symlink(folder / "nowhere", folder / "dangling");
  for (const char* name : {"taken", "link", "dangling"}) {
    errno = 0;
    EXPECT_EQ(crt::fopen((folder / name).c_str(), "wtx"), nullptr) << name;
    EXPECT_EQ(errno, EEXIST) << name;
  }
  EXPECT_EQ(ReadBytes(folder / "taken"), "kept");
  EXPECT_FALSE(Exists(folder / "nowhere"));

  crt::FILE* f = crt::fopen((folder / "new").c_str(), "wtx");
  ASSERT_NE(f, nullptr);
  crt::fputs("a\n", f);
  crt::fclose(f);
  EXPECT_EQ(ReadBytes(folder / "new"), "a\r\n");
  for (const char* refused : {"rx", "ax", "wxx"}) {
    EXPECT_EQ(crt::fopen((folder / "other").c_str(), refused), nullptr) << refused;
  }
}

// Write access is refused for a file without any write permission, as for
// a read-only file, even to a process that could write it anyway.
TEST(Paths, AFileNobodyMayWriteIsReadOnly) {
  TempFolder folder;
  WriteBytes(folder / "f", "x");
  for (const mode_t mode : {0444, 0400, 0000}) {
    ASSERT_EQ(chmod((folder / "f").c_str(), mode), 0);
    EXPECT_EQ(crt::_access((folder / "f").c_str(), 2), -1) << mode;
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED) << mode;
    EXPECT_EQ(crt::_access((folder / "f").c_str(), 0), 0) << mode;
  }
  ASSERT_EQ(chmod((folder / "f").c_str(), 0200), 0);
  EXPECT_EQ(crt::_access((folder / "f").c_str(), 2), 0);
}

}  // namespace
