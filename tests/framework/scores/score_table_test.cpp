#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "framework/scores/score_table.h"
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
using namespace std::string_literals;

// A data folder of the test's own, with the game's folders made on demand.
class ScoreTableOnDisk : public ::testing::Test {
 protected:
  TempFolder data;

  void SetUp() override { setenv("XDG_DATA_HOME", data.path().c_str(), 1); }

  std::string ScoreFolder() const { return data / "Zarvo/Score"; }
  // Nothing but the table and its lock file is left in the folder.
  void ExpectOnlyTheTable(const std::string& context = {}) const {
    for (const auto& entry : fs::directory_iterator(ScoreFolder())) {
      const std::string name = entry.path().filename();
      EXPECT_TRUE(name == "Classifica.txt" || name == "Classifica.txt.lock")
          << context << " " << name;
    }
  }
  std::string File() const { return data / "Zarvo/Score/Classifica.txt"; }
  void Store(const std::string& bytes) const {
    fs::create_directories(ScoreFolder());
    WriteBytes(File(), bytes);
  }
  static std::string Joined(const Lines& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    return bytes;
  }
  // "<score in 8 digits> <text>", written out here independently of the table.
  static std::string Line(int score, const std::string& text) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%08d", score);
    return std::string(digits) + " " + text;
  }
  // Ten results from 10000 down to 1000, as the game writes them.
  static Lines TenStored() {
    Lines lines;
    for (int score = 10000; score >= 1000; score -= 1000) {
      lines.push_back(Line(score, "MARA         Level 2"));
    }
    return lines;
  }
};

TEST_F(ScoreTableOnDisk, TheFirstGameMakesBothFoldersAndAFileOfOneLine) {
  ScoreTable table("Zarvo");
  EXPECT_TRUE(table.AddScore(1250, "MARA         Level 3"));
  EXPECT_FALSE(table.failed);
  EXPECT_TRUE(fs::is_directory(data / "Zarvo"));
  EXPECT_TRUE(fs::is_directory(ScoreFolder()));
  EXPECT_EQ(ReadBytes(File()), "00001250 MARA         Level 3\r\n");
  ExpectOnlyTheTable();

  ScoreTable reader("Zarvo");
  EXPECT_EQ(reader.LoadScores(), Lines{"00001250 MARA         Level 3"});
  EXPECT_FALSE(reader.failed);
}

TEST_F(ScoreTableOnDisk, NoFileIsAnEmptyTableAndNoFailure) {
  ScoreTable table("Zarvo");
  EXPECT_TRUE(table.LoadScores().empty());
  EXPECT_FALSE(table.failed);
  EXPECT_EQ(table.ScoreFolder("Zarvo"), data.path() + "\\Zarvo\\Score\\");
  EXPECT_FALSE(Exists(File()));  // reading makes the folders, never the file
}

TEST_F(ScoreTableOnDisk, ElevenResultsKeepTheTenBestAndALowerOneChangesNothing) {
  const int scores[] = {500, 1100, 300, 900, 100, 700, 1000, 200, 800, 400, 600};
  for (int score : scores) {
    ScoreTable table("Zarvo");
    EXPECT_TRUE(table.AddScore(score, "ANNA")) << score;
  }
  Lines best;
  for (int score = 1100; score >= 200; score -= 100) {
    best.push_back(Line(score, "ANNA"));
  }
  EXPECT_EQ(ReadBytes(File()), Joined(best));

  const std::string before = ReadBytes(File());
  ScoreTable table("Zarvo");
  EXPECT_TRUE(table.AddScore(150, "ZOE"));
  EXPECT_EQ(ReadBytes(File()), before);
}

// What is stored, what is added, and the file that results.
struct OrderCase {
  const char* name;
  Lines stored;
  std::int32_t score;
  std::string text;
  Lines result;
};

void PrintTo(const OrderCase& c, std::ostream* os) {
  *os << c.name;
}

class ScoreTableOrder : public ScoreTableOnDisk, public ::testing::WithParamInterface<OrderCase> {};

