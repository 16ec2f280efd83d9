#include <gtest/gtest.h>

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

struct ReadCase {
  const char* name;
  std::string onDisk;
  Lines lines;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

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
    ::testing::Values(
        ReadCase{"NoFinalBreak", "a\r\n\r\nb", {"a", "", "b"}},
        ReadCase{"FinalBreak", "a\r\nb\r\n", {"a", "b"}}, ReadCase{"Empty", "", {}},
        ReadCase{"OnlyBreaks", "\r\n\n", {"", ""}},
        ReadCase{"BareLineFeeds", "a\nb", {"a", "b"}},
        ReadCase{"CtrlZEndsTheData", std::string("a\r\nb\x1A" "c\r\nd\r\n", 10), {"a", "b"}},
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
  EXPECT_EQ(ReadBytes(folder / "scores.txt"),
            "00001250 MARA         Level 3\r\n\r\n\xB0 x\r\n");
  EXPECT_EQ(file.ReadLines(), lines);
  EXPECT_FALSE(Exists(folder / "scores.txt.tmp"));
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
    EXPECT_FALSE(Exists(folder / "f.txt.tmp")) << failure.name;
    // The next write goes through again.
    EXPECT_TRUE(file.WriteLines({"a"})) << failure.name;
    EXPECT_FALSE(file.failed) << failure.name;
    EXPECT_EQ(ReadBytes(folder / "f.txt"), "a\r\n") << failure.name;
  }
}

}  // namespace
