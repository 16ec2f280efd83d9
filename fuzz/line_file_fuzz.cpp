// Any bytes at all as the high-score file: reading them never fails, never
// reads out of bounds, and gives lines that hold no line feed and no zero.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "framework/util/line_file.h"

namespace {

const std::string& ScratchFile() {
  static const std::string path = [] {
    char pattern[] = "/tmp/zarvo-fuzz-XXXXXX";
    const int fd = mkstemp(pattern);
    if (fd < 0) std::abort();
    close(fd);
    return std::string(pattern);
  }();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string& path = ScratchFile();
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) std::abort();
  std::fwrite(data, 1, size, out);
  std::fclose(out);

  VexaUtility::LineFile file(path);
  std::size_t lineFeeds = 0;
  for (std::size_t i = 0; i < size; ++i) lineFeeds += data[i] == '\n';
  const auto lines = file.ReadLines();
  if (file.failed || lines.size() > lineFeeds + 1) std::abort();
  for (const std::string& line : lines) {
    if (line.find('\n') != std::string::npos || line.find('\0') != std::string::npos) std::abort();
  }
  return 0;
}
