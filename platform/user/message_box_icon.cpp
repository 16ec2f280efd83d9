// The message box's icons, drawn by code: a red disc with a white cross for
// errors, a yellow triangle with an exclamation mark for warnings, a blue disc
// with an "i" for information and with a question mark for questions. Each is
// made once, smoothed by sampling every pixel sixteen times, and kept for
// the life of the process.
#include <cmath>
#include <cstdint>
#include <iterator>

#include "platform/api/user.h"
#include "platform/gdi/objects.h"

namespace {

constexpr int kSize = 32;
constexpr int kSamples = 4;  // per pixel side
constexpr std::uint32_t kClear = 0x00000000;
constexpr std::uint32_t kWhite = 0xFFFFFFFF;
constexpr std::uint32_t kBlack = 0xFF000000;

using Sampler = std::uint32_t (*)(double x, double y);

bool InDisc(double x, double y, double cx, double cy, double r) {
  return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
}

bool InBar(double x, double y, double halfWidth, double top, double bottom) {
  return std::fabs(x - 16) <= halfWidth && y >= top && y <= bottom;
}

// A disc of `body` with a darker rim, or `mark` where `inMark` says.
std::uint32_t Disc(double x, double y, std::uint32_t body, std::uint32_t rim, bool inMark) {
  if (!InDisc(x, y, 16, 16, 15)) return kClear;
  if (inMark) return kWhite;
  return InDisc(x, y, 16, 16, 14) ? body : rim;
}

std::uint32_t Error(double x, double y) {
  const double u = x - 16, v = y - 16;
  const bool cross = std::fabs(u) <= 7 && std::fabs(v) <= 7 &&
                     (std::fabs(u - v) <= 2.8 || std::fabs(u + v) <= 2.8);
  return Disc(x, y, 0xFFD42020, 0xFF8C1010, cross);
}

std::uint32_t Information(double x, double y) {
  const bool letter = InDisc(x, y, 16, 9, 2.3) || InBar(x, y, 1.9, 13, 25);
  return Disc(x, y, 0xFF2060D0, 0xFF103C90, letter);
}

std::uint32_t Question(double x, double y) {
  const double d = std::hypot(x - 16, y - 12);
  // A ring open at the lower left, running into the stem at its bottom.
  const bool hook = std::fabs(d - 5) <= 1.7 && !(x < 16 && y > 12);
  const bool mark = hook || InBar(x, y, 1.7, 15.5, 20) || InDisc(x, y, 16, 24, 1.9);
  return Disc(x, y, 0xFF2060D0, 0xFF103C90, mark);
}

// How far inside the triangle (16, 2), (31, 29), (1, 29) a point lies; negative outside.
double TriangleDepth(double x, double y) {
  const double slope = std::hypot(15.0, 27.0);
  const double right = (27 * (31 - x) - 15 * (29 - y)) / slope;  // from the right edge, inwards
  const double left = (27 * (x - 1) - 15 * (29 - y)) / slope;
  const double base = 29 - y;
  return std::fmin(std::fmin(right, left), base);
}

std::uint32_t Warning(double x, double y) {
  const double depth = TriangleDepth(x, y);
  if (depth < 0) return kClear;
  if (InBar(x, y, 1.7, 11, 21) || InDisc(x, y, 16, 25, 1.9)) return kBlack;
  return depth <= 1.2 ? 0xFF8C6400 : 0xFFF4C81C;
}

struct Kind {
  UINT icon;
  Sampler sampler;
};
constexpr Kind kKinds[] = {
    {MB_ICONHAND, Error},
    {MB_ICONQUESTION, Question},
    {MB_ICONEXCLAMATION, Warning},
    {MB_ICONASTERISK, Information},
};

// One pixel: the mean of its samples, colour weighted by coverage.
std::uint32_t Smoothed(Sampler sample, int px, int py) {
  std::uint32_t alpha = 0, red = 0, green = 0, blue = 0;
  for (int sy = 0; sy < kSamples; ++sy) {
    for (int sx = 0; sx < kSamples; ++sx) {
      const std::uint32_t c = sample(px + (sx + 0.5) / kSamples, py + (sy + 0.5) / kSamples);
      const std::uint32_t a = c >> 24;
      alpha += a;
      red += ((c >> 16) & 0xFF) * a;
      green += ((c >> 8) & 0xFF) * a;
      blue += (c & 0xFF) * a;
    }
  }
  if (alpha == 0) return kClear;
  const std::uint32_t a = alpha / (kSamples * kSamples);
  return (a << 24) | ((red / alpha) << 16) | ((green / alpha) << 8) | (blue / alpha);
}

HICON Make(Sampler sample) {
  gdi::IconImage image;
  image.width = image.height = kSize;
  image.argb.resize(kSize * kSize);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) image.argb[y * kSize + x] = Smoothed(sample, x, y);
  }
  auto icon = std::make_unique<gdi::Icon>();
  icon->images.push_back(std::move(image));
  icon->stock = true;  // shared by every box; never deleted
  return reinterpret_cast<HICON>(gdi::Register(std::move(icon)));
}

}  // namespace

namespace user {

HICON BoxIcon(UINT type) {
  static HICON made[std::size(kKinds)] = {};
  for (std::size_t i = 0; i < std::size(kKinds); ++i) {
    if (kKinds[i].icon != (type & MB_ICONMASK)) continue;
    if (made[i] == nullptr) made[i] = Make(kKinds[i].sampler);
    return made[i];
  }
  return nullptr;
}

}  // namespace user
