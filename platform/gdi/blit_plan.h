// Where a copy lands and where each of its pixels comes from, worked out one
// axis at a time and cut to both bitmaps before any pixel moves.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/gdi/objects.h"
#include "platform/gdi/raster_ops.h"

namespace gdi {

// One axis of a copy in target pixels. Extents may be negative: like a
// rectangle whose edges were given the wrong way round, a negative extent
// covers anchor + extent .. anchor - 1; and when the destination and the
// source run opposite ways the picture is mirrored on that axis.
struct AxisRequest {
  std::int64_t destination = 0;
  std::int64_t destinationExtent = 0;
  std::int64_t source = 0;
  std::int64_t sourceExtent = 0;
  LONG destinationLow = 0, destinationHigh = 0;  // where drawing may land
  LONG sourceLow = 0, sourceHigh = 0;            // what may be read
};

struct AxisPlan {
  LONG first = 0;         // first destination pixel drawn
  int count = 0;          // how many; 0 when nothing is left
  bool identity = false;  // unscaled and not mirrored: pixel i reads sourceFirst + i
  int sourceFirst = 0;
  std::vector<int> source;  // otherwise the source pixel of each, nearest to its centre

  int SourceOf(int i) const { return identity ? sourceFirst + i : source[i]; }
  int SourceLow() const { return identity ? sourceFirst : std::min(source.front(), source.back()); }
  int SourceHigh() const {  // inclusive
    return identity ? sourceFirst + count - 1 : std::max(source.front(), source.back());
  }
};

// Destination pixels whose source lies outside what may be read are left
// out, so cutting the source shifts the destination with it, as cutting the
// destination shifts the source.
AxisPlan PlanAxis(const AxisRequest& request);

// An axis that only fills: every pixel of [low, high).
AxisPlan FillAxis(LONG low, LONG high);

// A copy made ready: planned, cut, with its routine chosen.
struct BlitJob {
  Bitmap* destination = nullptr;
  const Bitmap* source = nullptr;  // null when the operation does not read one
  AxisPlan columns;
  AxisPlan rows;
  RowRoutine routine = GenericRow;
  RowContext context;
};

// Caller clipped: every planned pixel lies inside its bitmap. A source that
// is the destination itself is read from a copy of the part used, so
// overlapping copies come out as if the source had been taken first.
void RunBlit(const BlitJob& job);

}  // namespace gdi
