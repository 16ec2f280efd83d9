// The ten best results, kept in "Classifica.txt" in a folder of the game's
// own under the user's local application-data folder. A table lives for one
// call: every operation works on the file, nothing is kept in between.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace VexaUtility {

class ScoreTable {
 public:
  std::string gameName;  // the game's folder under the local application-data folder
  bool failed = false;   // the last operation could not do its work

  explicit ScoreTable(std::string gameName);

  // "<data folder>\<gameName>\Score\", made where it is missing (the data
  // folder with every folder on the way, then the game's two levels); empty
  // when a level cannot be made.
  std::string ScoreFolder(const std::string& gameName);
  // The stored lines in file order. No file is an empty table; so is a file
  // that cannot be opened. A read error after opening sets `failed`.
  std::vector<std::string> LoadScores();
  // Sorts the lines best first, keeps ten and writes them. False when
  // nothing could be written.
  bool SaveScores(std::vector<std::string> lines);
  // Adds "<score, 8 digits> <text>" to a fresh read of the file, holding the
  // table's lock from the read to the write so that another process adding
  // at the same moment loses nothing. False only when the file could not be
  // read (or is there and could not be opened) or the folder not be found:
  // a table that could not be read is never overwritten.
  bool AddScore(std::int32_t score, const std::string& text);

 private:
  // The file's lines; `unopened` when it is there but cannot be opened.
  std::vector<std::string> ReadTable(const std::string& folder, bool& unopened);
  bool WriteTable(const std::string& folder, std::vector<std::string> lines);
};

}  // namespace VexaUtility
