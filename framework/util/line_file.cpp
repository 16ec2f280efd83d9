#include "framework/util/line_file.h"

#include <cerrno>
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

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The name is a link, whether or not it leads anywhere.
bool IsLink(const std::string& path) {
  HANDLE link = CreateFileA(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                            FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (link == INVALID_HANDLE_VALUE) return false;
  CloseHandle(link);
  return true;
}

// Where the lines really go: the file the name leads to when the name is a
// link, so that the link stays in place and its file gets the lines. A name
// with nothing behind it is its own target; a link whose file is gone gets
// it back, made empty here (`made`) for the caller to remove should the
// write fail. False when the name cannot be looked at.
bool FinalTarget(const std::string& path, std::string& target, bool& made) {
  made = false;
  target = path;
  HANDLE file = CreateFileA(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    if (GetLastError() != ERROR_FILE_NOT_FOUND) return false;
    if (!IsLink(path)) return true;
    file = CreateFileA(path.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    made = true;
  }
  std::string name(MAX_PATH, '\0');
  DWORD length = GetFinalPathNameByHandleA(file, name.data(), static_cast<DWORD>(name.size()),
                                           FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  if (length >= name.size()) {
    name.resize(length);
    length = GetFinalPathNameByHandleA(file, name.data(), static_cast<DWORD>(name.size()),
                                       FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  }
  CloseHandle(file);
  // Should the file made for a gone link have no name this program can
  // hold, it stays empty: an empty table, as before.
  if (length == 0 || length >= name.size()) return false;
  name.resize(length);
  target = name;
  return true;
}

// A file of this writer's own beside the target, made new: a name that is
// taken, by a link too, is never opened but passed over. Two writers, in
// this process or in two, never share one.
crt::FILE* OpenTemporaryBeside(const std::string& target, std::string& temporary) {
  constexpr int kAttempts = 100;
  static unsigned serial = 0;
  const std::string stem = target + "." + std::to_string(GetCurrentProcessId()) + ".";
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    temporary = stem + std::to_string(++serial) + ".tmp";
    crt::FILE* file = crt::fopen(temporary.c_str(), "wtx");
    if (file != nullptr || errno != EEXIST) return file;
  }
  return nullptr;
}

// The complete temporary file takes the target's name in one step. An
// existing target hands its permissions on to it.
bool TakeName(const std::string& temporary, const std::string& target) {
  if (ReplaceFileA(target.c_str(), temporary.c_str(), nullptr, REPLACEFILE_WRITE_THROUGH, nullptr,
                   nullptr)) {
    return true;
  }
  return GetLastError() == ERROR_FILE_NOT_FOUND &&
         MoveFileExA(temporary.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
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
  // A file the user made read-only cannot be opened for writing, so it is
  // not replaced either.
  std::string target;
  std::string temporary;
  bool made = false;
  crt::FILE* file = nullptr;
  if (FinalTarget(path, target, made) &&
      (crt::_access(target.c_str(), 0) != 0 || crt::_access(target.c_str(), 2) == 0)) {
    file = OpenTemporaryBeside(target, temporary);
  }
  bool written = false;
  if (file == nullptr) {
    openFailed = true;
  } else {
    written = WriteAll(file, lines);
    written = crt::fclose(file) == 0 && written;
    if (!written || !TakeName(temporary, target)) {
      crt::remove(temporary.c_str());
      written = false;
    }
  }
  // A file made for a link whose file was gone goes again with the write.
  if (!written && made) crt::remove(target.c_str());
  failed = !written;
  return written;
}

}  // namespace VexaUtility