TEST_P(ScoreTableOrder, LinesSortByTheirBytesBestFirst) {
  const OrderCase& c = GetParam();
  if (!c.stored.empty()) Store(Joined(c.stored));
  ScoreTable table("Zarvo");
  EXPECT_TRUE(table.AddScore(c.score, c.text));
  EXPECT_EQ(ReadBytes(File()), Joined(c.result));
}

Lines TenWithAnEmptyLine() {
  Lines lines = {"00000900 A", "",           "00000800 B", "00000700 C", "00000600 D",
                 "00000500 E", "00000400 F", "00000300 G", "00000200 H", "00000100 I"};
  return lines;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScoreTableOrder,
    ::testing::Values(OrderCase{"EqualScoresByTheRestOfTheLine",
                                {"00000500 ANNA         Level 2"},
                                500,
                                "ZOE          Level 2",
                                {"00000500 ZOE          Level 2", "00000500 ANNA         Level 2"}},
                      OrderCase{"NineDigitsKeepTheirLastEight",
                                {"30000000 A", "20000000 B"},
                                123456789,
                                "C",
                                {"30000000 A", "23456789 C", "20000000 B"}},
                      OrderCase{"ScoreZero", {"00000010 A"}, 0, "B", {"00000010 A", "00000000 B"}},
                      OrderCase{"AHandEditedLineSortsByItsBytes",
                                {"00099999 A", "9 X"},
                                5,
                                "B",
                                {"9 X", "00099999 A", "00000005 B"}},
                      // Bytes above 0x7F are greater than every digit, not negative.
                      OrderCase{"HighBytesAreUnsigned",
                                {"\xC8LISA", "00000001 A"},
                                99999999,
                                "B",
                                {"\xC8LISA", "99999999 B", "00000001 A"}},
                      OrderCase{"TheShorterOfTwoLinesSharingAPrefixComesLater",
                                {"00000100 ANNA"},
                                100,
                                "ANNA ",
                                {"00000100 ANNA ", "00000100 ANNA"}},
                      OrderCase{"AnEmptyLineIsDroppedFirst", TenWithAnEmptyLine(), 50, "J",
                                [] {
                                  Lines lines = TenWithAnEmptyLine();
                                  lines.erase(lines.begin() + 1);
                                  lines.push_back("00000050 J");
                                  return lines;
                                }()},
                      OrderCase{"StoredLinesInAnyOrderAreSortedOnTheNextWrite",
                                {"00000001 A", "00000300 C", "00000002 B"},
                                200,
                                "D",
                                {"00000300 C", "00000200 D", "00000002 B", "00000001 A"}}),
    [](const auto& info) { return info.param.name; });

// The bytes on disk and the lines the table reads from them.
struct ReadCase {
  const char* name;
  std::string onDisk;
  Lines lines;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
  *os << c.name;
}

class ScoreTableRead : public ScoreTableOnDisk, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ScoreTableRead, IsReadLineByLineInTextMode) {
  Store(GetParam().onDisk);
  ScoreTable table("Zarvo");
  EXPECT_EQ(table.LoadScores(), GetParam().lines);
  EXPECT_FALSE(table.failed);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScoreTableRead,
    ::testing::Values(
        ReadCase{"FinalLineBreak", "00000200 A\r\n00000100 B\r\n", {"00000200 A", "00000100 B"}},
        ReadCase{"NoFinalLineBreak", "00000200 A\r\n00000100 B", {"00000200 A", "00000100 B"}},
        ReadCase{"EmptyLinesAreEmptyEntries", "\r\n00000100 B\r\n\r\n", {"", "00000100 B", ""}},
        ReadCase{"CtrlZEndsTheFile",
                 "00000200 A\r\n00000100 B\x1A\r\n00000050 C\r\n",
                 {"00000200 A", "00000100 B"}},
        ReadCase{"AZeroByteCutsItsLine",
                 "00000200 AN\0NA\r\n00000100 B\r\n"s,
                 {"00000200 AN", "00000100 B"}},
        ReadCase{"AnEmptyFile", "", {}}),
    [](const auto& info) { return info.param.name; });

