#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>

#include "framework/util/line_file.h"
#include "platform/crt/faults.h"
#include "tests/support/temp_folder.h"

namespace {

using namespace VexaUtility;
using testing_support::Exists;
using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;
using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

unsigned ModeOf(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// Only the file itself, nothing left beside it.
std::vector<std::string> NamesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

struct ReadCase {
  const char* name;
  std::string onDisk;
  Lines lines;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
  *os << c.name;
}

class ReadLines : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadLines, SplitsAtLineFeedsAsTextModeReadsThem) {
  TempFolder folder;
  WriteBytes(folder / "f.txt", GetParam().onDisk);
  LineFile file(folder.path() + "\\f.txt");
  EXPECT_EQ(file.ReadLines(), GetParam().lines);
  EXPECT_FALSE(file.failed);
  EXPECT_FALSE(file.openFailed);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReadLines,
    ::testing::Values(ReadCase{"NoFinalBreak", "a\r\n\r\nb", {"a", "", "b"}},
                      ReadCase{"FinalBreak", "a\r\nb\r\n", {"a", "b"}}, ReadCase{"Empty", "", {}},
                      ReadCase{"OnlyBreaks", "\r\n\n", {"", ""}},
                      ReadCase{"BareLineFeeds", "a\nb", {"a", "b"}},
                      ReadCase{"CtrlZEndsTheData",
                               std::string("a\r\nb\x1A"
                                           "c\r\nd\r\n",
                                           10),
                               {"a", "b"}},
                      ReadCase{"ZeroCutsTheLine", std::string("ab\0cd\r\nef", 9), {"ab", "ef"}},
                      ReadCase{"ZeroFirst", std::string("\0x\r\n", 4), {""}},
                      ReadCase{"LoneCrStays", "a\rb\r\n", {"a\rb"}},
                      ReadCase{"HighBytes", "00001250 CAFF\xC8\r\n", {"00001250 CAFF\xC8"}}),
    [](const auto& info) { return info.param.name; });

TEST(ReadLines, AMissingFileFailsAtOpening) {
  TempFolder folder;
  LineFile file(folder.path() + "\\missing.txt");
  EXPECT_TRUE(file.ReadLines().empty());
  EXPECT_TRUE(file.failed);
  EXPECT_TRUE(file.openFailed);
}

TEST(ReadLines, AFolderCannotBeReadAsLines) {
  TempFolder folder;
  LineFile file(folder.path());
  EXPECT_TRUE(file.ReadLines().empty());
  EXPECT_TRUE(file.failed);
}

TEST(WriteLines, WritesEachLineWithCrLfAndReadsBackTheSame) {
  TempFolder folder;
  LineFile file(folder.path() + "\\scores.txt");
  const Lines lines = {"00001250 MARA         Level 3", "", "\xB0 x"};
  EXPECT_TRUE(file.WriteLines(lines));
  EXPECT_FALSE(file.failed);
  EXPECT_EQ(ReadBytes(folder / "scores.txt"), "00001250 MARA         Level 3\r\n\r\n\xB0 x\r\n");
  EXPECT_EQ(file.ReadLines(), lines);
  EXPECT_EQ(NamesIn(folder.path()), std::vector<std::string>{"scores.txt"});
}

TEST(WriteLines, AnEmptyListLeavesAnEmptyFile) {
  TempFolder folder;
  WriteBytes(folder / "f.txt", "old\r\n");
  LineFile file(folder / "f.txt");
  EXPECT_TRUE(file.WriteLines({}));
  EXPECT_TRUE(Exists(folder / "f.txt"));
  EXPECT_EQ(ReadBytes(folder / "f.txt"), "");
}

TEST(WriteLines, AMissingFolderFailsAtOpening) {
  TempFolder folder;
  LineFile file(folder.path() + "\\nowhere\\f.txt");
  EXPECT_FALSE(file.WriteLines({"a"}));
  EXPECT_TRUE(file.failed);
  EXPECT_TRUE(file.openFailed);
}

// Whatever goes wrong part-way, the table that was there survives whole and
// no temporary file is left behind.
TEST(WriteLines, AFailureAnywhereLeavesTheOldFileWhole) {
  const std::string old = "1\r\n2\r\n3\r\n";
  const struct {
    const char* name;
    void (*arm)();
  } failures[] = {
      {"first write", [] { crt::faults::FailWriteNumber(1); }},
      {"third write", [] { crt::faults::FailWriteNumber(3); }},
      {"rename", [] { crt::faults::FailNextRename(); }},
  };
  for (const auto& failure : failures) {
    TempFolder folder;
    WriteBytes(folder / "f.txt", old);
    LineFile file(folder / "f.txt");
    failure.arm();
    EXPECT_FALSE(file.WriteLines({"a", "b", "c", "d"})) << failure.name;
    crt::faults::Reset();
    EXPECT_TRUE(file.failed) << failure.name;
    EXPECT_FALSE(file.openFailed) << failure.name;
    EXPECT_EQ(ReadBytes(folder / "f.txt"), old) << failure.name;
    EXPECT_EQ(NamesIn(folder.path()), std::vector<std::string>{"f.txt"}) << failure.name;
    // The next write goes through again.
    EXPECT_TRUE(file.WriteLines({"a"})) << failure.name;
    EXPECT_FALSE(file.failed) << failure.name;
    EXPECT_EQ(ReadBytes(folder / "f.txt"), "a\r\n") << failure.name;
  }
}

// The file keeps the permissions its owner gave it; a file that nobody may
// write is left as it was, and the write fails as at opening.
TEST(WriteLines, KeepsThePermissionsAndLeavesAReadOnlyFileAlone) {
  const struct {
    unsigned mode;
    bool written;
  } cases[] = {{0600, true}, {0640, true}, {0444, false}, {0400, false}};
  for (const auto& c : cases) {
    TempFolder folder;
    WriteBytes(folder / "f.txt", "old\r\n");
    ASSERT_EQ(chmod((folder / "f.txt").c_str(), c.mode), 0);
    LineFile file(folder / "f.txt");
    EXPECT_EQ(file.WriteLines({"new"}), c.written) << std::oct << c.mode;
    EXPECT_EQ(file.openFailed, !c.written) << std::oct << c.mode;
    EXPECT_EQ(ReadBytes(folder / "f.txt"), c.written ? "new\r\n" : "old\r\n") << std::oct << c.mode;
    EXPECT_EQ(ModeOf(folder / "f.txt"), c.mode) << std::oct << c.mode;
    EXPECT_EQ(NamesIn(folder.path()), std::vector<std::string>{"f.txt"}) << std::oct << c.mode;
  }
}

// A link the user set up stays a link: the lines reach the file it leads
// to, whose permissions stay too, and the temporary file goes beside that
// file. A rename that fails leaves both as they were.
TEST(WriteLines, WritesThroughALinkAndLeavesItInPlace) {
  for (const bool renameFails : {false, true}) {
    TempFolder folder;
    fs::create_directories(folder / "table");
    fs::create_directories(folder / "kept");
    WriteBytes(folder / "kept/real.txt", "old\r\n");
    ASSERT_EQ(chmod((folder / "kept/real.txt").c_str(), 0640), 0);
    fs::create_symlink("../kept/real.txt", folder / "table/f.txt");
    if (renameFails) crt::faults::FailNextRename();
    LineFile file(folder.path() + "\\table\\f.txt");
    EXPECT_EQ(file.WriteLines({"new"}), !renameFails);
    crt::faults::Reset();
    EXPECT_TRUE(fs::is_symlink(folder / "table/f.txt")) << renameFails;
    EXPECT_EQ(fs::read_symlink(folder / "table/f.txt"), "../kept/real.txt") << renameFails;
    EXPECT_EQ(ReadBytes(folder / "kept/real.txt"), renameFails ? "old\r\n" : "new\r\n");
    EXPECT_EQ(ModeOf(folder / "kept/real.txt"), 0640u) << renameFails;
    EXPECT_EQ(NamesIn(folder / "kept"), std::vector<std::string>{"real.txt"}) << renameFails;
    EXPECT_EQ(NamesIn(folder / "table"), std::vector<std::string>{"f.txt"}) << renameFails;
  }
}

// A link whose file is gone gets its file back where it leads, and stays a
// link; a write that fails there leaves nothing behind.
TEST(WriteLines, AGoneLinksFileIsMadeAgainWhereItLeads) {
  for (const bool renameFails : {false, true}) {
    TempFolder folder;
    fs::create_directories(folder / "kept");
    fs::create_symlink(folder / "kept/real.txt", folder / "f.txt");
    if (renameFails) crt::faults::FailNextRename();
    LineFile file(folder / "f.txt");
    EXPECT_EQ(file.WriteLines({"new"}), !renameFails);
    crt::faults::Reset();
    EXPECT_TRUE(fs::is_symlink(folder / "f.txt")) << renameFails;
    EXPECT_EQ(NamesIn(folder / "kept"),
              renameFails ? std::vector<std::string>{} : std::vector<std::string>{"real.txt"});
    if (!renameFails) {
      EXPECT_EQ(ReadBytes(folder / "kept/real.txt"), "new\r\n");
    }
  }
}

// A link waiting under the name a careless writer would use for its
// temporary file is never followed: the file it points at stays untouched.
TEST(WriteLines, NeverWritesThroughALinkLeftAtATemporaryName) {
  TempFolder folder;
  WriteBytes(folder / "victim.txt", "mine\r\n");
  fs::create_symlink(folder / "victim.txt", folder / "f.txt.tmp");
  LineFile file(folder / "f.txt");
  EXPECT_TRUE(file.WriteLines({"new"}));
  EXPECT_EQ(ReadBytes(folder / "victim.txt"), "mine\r\n");
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(folder / "f.txt")));
  EXPECT_EQ(ReadBytes(folder / "f.txt"), "new\r\n");
}

}  // namespace
