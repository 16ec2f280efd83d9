#include "framework/util/line_file.h"

#include <cstring>

#include "platform/api/crt.h"
#include "platform/api/kernel.h"

namespace VexaUtility {
namespace {

// One line up to its line feed. False at the end of the data, or on a read
// error, when nothing of a line was read.
bool ReadOneLine(crt::FILE* file, std::string& line) {
  line.clear();
  for (;;) {
    const int c = crt::fgetc(file);
    if (c == EOF) return !line.empty() && !crt::ferror(file);
    if (c == '\n') return true;
    line += static_cast<char>(c);
  }
}

bool WriteAll(crt::FILE* file, const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    crt::fwrite(line.data(), 1, line.size(), file);
    crt::fputc('\n', file);
    crt::fflush(file);
    if (crt::ferror(file)) return false;
  }
  return crt::fflush(file) == 0 && crt::_commit(crt::_fileno(file)) == 0;
}

}  // namespace

LineFile::LineFile(std::string path) : path(std::move(path)) {}

std::vector<std::string> LineFile::ReadLines() {
  failed = false;
  openFailed = false;
  std::vector<std::string> lines;
  crt::FILE* file = crt::fopen(path.c_str(), "rt");
  if (file == nullptr) {
    failed = true;
    openFailed = true;
    return lines;
  }
  std::string line;
  while (ReadOneLine(file, line)) {
    lines.push_back(line.substr(0, std::strlen(line.c_str())));
  }
  if (crt::ferror(file)) failed = true;
  crt::fclose(file);
  return lines;
}

bool LineFile::WriteLines(std::vector<std::string> lines) {
  failed = false;
  openFailed = false;
  const std::string temporary = path + ".tmp";
  crt::FILE* file = crt::fopen(temporary.c_str(), "wt");
  if (file == nullptr) {
    failed = true;
    openFailed = true;
    return false;
  }
  const bool written = WriteAll(file, lines);
  const bool closed = crt::fclose(file) == 0;
  if (!written || !closed ||
      !MoveFileExA(temporary.c_str(), path.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    crt::remove(temporary.c_str());
    failed = true;
  }
  return !failed;
}

}  // namespace VexaUtility