// A Unix socket bound to the file's name: the name exists, but opening it
// for reading is refused, for root too; renaming a new file over it works.
void MakeSocketAt(const std::string& path) {
  const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  ASSERT_LT(path.size(), sizeof address.sun_path);
  path.copy(address.sun_path, path.size());
  ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  close(fd);
}

// A table that is there but cannot be opened (a socket in its place, a
// folder of that name) reads as empty, and is never replaced by the new
// line alone: whatever it holds stays.
TEST_F(ScoreTableOnDisk, ATableThatIsThereButCannotBeOpenedIsNeverReplaced) {
  const struct {
    const char* name;
    void (*make)(const std::string& file);
    bool (*stillThere)(const std::string& file);
  } cases[] = {
      {"socket", [](const std::string& file) { MakeSocketAt(file); },
       [](const std::string& file) { return fs::is_socket(file); }},
      {"folder",
       [](const std::string& file) {
         fs::create_directories(file);
         WriteBytes(file + "/inside", "kept");
       },
       [](const std::string& file) { return ReadBytes(file + "/inside") == "kept"; }},
  };
  for (const auto& c : cases) {
    fs::remove_all(ScoreFolder());
    fs::create_directories(ScoreFolder());
    c.make(File());
    ScoreTable table("Zarvo");
    EXPECT_TRUE(table.LoadScores().empty()) << c.name;
    EXPECT_FALSE(table.failed) << c.name;

    EXPECT_FALSE(table.AddScore(700, "ANNA")) << c.name;
    EXPECT_TRUE(table.failed) << c.name;
    EXPECT_TRUE(c.stillThere(File())) << c.name;
    ExpectOnlyTheTable(c.name);
  }
}

// The memory of the process itself opens, but reading it from address 0
// fails: a read error after opening, for root as for anyone.
TEST_F(ScoreTableOnDisk, AReadErrorAfterOpeningFailsAndTheFileIsNotOverwritten) {
  fs::create_directories(ScoreFolder());
  fs::create_symlink("/proc/self/mem", File());
  ScoreTable table("Zarvo");
  EXPECT_TRUE(table.LoadScores().empty());
  EXPECT_TRUE(table.failed);

  EXPECT_FALSE(table.AddScore(700, "ANNA"));
  EXPECT_TRUE(table.failed);
  EXPECT_TRUE(fs::is_symlink(File()));
  EXPECT_EQ(fs::read_symlink(File()), "/proc/self/mem");
  ExpectOnlyTheTable();
}

// Where the game's folders cannot be made, every operation fails and
// nothing is written anywhere.
TEST(ScoreTableWithoutAFolder, FailEveryOperationAndWriteNothing) {
  const struct {
    const char* name;
    std::string dataHome;  // relative to the test's folder; empty: unset
    std::string home;      // likewise
  } cases[] = {
      {"DataFolderUnderAFile", "plain/share", "plain"},
      {"HomeUnderAFile", "", "plain"},
      {"DataFolderUnderAFileFurtherDown", "plain/a/b", "plain"},
      {"GameFolderIsAFile", "withFile", "plain"},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    WriteBytes(folder / "plain", "x");
    fs::create_directories(folder / "withFile");
    WriteBytes(folder / "withFile/Zarvo", "x");
    if (c.dataHome.empty()) {
      unsetenv("XDG_DATA_HOME");
    } else {
      setenv("XDG_DATA_HOME", (folder / c.dataHome).c_str(), 1);
    }
    setenv("HOME", (folder / c.home).c_str(), 1);

    ScoreTable table("Zarvo");
    EXPECT_EQ(table.ScoreFolder("Zarvo"), "") << c.name;
    EXPECT_TRUE(table.LoadScores().empty()) << c.name;
    EXPECT_TRUE(table.failed) << c.name;
    EXPECT_FALSE(table.SaveScores({"00000100 A"})) << c.name;
    EXPECT_TRUE(table.failed) << c.name;
    EXPECT_FALSE(table.AddScore(100, "A")) << c.name;
    EXPECT_TRUE(table.failed) << c.name;
    EXPECT_EQ(ReadBytes(folder / "withFile/Zarvo"), "x") << c.name;
  }
}

