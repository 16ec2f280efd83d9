#include "framework/scores/score_table.h"

#include <algorithm>

#include "framework/util/line_file.h"
#include "framework/util/paths.h"
#include "framework/util/text.h"
#include "platform/api/kernel.h"

namespace VexaUtility {
namespace {

constexpr std::size_t kKeptLines = 10;
constexpr std::size_t kScoreDigits = 8;
const char* const kFileName = "Classifica.txt";

// Byte by byte as unsigned values; a line that is a prefix of the other is
// the lesser. A hand-edited "9 X" thus beats every "0..." line, and a
// name with an accented capital beats the same name without it.
bool ComesBefore(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), [](char l, char r) {
    return static_cast<unsigned char>(l) < static_cast<unsigned char>(r);
  });
}

// One level below `path`, made if it is missing; empty when it cannot be.
std::string Level(const std::string& path, const char* name) {
  std::string level = WithTrailingBackslash(path) + name;
  if (!PathExists(level) && !EnsureFolder(level)) return {};
  return level;
}

void SortBestFirstAndKeepTen(std::vector<std::string>& lines) {
  std::sort(lines.begin(), lines.end(), ComesBefore);
  if (lines.size() > kKeptLines) lines.resize(kKeptLines);
}

// Two games may end at the same moment, in two processes on one table. Each
// read-add-write holds the lock on a file beside the table, so the second
// reads what the first wrote and both results are kept. A holder that never
// lets go (a process stopped half-way) is waited for a few seconds only:
// then the write goes ahead unlocked, still whole, since every write
// replaces the table in one step.
class TableLock {
 public:
  explicit TableLock(const std::string& folder) {
    const std::string name = folder + kFileName + ".lock";
    file_ = CreateFileA(name.c_str(), GENERIC_READ,
                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                        OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file_ == INVALID_HANDLE_VALUE) return;
    for (int attempt = 0; attempt < kAttempts && !held_; ++attempt) {
      if (attempt > 0) Sleep(kPauseMs);
      OVERLAPPED whole{};
      held_ = LockFileEx(file_, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 0xFFFFFFFF,
                         0xFFFFFFFF, &whole) != FALSE;
      if (!held_ && GetLastError() != ERROR_LOCK_VIOLATION) break;
    }
  }
  ~TableLock() {
    if (file_ == INVALID_HANDLE_VALUE) return;
    if (held_) {
      OVERLAPPED whole{};
      UnlockFileEx(file_, 0, 0xFFFFFFFF, 0xFFFFFFFF, &whole);
    }
    CloseHandle(file_);
  }
  TableLock(const TableLock&) = delete;
  TableLock& operator=(const TableLock&) = delete;

 private:
  static constexpr int kAttempts = 300;
  static constexpr DWORD kPauseMs = 10;
  HANDLE file_ = INVALID_HANDLE_VALUE;
  bool held_ = false;
};

}  // namespace

ScoreTable::ScoreTable(std::string name) : gameName(std::move(name)) {}

std::string ScoreTable::ScoreFolder(const std::string& name) {
  // With no data folder the base is empty and the game's folder becomes a
  // path relative to the current one. A data folder that is known but not
  // there yet (a fresh account) is made first.
  const std::string base = LocalAppDataFolder();
  if (!base.empty() && !PathExists(base) && !EnsureLocalAppDataFolder()) return {};
  const std::string game = Level(base, name.c_str());
  if (game.empty()) return {};
  const std::string scores = Level(game, "Score");
  if (scores.empty()) return {};
  return WithTrailingBackslash(scores);
}

std::vector<std::string> ScoreTable::LoadScores() {
  failed = false;
  const std::string folder = ScoreFolder(gameName);
  if (folder.empty()) {
    failed = true;
    return {};
  }
  bool unopened = false;
  return ReadTable(folder, unopened);
}

bool ScoreTable::SaveScores(std::vector<std::string> lines) {
  failed = false;
  SortBestFirstAndKeepTen(lines);
  const std::string folder = ScoreFolder(gameName);
  if (folder.empty()) {
    failed = true;
    return false;
  }
  TableLock lock(folder);
  return WriteTable(folder, std::move(lines));
}

bool ScoreTable::AddScore(std::int32_t score, const std::string& text) {
  failed = false;
  const std::string folder = ScoreFolder(gameName);
  if (folder.empty()) {
    failed = true;
    return false;
  }
  TableLock lock(folder);
  bool unopened = false;
  std::vector<std::string> lines = ReadTable(folder, unopened);
  // A table that is there but could not be read would be lost by writing
  // the new line alone over it.
  if (failed || unopened) {
    failed = true;
    return false;
  }
  std::string line = ZeroPadded(score, static_cast<std::int32_t>(kScoreDigits));
  if (line.size() > kScoreDigits) line.erase(0, line.size() - kScoreDigits);
  line += ' ';
  line += text;
  lines.push_back(std::move(line));
  SortBestFirstAndKeepTen(lines);
  // A failed write leaves the stored table as it was and is not reported:
  // the game goes on.
  WriteTable(folder, std::move(lines));
  return true;
}

std::vector<std::string> ScoreTable::ReadTable(const std::string& folder, bool& unopened) {
  unopened = false;
  const std::string path = folder + kFileName;
  if (!PathExists(path)) return {};
  LineFile file(path);
  std::vector<std::string> lines = file.ReadLines();
  failed = file.failed && !file.openFailed;
  unopened = file.openFailed;
  return lines;
}

bool ScoreTable::WriteTable(const std::string& folder, std::vector<std::string> lines) {
  // WriteLines replaces the file only once the new one is whole on disk, so
  // a write that fails half-way leaves the stored table as it was.
  LineFile file(folder + kFileName);
  return file.WriteLines(std::move(lines));
}

}  // namespace VexaUtility
