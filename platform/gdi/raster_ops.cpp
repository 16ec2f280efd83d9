#include "platform/gdi/raster_ops.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace gdi {
namespace {

constexpr std::uint32_t kColorBits = 0xFFFFFF;
constexpr std::uint32_t kMonoBits = 1;

std::uint32_t Converted(std::uint32_t s, const RowContext& c) {
  if (c.source == c.destination) return s;
  if (c.destination == PixelFormat::Mono) return s == c.sourceBackground ? 1u : 0u;
  return s != 0 ? c.oneColor : c.zeroColor;
}

void CopyRow(std::uint32_t* d, const std::uint32_t* s, int n, const RowContext&) {
  std::memcpy(d, s, static_cast<std::size_t>(n) * sizeof *d);
}

void MaskRow(std::uint32_t* d, const std::uint32_t* s, int n, const RowContext& c) {
  const std::uint32_t key = c.sourceBackground;
  for (int i = 0; i < n; ++i) d[i] = s[i] == key ? 1u : 0u;
}

void ExpandRow(std::uint32_t* d, const std::uint32_t* s, int n, const RowContext& c) {
  for (int i = 0; i < n; ++i) d[i] = s[i] != 0 ? c.oneColor : c.zeroColor;
}

void AndRow(std::uint32_t* d, const std::uint32_t* s, int n, const RowContext&) {
  for (int i = 0; i < n; ++i) d[i] &= s[i];
}

void AndExpandedRow(std::uint32_t* d, const std::uint32_t* s, int n, const RowContext& c) {
  for (int i = 0; i < n; ++i) d[i] &= s[i] != 0 ? c.oneColor : c.zeroColor;
}

void OrRow(std::uint32_t* d, const std::uint32_t* s, int n, const RowContext&) {
  for (int i = 0; i < n; ++i) d[i] |= s[i];
}

void XorRow(std::uint32_t* d, const std::uint32_t* s, int n, const RowContext&) {
  for (int i = 0; i < n; ++i) d[i] ^= s[i];
}

void BlackRow(std::uint32_t* d, const std::uint32_t*, int n, const RowContext&) {
  std::fill_n(d, n, 0u);
}

void WhiteRow(std::uint32_t* d, const std::uint32_t*, int n, const RowContext& c) {
  std::fill_n(d, n, c.destination == PixelFormat::Mono ? kMonoBits : kColorBits);
}

void PatternRow(std::uint32_t* d, const std::uint32_t*, int n, const RowContext& c) {
  std::fill_n(d, n, c.pattern);
}

void InvertRow(std::uint32_t* d, const std::uint32_t*, int n, const RowContext& c) {
  const std::uint32_t all = c.destination == PixelFormat::Mono ? kMonoBits : kColorBits;
  for (int i = 0; i < n; ++i) d[i] ^= all;
}

using F = FormatMatch;
constexpr std::array kFastRoutines{
    FastRoutine{SRCCOPY, F::Color, F::Color, CopyRow},
    FastRoutine{SRCCOPY, F::Mono, F::Mono, CopyRow},
    FastRoutine{SRCCOPY, F::Color, F::Mono, MaskRow},
    FastRoutine{SRCCOPY, F::Mono, F::Color, ExpandRow},
    FastRoutine{SRCAND, F::Color, F::Color, AndRow},
    FastRoutine{SRCAND, F::Mono, F::Mono, AndRow},
    FastRoutine{SRCAND, F::Mono, F::Color, AndExpandedRow},
    FastRoutine{SRCPAINT, F::Color, F::Color, OrRow},
    FastRoutine{SRCPAINT, F::Mono, F::Mono, OrRow},
    FastRoutine{SRCINVERT, F::Color, F::Color, XorRow},
    FastRoutine{SRCINVERT, F::Mono, F::Mono, XorRow},
    FastRoutine{BLACKNESS, F::Any, F::Any, BlackRow},
    FastRoutine{WHITENESS, F::Any, F::Any, WhiteRow},
    FastRoutine{PATCOPY, F::Any, F::Any, PatternRow},
    FastRoutine{DSTINVERT, F::Any, F::Any, InvertRow},
};

bool Fits(FormatMatch match, PixelFormat format) {
  return match == FormatMatch::Any ||
         (match == FormatMatch::Color) == (format == PixelFormat::Color);
}

}  // namespace

void GenericRow(std::uint32_t* d, const std::uint32_t* s, int n, const RowContext& c) {
  const std::uint8_t index = RopIndex(c.rop);
  const std::uint32_t bits = c.destination == PixelFormat::Mono ? kMonoBits : kColorBits;
  for (int i = 0; i < n; ++i) {
    const std::uint32_t source = s != nullptr ? Converted(s[i], c) : 0;
    d[i] = ApplyRop(index, c.pattern, source, d[i]) & bits;
  }
}

std::span<const FastRoutine> FastRoutines() {
  return kFastRoutines;
}

RowRoutine ChooseRowRoutine(DWORD rop, PixelFormat source, PixelFormat destination) {
  // Only the truth-table index decides what an operation does; the low word
  // of the code describes it for other machines and is not consulted.
  for (const FastRoutine& fast : kFastRoutines) {
    if (RopIndex(fast.rop) == RopIndex(rop) && Fits(fast.source, source) &&
        Fits(fast.destination, destination)) {
      return fast.routine;
    }
  }
  return GenericRow;
}

}  // namespace gdi
