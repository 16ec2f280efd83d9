#include "platform/gdi/blit_plan.h"

#include <algorithm>

namespace gdi {
namespace {

std::int64_t Magnitude(std::int64_t extent) {
  return extent < 0 ? -extent : extent;
}

// The first pixel an extent covers; see AxisRequest.
std::int64_t Start(std::int64_t anchor, std::int64_t extent) {
  return extent < 0 ? anchor + extent : anchor;
}

// Pixels of the source as the copy reads them: either the bitmap itself or
// a private copy of the part a copy onto itself reads.
struct SourceView {
  const std::uint32_t* pixels = nullptr;
  std::size_t stride = 0;
  int left = 0, top = 0;
  std::vector<std::uint32_t> copy;

  const std::uint32_t* At(int x, int y) const {
    return pixels + static_cast<std::size_t>(y - top) * stride + static_cast<std::size_t>(x - left);
  }
};

SourceView ViewOf(const BlitJob& job) {
  SourceView view;
  const Bitmap& source = *job.source;
  if (job.source != job.destination) {
    view.pixels = source.pixels.data();
    view.stride = static_cast<std::size_t>(source.width);
    return view;
  }
  // The source runs one way along each axis, so its ends bound what is read.
  const int left = job.columns.SourceLow(), right = job.columns.SourceHigh();
  const int top = job.rows.SourceLow(), bottom = job.rows.SourceHigh();
  view.left = left;
  view.top = top;
  view.stride = static_cast<std::size_t>(right - left + 1);
  view.copy.resize(view.stride * static_cast<std::size_t>(bottom - top + 1));
  for (int y = top; y <= bottom; ++y) {
    std::copy_n(source.Row(y) + left, view.stride,
                view.copy.begin() + static_cast<std::ptrdiff_t>((y - top) * view.stride));
  }
  view.pixels = view.copy.data();
  return view;
}

void RunFill(const BlitJob& job) {
  for (int i = 0; i < job.rows.count; ++i) {
    std::uint32_t* out = job.destination->Row(job.rows.first + i) + job.columns.first;
    job.routine(out, nullptr, job.columns.count, job.context);
  }
}

// Unscaled and unmirrored: the destination range that reads inside the
// source follows directly.
AxisPlan PlanStraight(const AxisRequest& r, std::int64_t d0, std::int64_t s0, std::int64_t n) {
  const std::int64_t shift = s0 - d0;
  const std::int64_t low = std::max({d0, std::int64_t{r.destinationLow}, r.sourceLow - shift});
  const std::int64_t high =
      std::min({d0 + n, std::int64_t{r.destinationHigh}, r.sourceHigh - shift});
  AxisPlan plan;
  plan.identity = true;
  if (low >= high) return plan;
  plan.first = static_cast<LONG>(low);
  plan.count = static_cast<int>(high - low);
  plan.sourceFirst = static_cast<int>(low + shift);
  return plan;
}

}  // namespace

AxisPlan PlanAxis(const AxisRequest& r) {
  AxisPlan plan;
  const std::int64_t dn = Magnitude(r.destinationExtent);
  const std::int64_t sn = Magnitude(r.sourceExtent);
  if (dn == 0 || sn == 0) return plan;
  const std::int64_t d0 = Start(r.destination, r.destinationExtent);
  const std::int64_t s0 = Start(r.source, r.sourceExtent);
  const bool mirror = (r.destinationExtent < 0) != (r.sourceExtent < 0);
  if (dn == sn && !mirror) return PlanStraight(r, d0, s0, dn);
  const std::int64_t low = std::max<std::int64_t>(d0, r.destinationLow);
  const std::int64_t high = std::min<std::int64_t>(d0 + dn, r.destinationHigh);
  if (low >= high) return plan;
  plan.source.reserve(static_cast<std::size_t>(high - low));
  for (std::int64_t d = low; d < high; ++d) {
    const std::int64_t i = mirror ? dn - 1 - (d - d0) : d - d0;
    // Nearest: the source pixel under the destination pixel's centre.
    // Extents are 32-bit, so (2i + 1) * sn stays below 2^63.
    const std::int64_t s = s0 + (2 * i + 1) * sn / (2 * dn);
    if (s >= r.sourceLow && s < r.sourceHigh) {
      if (plan.source.empty()) plan.first = static_cast<LONG>(d);
      plan.source.push_back(static_cast<int>(s));
    } else if (!plan.source.empty()) {
      break;  // the source runs one way, so nothing further comes back in
    }
  }
  plan.count = static_cast<int>(plan.source.size());
  return plan;
}

AxisPlan FillAxis(LONG low, LONG high) {
  AxisPlan plan;
  plan.first = low;
  plan.count = high > low ? static_cast<int>(high - low) : 0;
  plan.identity = true;
  return plan;
}

void RunBlit(const BlitJob& job) {
  if (job.columns.count == 0 || job.rows.count == 0) return;
  if (job.source == nullptr) return RunFill(job);
  const SourceView view = ViewOf(job);
  std::vector<std::uint32_t> gathered;
  if (!job.columns.identity) gathered.resize(static_cast<std::size_t>(job.columns.count));
  for (int i = 0; i < job.rows.count; ++i) {
    const int y = job.rows.SourceOf(i);
    std::uint32_t* out = job.destination->Row(job.rows.first + i) + job.columns.first;
    if (job.columns.identity) {
      job.routine(out, view.At(job.columns.sourceFirst, y), job.columns.count, job.context);
      continue;
    }
    const std::uint32_t* in = view.At(view.left, y);
    for (int x = 0; x < job.columns.count; ++x) gathered[x] = in[job.columns.source[x] - view.left];
    job.routine(out, gathered.data(), job.columns.count, job.context);
  }
}

}  // namespace gdi