// A fresh account may have no data folder yet: it is made with every folder
// on the way, private to the user, and the first result is kept.
TEST(ScoreTableOnAFreshAccount, MakesTheMissingDataFolderAndKeepsTheResult) {
  const struct {
    const char* name;
    const char* dataHome;  // relative to the test's folder; null: unset
    const char* home;
    const char* madeFrom;  // the first folder that had to be made
    const char* dataFolder;
  } cases[] = {
      {"DataHomeMissing", "new/data/share", "home", "new", "new/data/share"},
      {"HomeWithoutLocalShare", nullptr, "home", "home/.local", "home/.local/share"},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    fs::create_directories(folder / "home");
    if (c.dataHome) {
      setenv("XDG_DATA_HOME", (folder / c.dataHome).c_str(), 1);
    } else {
      unsetenv("XDG_DATA_HOME");
    }
    setenv("HOME", (folder / c.home).c_str(), 1);

    ScoreTable table("Zarvo");
    EXPECT_TRUE(table.AddScore(1250, "MARA         Level 3")) << c.name;
    EXPECT_FALSE(table.failed) << c.name;
    EXPECT_EQ(ReadBytes(folder / (std::string(c.dataFolder) + "/Zarvo/Score/Classifica.txt")),
              "00001250 MARA         Level 3\r\n")
        << c.name;
    for (fs::path made = folder / c.dataFolder; made != fs::path(folder / c.madeFrom).parent_path();
         made = made.parent_path()) {
      struct stat info {};
      ASSERT_EQ(stat(made.c_str(), &info), 0) << c.name << made;
      EXPECT_EQ(info.st_mode & 0777, 0700u) << c.name << made;
    }
  }
}

// The lock file beside the table, held as another process would hold it:
// a descriptor of its own, so the table's lock in this process waits too.
int HoldTableLock(const std::string& scoreFolder) {
  const int fd = open((scoreFolder + "/Classifica.txt.lock").c_str(), O_RDONLY | O_CREAT, 0644);
  EXPECT_GE(fd, 0);
  EXPECT_EQ(flock(fd, LOCK_EX), 0);
  return fd;
}

// Another writer holds the table while it rewrites it; the result added
// meanwhile waits for it, reads what it wrote and keeps both lines.
TEST_F(ScoreTableOnDisk, AResultWaitsForAnotherWriterAndKeepsItsLine) {
  Store("00000300 A\r\n");
  const int held = HoldTableLock(ScoreFolder());
  std::thread other([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    WriteBytes(File(), "00000500 OTHER\r\n00000300 A\r\n");
    close(held);
  });
  ScoreTable table("Zarvo");
  EXPECT_TRUE(table.AddScore(700, "ANNA"));
  other.join();
  EXPECT_EQ(ReadBytes(File()), "00000700 ANNA\r\n00000500 OTHER\r\n00000300 A\r\n");
}

// A holder that never lets go (a process stopped half-way) delays the
// result by a few seconds, never forever, and the result is kept.
TEST_F(ScoreTableOnDisk, ALockNeverReleasedIsWaitedForOnlyAFewSeconds) {
  Store("00000300 A\r\n");
  const int held = HoldTableLock(ScoreFolder());
  const auto start = std::chrono::steady_clock::now();
  ScoreTable table("Zarvo");
  EXPECT_TRUE(table.AddScore(700, "ANNA"));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  EXPECT_EQ(ReadBytes(File()), "00000700 ANNA\r\n00000300 A\r\n");
  close(held);
}

