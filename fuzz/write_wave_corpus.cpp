// Writes the seed corpus of the wave fuzzer from the reader's test samples,
// valid and broken alike:
//   build/fuzz/write_wave_corpus fuzz/corpus/wave
#include <cstdio>
#include <string>

#include "tests/support/wave_samples.h"

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
  for (const auto& sample : testing_support::ValidWaves()) {
    ok = Write(folder + "/" + sample.name + ".wav", sample.file) && ok;
  }
  for (const auto& sample : testing_support::BrokenWaves()) {
    ok = Write(folder + "/broken-" + sample.name + ".wav", sample.file) && ok;
  }
  return ok ? 0 : 1;
}
