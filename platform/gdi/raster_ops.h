// Raster operations on rows of pixels. A row routine combines one row of the
// destination with a row of source pixels (already picked in the order they
// land) and the pattern. The source is brought into the destination's format
// first, as the system does:
//   colour to monochrome: a pixel equal to the source context's background
//     colour becomes 1 (white), every other pixel 0 (black);
//   monochrome to colour: 1 becomes the destination context's background
//     colour, 0 its text colour;
//   colour to colour and monochrome to monochrome: unchanged.
// Then the operation's truth table over pattern, source and destination
// gives the result, bit by bit.
#pragma once

#include <cstdint>
#include <span>

#include "platform/api/gdi.h"

namespace gdi {

enum class PixelFormat : std::uint8_t { Color, Mono };

struct RowContext {
  DWORD rop = SRCCOPY;
  PixelFormat source = PixelFormat::Color;
  PixelFormat destination = PixelFormat::Color;
  std::uint32_t sourceBackground = 0;  // source pixel that becomes 1 in monochrome
  std::uint32_t oneColor = 0xFFFFFF;   // what monochrome 1 becomes in colour
  std::uint32_t zeroColor = 0;         // what monochrome 0 becomes in colour
  std::uint32_t pattern = 0;           // the brush, in the destination's format
};

// `source` may be null when the operation does not read it.
using RowRoutine = void (*)(std::uint32_t* destination, const std::uint32_t* source, int count,
                            const RowContext& context);

// The truth-table index of a raster operation: bit (4P + 2S + D) of it is
// the result for pattern bit P, source bit S and destination bit D.
constexpr std::uint8_t RopIndex(DWORD rop) {
  return static_cast<std::uint8_t>(rop >> 16);
}
constexpr bool RopUsesSource(DWORD rop) {
  return ((RopIndex(rop) >> 2) ^ RopIndex(rop)) & 0x33;
}
constexpr bool RopUsesPattern(DWORD rop) {
  return ((RopIndex(rop) >> 4) ^ RopIndex(rop)) & 0x0F;
}

// Every bit of the three words through the truth table at once.
constexpr std::uint32_t ApplyRop(std::uint8_t index, std::uint32_t p, std::uint32_t s,
                                 std::uint32_t d) {
  std::uint32_t result = 0;
  for (int minterm = 0; minterm < 8; ++minterm) {
    if (((index >> minterm) & 1) == 0) continue;
    result |= ((minterm & 4) ? p : ~p) & ((minterm & 2) ? s : ~s) & ((minterm & 1) ? d : ~d);
  }
  return result;
}

// Any operation, any formats, one pixel at a time: the reference the fast
// routines are held to.
void GenericRow(std::uint32_t* destination, const std::uint32_t* source, int count,
                const RowContext& context);

enum class FormatMatch : std::uint8_t { Color, Mono, Any };

struct FastRoutine {
  DWORD rop;
  FormatMatch source;
  FormatMatch destination;
  RowRoutine routine;
};

// The routines faster than the generic one, for the cases the program uses
// most; exposed so that tests can hold each to the generic routine.
std::span<const FastRoutine> FastRoutines();

// The first fast routine that fits, else the generic one.
RowRoutine ChooseRowRoutine(DWORD rop, PixelFormat source, PixelFormat destination);

}  // namespace gdi
