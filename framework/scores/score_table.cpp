#include "framework/scores/score_table.h"

#include <algorithm>

#include "framework/util/line_file.h"
#include "framework/util/paths.h"
#include "framework/util/text.h"

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

}  // namespace

ScoreTable::ScoreTable(std::string name) : gameName(std::move(name)) {}

std::string ScoreTable::ScoreFolder(const std::string& name) {
  // With no data folder the base is empty and the game's folder becomes a
  // path relative to the current one. The data folder itself is never made.
  const std::string game = Level(LocalAppDataFolder(), name.c_str());
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
  const std::string path = folder + kFileName;
  if (!PathExists(path)) return {};
  LineFile file(path);
  std::vector<std::string> lines = file.ReadLines();
  failed = file.failed && !file.openFailed;
  return lines;
}

bool ScoreTable::SaveScores(std::vector<std::string> lines) {
  failed = false;
  std::sort(lines.begin(), lines.end(), ComesBefore);
  if (lines.size() > kKeptLines) lines.resize(kKeptLines);
  const std::string folder = ScoreFolder(gameName);
  if (folder.empty()) {
    failed = true;
    return false;
  }
  // WriteLines replaces the file only once the new one is whole on disk, so
  // a write that fails half-way leaves the stored table as it was.
  LineFile file(folder + kFileName);
  return file.WriteLines(std::move(lines));
}

bool ScoreTable::AddScore(std::int32_t score, const std::string& text) {
  std::vector<std::string> lines = LoadScores();
  if (failed) return false;
  std::string line = ZeroPadded(score, static_cast<std::int32_t>(kScoreDigits));
  if (line.size() > kScoreDigits) line.erase(0, line.size() - kScoreDigits);
  line += ' ';
  line += text;
  lines.push_back(std::move(line));
  SaveScores(std::move(lines));
  return !failed;
}

}  // namespace VexaUtility
