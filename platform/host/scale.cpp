#include "platform/host/scale.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace host {
namespace {

std::string_view Trimmed(std::string_view text) {
  constexpr std::string_view kBlanks = " \t\r\n";
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

int Saturated(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

// One row of the rectangle, each pixel written `Scale` times across.
template <int Scale>
void WidenRow(const std::uint32_t* from, int width, std::uint32_t* to) {
  for (int x = 0; x < width; ++x) {
    const std::uint32_t pixel = from[x];
    for (int k = 0; k < Scale; ++k) to[x * Scale + k] = pixel;
  }
}

void WidenRowAnyScale(const std::uint32_t* from, int width, int scale, std::uint32_t* to) {
  for (int x = 0; x < width; ++x) std::fill_n(to + x * scale, scale, from[x]);
}

void WidenRowBy(const std::uint32_t* from, int width, int scale, std::uint32_t* to) {
  // The common scales get a loop the compiler can unroll; a row of a play
  // frame is short, so the call through the switch is what it costs.
  switch (scale) {
    case 2:
      WidenRow<2>(from, width, to);
      break;
    case 3:
      WidenRow<3>(from, width, to);
      break;
    case 4:
      WidenRow<4>(from, width, to);
      break;
    default:
      WidenRowAnyScale(from, width, scale, to);
      break;
  }
}

}  // namespace

int ClampScale(int scale) {
  return std::clamp(scale, kMinScale, kMaxScale);
}

int ScaleFromDpiText(std::string_view text) {
  const std::string_view number = Trimmed(text);
  double dpi = 0;
  const char* end = number.data() + number.size();
  const auto [stop, error] = std::from_chars(number.data(), end, dpi);
  if (number.empty() || error != std::errc{} || stop != end) return kMinScale;
  if (!std::isfinite(dpi) || dpi <= 0) return kMinScale;
  // Clamped before it becomes an int, so that no density overflows it.
  const double rounded = std::floor(std::min(dpi / kBaseDpi, double{kMaxScale}) + 0.5);
  return ClampScale(static_cast<int>(rounded));
}

Rect ScaleUp(const Rect& r, int scale) {
  const std::int64_t s = scale;
  return Rect{Saturated(r.x * s), Saturated(r.y * s), Saturated(r.width * s),
              Saturated(r.height * s)};
}

int ScaleDown(int value, int scale) {
  const int quotient = value / scale;
  return (value % scale != 0 && value < 0) ? quotient - 1 : quotient;
}

void ScaleEventDown(Event& event, int scale) {
  if (scale == 1) return;
  switch (event.type) {
    case EventType::MouseMove:
    case EventType::MouseDown:
    case EventType::MouseUp:
    case EventType::MouseWheel:
    case EventType::Moved:
      event.x = ScaleDown(event.x, scale);
      event.y = ScaleDown(event.y, scale);
      break;
    case EventType::Resized:
    case EventType::Restored:
      // A size the window manager chose that is not a whole number of blocks
      // loses the part block: the frame then never reaches past the window.
      event.width = ScaleDown(event.width, scale);
      event.height = ScaleDown(event.height, scale);
      break;
    default:
      break;
  }
}

void BlowUp(const PixelView& frame, const Rect& r, int scale, std::uint8_t* to, int pitch) {
  const std::size_t rowBytes = static_cast<std::size_t>(r.width) * scale * sizeof(std::uint32_t);
  for (int y = 0; y < r.height; ++y) {
    const std::uint32_t* from =
        frame.pixels + static_cast<std::ptrdiff_t>(r.y + y) * frame.stride + r.x;
    std::uint8_t* first = to + static_cast<std::ptrdiff_t>(r.y + y) * scale * pitch +
                          static_cast<std::ptrdiff_t>(r.x) * scale * sizeof(std::uint32_t);
    // The pitch of a 32-bit picture is a whole number of pixels.
    WidenRowBy(from, r.width, scale, reinterpret_cast<std::uint32_t*>(first));
    // The other rows of the block are the same row again.
    for (int k = 1; k < scale; ++k)
      std::memcpy(first + static_cast<std::ptrdiff_t>(k) * pitch, first, rowBytes);
  }
}

}  // namespace host
