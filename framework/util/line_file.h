// A text file read and written as a list of lines.
#pragma once

#include <string>
#include <vector>

namespace VexaUtility {

class LineFile {
 public:
  bool failed = false;      // the last ReadLines or WriteLines failed
  bool openFailed = false;  // ... at opening the file; set together with failed
  std::string path;

  explicit LineFile(std::string path);

  // Every line up to the end of the data (CR LF as one break, Ctrl-Z ends
  // the data), each cut at its first zero byte. What was read before a
  // failure is returned too.
  std::vector<std::string> ReadLines();
  // Replaces the file by the lines, each ended by CR LF. The old file stays
  // whole until the new one is completely on disk: the lines go to a
  // temporary file of this call's own beside it, which then takes its name
  // and its permissions. A link is written through: its file gets the lines
  // and the link stays. A file that is read-only for this user is left as
  // it is, and fails as at opening.
  bool WriteLines(std::vector<std::string> lines);
};

}  // namespace VexaUtility
