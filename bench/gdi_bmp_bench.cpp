// Reading the game's pictures: five 800 × 640 24-bit files, once each at start.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

#include "platform/api/gdi.h"
#include "platform/api/user.h"
#include "platform/gdi/bmp_reader.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 640;

void Put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// A 24-bit file with a 40-byte header and a gradient, so no row is like the next.
std::vector<std::uint8_t> Picture() {
  const std::size_t rowBytes = (kWidth * 3 + 3) / 4 * 4;
  std::vector<std::uint8_t> file(54 + rowBytes * kHeight);
  file[0] = 'B';
  file[1] = 'M';
  Put32(file, 2, static_cast<std::uint32_t>(file.size()));
  Put32(file, 10, 54);
  Put32(file, 14, 40);
  Put32(file, 18, kWidth);
  Put32(file, 22, kHeight);
  Put32(file, 26, 1 | 24 << 16);  // planes, bits per pixel
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      std::uint8_t* p = &file[54 + y * rowBytes + x * 3];
      p[0] = static_cast<std::uint8_t>(x);
      p[1] = static_cast<std::uint8_t>(y);
      p[2] = static_cast<std::uint8_t>(x ^ y);
    }
  }
  return file;
}

void BM_DecodeBmp24_800x640(benchmark::State& state) {
  const std::vector<std::uint8_t> file = Picture();
  for (auto _ : state) {
    gdi::DecodedBmp out;
    if (gdi::DecodeBmp(file, out) != gdi::BmpResult::Ok) state.SkipWithError("not decoded");
    benchmark::DoNotOptimize(out.pixels.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}
BENCHMARK(BM_DecodeBmp24_800x640)->Unit(benchmark::kMillisecond);

// The whole call the game makes: read the file, decode it, make the DIB section.
void BM_LoadImageW24_800x640(benchmark::State& state) {
  char path[] = "/tmp/zarvo-bench-XXXXXX";
  const int fd = mkstemp(path);
  if (fd < 0) std::abort();
  const std::vector<std::uint8_t> file = Picture();
  if (write(fd, file.data(), file.size()) != static_cast<ssize_t>(file.size())) std::abort();
  close(fd);
  const std::u16string widePath(path, path + sizeof path - 1);
  for (auto _ : state) {
    HANDLE bitmap = LoadImageW(nullptr, widePath.c_str(), IMAGE_BITMAP, 0, 0,
                               LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    if (bitmap == nullptr) state.SkipWithError("not loaded");
    DeleteObject(bitmap);
  }
  unlink(path);
}
BENCHMARK(BM_LoadImageW24_800x640)->Unit(benchmark::kMillisecond);

}  // namespace
