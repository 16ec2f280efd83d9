// Small bitmap files of every kind the reader supports, with the pictures they
// hold, and broken ones with the reason each must be refused. The reader's
// tests check them; the fuzzer's seed corpus is written from them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gdi/bmp_reader.h"
#include "tests/support/bmp_builder.h"

namespace testing_support {

struct ValidBmp {
  std::string name;
  std::string file;
  int width;
  int height;
  std::vector<std::uint32_t> pixels;  // top row first, 0x00RRGGBB
};

struct BrokenBmp {
  std::string name;
  std::string file;
  gdi::BmpResult expected;
};

namespace bmp_sample {

constexpr std::uint32_t kInk = 0x102030;
constexpr std::uint32_t kPaper = 0xA0B0C0;
constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kGreen = 0x00FF00;
constexpr std::uint32_t kBlue = 0x0000FF;
constexpr std::uint32_t kWhite = 0xFFFFFF;

// A palette of four distinct colours for the indexed and RLE samples.
inline std::vector<std::uint32_t> FourColours() {
  return {0x010203, kRed, kGreen, kBlue};
}

// 1 bit, 9 pixels a row: the row crosses a byte and ends in padding bits.
inline ValidBmp Pal1() {
  BmpLayout s = Layout(9, 2, 1);
  s.palette = {kInk, kPaper};
  s.pixels = PackRows(1, {{1, 0, 1, 0, 1, 0, 1, 0, 1}, {0, 0, 0, 0, 0, 0, 0, 0, 1}});
  const auto I = kInk, P = kPaper;
  return {"pal1", BuildBmp(s), 9, 2, {I, I, I, I, I, I, I, I, P, P, I, P, I, P, I, P, I, P}};
}

inline ValidBmp Pal2() {
  BmpLayout s = Layout(5, 1, 2);
  s.palette = FourColours();
  s.pixels = PackRows(2, {{3, 2, 1, 0, 3}});
  return {"pal2", BuildBmp(s), 5, 1, {kBlue, kGreen, kRed, 0x010203, kBlue}};
}

// Three colours stated, fewer than 4 bits could name.
inline ValidBmp Pal4ShortPalette() {
  BmpLayout s = Layout(3, 2, 4);
  s.palette = {kRed, kGreen, kBlue};
  s.colorsUsed = 3;
  s.pixels = PackRows(4, {{0, 1, 2}, {2, 2, 1}});
  return {"pal4-short-palette", BuildBmp(s), 3, 2, {kBlue, kBlue, kGreen, kRed, kGreen, kBlue}};
}

inline ValidBmp Pal8TopDown() {
  BmpLayout s = Layout(3, -2, 8);
  s.palette = FourColours();
  s.colorsUsed = 4;
  s.pixels = PackRows(8, {{1, 2, 3}, {3, 0, 1}});
  return {"pal8-top-down", BuildBmp(s), 3, 2, {kRed, kGreen, kBlue, kBlue, 0x010203, kRed}};
}

// The oldest header: 3-byte palette entries and no colour count, so the
// palette ends where the pixels begin.
inline ValidBmp Header12Pal8() {
  BmpLayout s = Layout(2, 2, 8, 0, 12);
  s.palette = {kInk, kPaper, kRed};
  s.pixels = PackRows(8, {{0, 1}, {2, 0}});
  return {"header12-pal8", BuildBmp(s), 2, 2, {kRed, kInk, kInk, kPaper}};
}

inline ValidBmp Header16Pal4() {
  BmpLayout s = Layout(2, 1, 4, 0, 16);
  s.palette = FourColours();
  s.pixels = PackRows(4, {{2, 3}});
  return {"header16-pal4", BuildBmp(s), 2, 1, {kGreen, kBlue}};
}

inline ValidBmp Header64Rgb24() {
  BmpLayout s = Layout(1, 2, 24, 0, 64);
  s.pixels = PackRows(24, {{0x123456}, {0xABCDEF}});
  return {"header64-rgb24", BuildBmp(s), 1, 2, {0xABCDEF, 0x123456}};
}

// 3 pixels of 3 bytes: each row carries 3 bytes of padding.
inline ValidBmp Rgb24() {
  BmpLayout s = Layout(3, 2, 24);
  s.pixels = PackRows(24, {{0x010203, 0x040506, 0x070809}, {kRed, kGreen, kBlue}});
  return {"rgb24", BuildBmp(s), 3, 2, {kRed, kGreen, kBlue, 0x010203, 0x040506, 0x070809}};
}

// 5 bits a channel by default; the top bit is unused.
inline ValidBmp Rgb16Default() {
  BmpLayout s = Layout(5, 1, 16);
  s.pixels = PackRows(16, {{0x7FFF, 0x7C00, 0x0001, 0x4210, 0x8000}});
  return {"rgb16-555", BuildBmp(s), 5, 1, {kWhite, kRed, 0x000008, 0x848484, 0x000000}};
}

inline ValidBmp Rgb16Masks565() {
  BmpLayout s = Layout(3, 1, 16, 3);
  s.masks = {0xF800, 0x07E0, 0x001F};
  s.pixels = PackRows(16, {{0x07E0, 0x0020, 0xF81F}});
  return {"rgb16-565", BuildBmp(s), 3, 1, {kGreen, 0x000400, 0xFF00FF}};
}

// The alpha byte is dropped.
inline ValidBmp Rgb32Default() {
  BmpLayout s = Layout(2, 1, 32);
  s.pixels = PackRows(32, {{0xFF123456, 0x00ABCDEF}});
  return {"rgb32", BuildBmp(s), 2, 1, {0x123456, 0xABCDEF}};
}

// 10 bits a channel: 1023 is 255, 512 rounds to 128, 1 to 0 and 3 to 1.
inline ValidBmp Rgb32Masks10Bits() {
  BmpLayout s = Layout(2, 1, 32, 3);
  s.masks = {0x3FF00000, 0x000FFC00, 0x000003FF};
  s.pixels = PackRows(32, {{0x3FF80001, 0x00000003}});
  return {"rgb32-10bit", BuildBmp(s), 2, 1, {0xFF8000, 0x000001}};
}

// A one-bit red, a green whose bits lie in two nibbles apart, a blue of 4 bits.
inline ValidBmp Rgb32ScatteredMasks() {
  BmpLayout s = Layout(2, 1, 32, 3);
  s.masks = {0x80000000, 0x0000F0F0, 0x000F0000};
  s.pixels = PackRows(32, {{0x8005A050, 0x000F0000}});
  return {"rgb32-scattered-masks", BuildBmp(s), 2, 1, {0xFFA555, 0x0000FF}};
}

// Masks in the 52-byte header, blue in the high byte.
inline ValidBmp Header52Rgb32() {
  BmpLayout s = Layout(1, 1, 32, 3, 52);
  s.masks = {0x000000FF, 0x0000FF00, 0xFF000000};
  s.pixels = PackRows(32, {{0x30002010}});
  return {"header52-rgb32", BuildBmp(s), 1, 1, {0x102030}};
}

// Four masks in the 56-byte header, 4 bits a channel; alpha ignored.
inline ValidBmp Header56Rgb16() {
  BmpLayout s = Layout(2, 1, 16, 3, 56);
  s.masks = {0x0F00, 0x00F0, 0x000F, 0xF000};
  s.pixels = PackRows(16, {{0xFF00, 0x0F8F}});
  return {"header56-rgb16", BuildBmp(s), 2, 1, {kRed, 0xFF88FF}};
}

// Compression 6 with a 40-byte header: four masks follow it.
inline ValidBmp AlphaBitFields() {
  BmpLayout s = Layout(1, 1, 32, 6);
  s.masks = {0x0000FF00, 0x00FF0000, 0xFF000000, 0x000000FF};
  s.pixels = PackRows(32, {{0x112233FF}});
  return {"alpha-bitfields", BuildBmp(s), 1, 1, {0x332211}};
}

// Without bit-field compression the masks a long header holds do not count.
inline ValidBmp Header108Rgb32IgnoresMasks() {
  BmpLayout s = Layout(1, 1, 32, 0, 108);
  s.masks = {0x000000FF, 0x0000FF00, 0x00FF0000};
  s.pixels = PackRows(32, {{0x00112233}});
  return {"header108-rgb32", BuildBmp(s), 1, 1, {0x112233}};
}

inline ValidBmp Header124Pal8() {
  BmpLayout s = Layout(2, 1, 8, 0, 124);
  s.palette = FourColours();
  s.colorsUsed = 4;
  s.pixels = PackRows(8, {{3, 1}});
  return {"header124-pal8", BuildBmp(s), 2, 1, {kBlue, kRed}};
}

// A repeat, end of line, a literal run of odd length with its padding byte, a
// move up a row, and the end code with pixels left: those keep colour 0.
inline ValidBmp Rle8() {
  BmpLayout s = Layout(4, 3, 8, 1);
  s.palette = FourColours();
  s.pixels = Bytes({4, 1, 0, 0,                // bottom row: four of colour 1, end of line
                    0, 3, 2, 3, 1, 9,          // literal 2 3 1 and its padding byte
                    0, 2, 0, 1, 1, 3, 0, 1});  // up one row, one of colour 3, end
  const std::uint32_t z = 0x010203;
  std::vector<std::uint32_t> pixels{z, z, z, kBlue, kGreen, kBlue, kRed, z, kRed, kRed, kRed, kRed};
  return {"rle8", BuildBmp(s), 4, 3, std::move(pixels)};
}

// Repeats alternate the two nibbles; a literal of 5 nibbles takes 3 bytes and a
// padding byte. The data ends without its end code once every pixel is given.
inline ValidBmp Rle4() {
  BmpLayout s = Layout(5, 2, 4, 2);
  s.palette = FourColours();
  s.pixels = Bytes({5, 0x12, 0, 0,                // bottom row: 1 2 1 2 1
                    0, 5, 0x32, 0x10, 0x30, 0});  // literal 3 2 1 0 3
  const std::uint32_t z = 0x010203;
  std::vector<std::uint32_t> pixels{kBlue, kGreen, kRed, z,      kBlue,
                                    kRed,  kGreen, kRed, kGreen, kRed};
  return {"rle4", BuildBmp(s), 5, 2, std::move(pixels)};
}

}  // namespace bmp_sample

inline std::vector<ValidBmp> ValidBmps() {
  using namespace bmp_sample;
  return {Pal1(),
          Pal2(),
          Pal4ShortPalette(),
          Pal8TopDown(),
          Header12Pal8(),
          Header16Pal4(),
          Header64Rgb24(),
          Rgb24(),
          Rgb16Default(),
          Rgb16Masks565(),
          Rgb32Default(),
          Rgb32Masks10Bits(),
          Rgb32ScatteredMasks(),
          Header52Rgb32(),
          Header56Rgb16(),
          AlphaBitFields(),
          Header108Rgb32IgnoresMasks(),
          Header124Pal8(),
          Rle8(),
          Rle4()};
}

namespace bmp_sample {

inline std::string With16(std::string file, std::size_t at, std::uint32_t value) {
  Patch16(file, at, value);
  return file;
}

inline std::string With32(std::string file, std::size_t at, std::uint32_t value) {
  Patch32(file, at, value);
  return file;
}

inline std::string Rle8With(std::string data, std::int32_t height = 2) {
  BmpLayout s = Layout(4, height, 8, 1);
  s.palette = FourColours();
  s.pixels = std::move(data);
  return BuildBmp(s);
}

inline std::string Rle4With(std::string data, std::vector<std::uint32_t> palette) {
  BmpLayout s = Layout(4, 1, 4, 2);
  s.palette = std::move(palette);
  s.colorsUsed = static_cast<std::uint32_t>(s.palette.size());
  s.pixels = std::move(data);
  return BuildBmp(s);
}

inline std::string Masked16(std::vector<std::uint32_t> masks) {
  BmpLayout s = Layout(1, 1, 16, 3);
  s.masks = std::move(masks);
  s.pixels = PackRows(16, {{0xFFFF}});
  return BuildBmp(s);
}

inline std::string Indexed8(std::vector<std::uint32_t> palette, std::uint32_t index) {
  BmpLayout s = Layout(1, 1, 8);
  s.palette = std::move(palette);
  s.colorsUsed = static_cast<std::uint32_t>(s.palette.size());
  s.pixels = PackRows(8, {{index}});
  return BuildBmp(s);
}

}  // namespace bmp_sample

inline std::vector<BrokenBmp> BrokenBmps() {
  using namespace bmp_sample;
  using R = gdi::BmpResult;
  namespace at = bmp_offset;
  const std::string rgb = Rgb24().file;
  const std::string pal = Pal1().file;
  const std::string shortRows = rgb.substr(0, rgb.size() - 1);
  BmpLayout huffman = Layout(8, 1, 1, 3, 64);
  huffman.palette = {kInk, kPaper};
  huffman.pixels = PackRows(1, {{0, 1, 0, 1, 0, 1, 0, 1}});
  BmpLayout noPalette = Layout(1, 1, 8, 0, 12);
  noPalette.pixels = PackRows(8, {{0}});
  BmpLayout masked64 = Layout(1, 1, 16, 3, 64);
  masked64.masks = {0xF800, 0x07E0, 0x001F};
  masked64.pixels = PackRows(16, {{0xFFFF}});
  return {
      {"empty", "", R::Truncated},
      {"signature-only", "BM", R::Truncated},
      {"not-a-bitmap", "GIF89a" + rgb.substr(6), R::BadHeader},
      {"info-header-cut", rgb.substr(0, 30), R::Truncated},
      {"header-size-66", With32(rgb, at::kHeaderSize, 66), R::BadHeader},
      {"planes-0", With16(rgb, at::kPlanes, 0), R::BadHeader},
      {"planes-2", With16(rgb, at::kPlanes, 2), R::BadHeader},
      {"depth-3", With16(rgb, at::kBitsPerPixel, 3), R::BadHeader},
      {"depth-30000", With16(rgb, at::kBitsPerPixel, 30000), R::BadHeader},
      {"depth-64", With16(rgb, at::kBitsPerPixel, 64), R::Unsupported},
      {"width-0", With32(rgb, at::kWidth, 0), R::BadHeader},
      {"width-negative", With32(rgb, at::kWidth, 0xFFFFFFFD), R::BadHeader},
      {"height-0", With32(rgb, at::kHeight, 0), R::BadHeader},
      {"width-16385", With32(rgb, at::kWidth, 16385), R::TooLarge},
      {"height-minus-16385", With32(rgb, at::kHeight, static_cast<std::uint32_t>(-16385)),
       R::TooLarge},
      {"width-largest-int", With32(rgb, at::kWidth, 0x7FFFFFFF), R::TooLarge},
      {"height-smallest-int", With32(rgb, at::kHeight, 0x80000000), R::TooLarge},
      {"header12-width-65535", With16(Header12Pal8().file, 18, 0xFFFF), R::TooLarge},
      {"density-huge", With32(rgb, at::kXDensity, 30'000'000), R::BadHeader},
      {"jpeg-inside", With32(rgb, at::kCompression, 4), R::Unsupported},
      {"png-inside", With32(rgb, at::kCompression, 5), R::Unsupported},
      {"compression-99", With32(rgb, at::kCompression, 99), R::Unsupported},
      {"rle8-at-24-bits", With32(rgb, at::kCompression, 1), R::Unsupported},
      {"bitfields-at-24-bits", With32(rgb, at::kCompression, 3), R::Unsupported},
      {"header64-huffman", BuildBmp(huffman), R::Unsupported},
      // In the 64-byte header 3 means Huffman coding at any depth, never bit fields.
      {"header64-compression-3-at-16-bits", BuildBmp(masked64), R::Unsupported},
      {"rle-top-down", With32(Rle8().file, at::kHeight, static_cast<std::uint32_t>(-3)),
       R::BadHeader},
      {"mask-zero", Masked16({0xF800, 0x07E0, 0}), R::BadHeader},
      {"mask-past-16-bits", Masked16({0x1F0000, 0x07E0, 0x001F}), R::BadHeader},
      {"masks-cut", Masked16({0xF800, 0x07E0, 0x001F}).substr(0, 60), R::Truncated},
      {"pixel-offset-past-end", With32(rgb, at::kPixelOffset, 0x10000), R::Truncated},
      {"pixel-offset-in-header", With32(rgb, at::kPixelOffset, 20), R::BadHeader},
      {"short-final-row", With32(With32(shortRows, at::kFileSize, 0), at::kImageSize, 0),
       R::Truncated},
      {"image-size-past-end", With32(rgb, at::kImageSize, 0x7EEEEEEE), R::Truncated},
      {"file-size-past-end", With32(rgb, at::kFileSize, 0x7DDDDDDD), R::Truncated},
      {"colours-used-past-end", With32(pal, at::kColorsUsed, 0x12345678), R::Truncated},
      {"palette-empty", BuildBmp(noPalette), R::BadHeader},
      {"index-past-palette", Indexed8({kRed, kGreen}, 2), R::BadPaletteIndex},
      {"pal1-one-colour", With32(pal, at::kColorsUsed, 1), R::BadPaletteIndex},
      {"rle-repeat-past-row", Rle8With(Bytes({5, 1, 0, 1})), R::BadRle},
      {"rle-literal-past-row", Rle8With(Bytes({2, 1, 0, 3, 1, 1, 1, 0, 0, 1})), R::BadRle},
      {"rle-move-past-row", Rle8With(Bytes({0, 2, 5, 0, 0, 1})), R::BadRle},
      {"rle-move-past-top", Rle8With(Bytes({0, 2, 0, 3, 0, 1})), R::BadRle},
      {"rle-pixels-past-top", Rle8With(Bytes({0, 0, 0, 0, 1, 1, 0, 1})), R::BadRle},
      {"rle-end-of-line-past-top", Rle8With(Bytes({0, 0, 0, 0, 0, 0, 0, 1})), R::BadRle},
      {"rle-ends-mid-picture", Rle8With(Bytes({4, 1, 0, 0, 2, 2})), R::Truncated},
      {"rle-literal-cut", Rle8With(Bytes({0, 4, 1, 2})), R::Truncated},
      {"rle-move-cut", Rle8With(Bytes({0, 2, 1})), R::Truncated},
      {"rle-index-past-palette", Rle8With(Bytes({1, 4, 0, 1})), R::BadPaletteIndex},
      {"rle-literal-index-past-palette", Rle8With(Bytes({0, 3, 1, 2, 9, 0, 0, 1})),
       R::BadPaletteIndex},
      {"rle4-nibble-past-palette", Rle4With(Bytes({2, 0x13, 0, 1}), {kRed, kGreen}),
       R::BadPaletteIndex},
  };
}

}  // namespace testing_support
