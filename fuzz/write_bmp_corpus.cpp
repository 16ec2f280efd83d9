// Writes the seed corpus of the bitmap fuzzer from the reader's test samples,
// valid and broken alike:
//   build-fuzz/fuzz/write_bmp_corpus fuzz/corpus/bmp
#include <cstdio>
#include <string>

#include "tests/support/bmp_samples.h"

namespace {

bool Write(const std::string& path, const std::string& bytes) {
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
  return std::fclose(out) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s folder\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  bool ok = true;
  for (const auto& sample : testing_support::ValidBmps()) {
    ok = Write(folder + "/" + sample.name + ".bmp", sample.file) && ok;
  }
  for (const auto& sample : testing_support::BrokenBmps()) {
    ok = Write(folder + "/broken-" + sample.name + ".bmp", sample.file) && ok;
  }
  return ok ? 0 : 1;
}