// Two real processes end their games at the same moment, again and again:
// every result is kept and the table stays ten well-formed lines. Each
// process adds five results; the ten together are the whole table.
TEST_F(ScoreTableOnDisk, TwoProcessesAddingAtOnceKeepEveryResult) {
  constexpr int kRounds = 25;
  constexpr int kEach = 5;
  for (int round = 0; round < kRounds; ++round) {
    fs::remove_all(data / "Zarvo");
    int go[2];
    ASSERT_EQ(pipe(go), 0);
    pid_t writers[2];
    for (int w = 0; w < 2; ++w) {
      writers[w] = fork();
      ASSERT_GE(writers[w], 0);
      if (writers[w] == 0) {
        close(go[1]);
        char byte;
        [[maybe_unused]] const ssize_t started = read(go[0], &byte, 1);  // both start together
        bool kept = true;
        for (int i = 0; i < kEach; ++i) {
          ScoreTable table("Zarvo");
          kept = table.AddScore(1000 * (w + 1) + i, w == 0 ? "ANNA" : "ZOE") && kept;
        }
        _exit(kept ? 0 : 1);
      }
    }
    close(go[0]);
    close(go[1]);  // the writers' read returns: go
    for (pid_t writer : writers) {
      int status = 0;
      ASSERT_EQ(waitpid(writer, &status, 0), writer);
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "round " << round;
    }
    Lines expected;
    for (int i = kEach - 1; i >= 0; --i) expected.push_back(Line(2000 + i, "ZOE"));
    for (int i = kEach - 1; i >= 0; --i) expected.push_back(Line(1000 + i, "ANNA"));
    ASSERT_EQ(ReadBytes(File()), Joined(expected)) << "round " << round;
    ExpectOnlyTheTable("round " + std::to_string(round));
  }
}

// Without any data folder the game's folder is made in the current folder.
TEST(ScoreTableWithoutADataFolder, LiveUnderTheCurrentFolder) {
  TempFolder folder;
  unsetenv("XDG_DATA_HOME");
  unsetenv("HOME");
  const fs::path before = fs::current_path();
  fs::current_path(folder.path());
  ScoreTable table("Zarvo");
  const bool added = table.AddScore(42, "ANNA");
  const std::string scoreFolder = table.ScoreFolder("Zarvo");
  fs::current_path(before);
  EXPECT_TRUE(added);
  EXPECT_EQ(scoreFolder, "Zarvo\\Score\\");
  EXPECT_EQ(ReadBytes(folder / "Zarvo/Score/Classifica.txt"), "00000042 ANNA\r\n");
}

// A disk that fills up or a rename that is refused while the table is
// rewritten leaves the ten stored lines as they were, byte for byte.
TEST_F(ScoreTableOnDisk, AFailedWriteKeepsTheStoredTableWhole) {
  const struct {
    const char* name;
    void (*arm)();
  } failures[] = {
      {"first write", [] { crt::faults::FailWriteNumber(1); }},
      {"sixth write", [] { crt::faults::FailWriteNumber(6); }},
      {"rename", [] { crt::faults::FailNextRename(); }},
  };
  const std::string stored = Joined(TenStored());
  for (const auto& failure : failures) {
    Store(stored);
    failure.arm();
    ScoreTable table("Zarvo");
    // Nobody is told of a failed write: the game goes on.
    EXPECT_TRUE(table.AddScore(99999, "ZOE          Level 8")) << failure.name;
    crt::faults::Reset();
    EXPECT_FALSE(table.failed) << failure.name;
    EXPECT_EQ(ReadBytes(File()), stored) << failure.name;
    ExpectOnlyTheTable(failure.name);

    EXPECT_TRUE(table.AddScore(99999, "ZOE          Level 8")) << failure.name;
    Lines expected = TenStored();
    expected.insert(expected.begin(), "00099999 ZOE          Level 8");
    expected.pop_back();
    EXPECT_EQ(ReadBytes(File()), Joined(expected)) << failure.name;
  }
}

TEST_F(ScoreTableOnDisk, SaveScoresSortsAndKeepsTen) {
  Lines lines;
  for (int i = 0; i < 12; ++i)
    lines.push_back("0000000" + std::to_string(i % 10) + " P" + std::to_string(i));
  ScoreTable table("Zarvo");
  EXPECT_TRUE(table.SaveScores(lines));
  EXPECT_FALSE(table.failed);
  EXPECT_EQ(ReadBytes(File()),
            Joined({"00000009 P9", "00000008 P8", "00000007 P7", "00000006 P6", "00000005 P5",
                    "00000004 P4", "00000003 P3", "00000002 P2", "00000001 P11", "00000001 P1"}));
}

}  // namespace
