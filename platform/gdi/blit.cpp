// BitBlt, StretchBlt and PatBlt: check the handles, plan and cut the copy to
// both bitmaps, then hand it to the row routines.
#include <algorithm>

#include "platform/api/kernel.h"
#include "platform/gdi/blit_plan.h"
#include "platform/gdi/canvas.h"

using namespace gdi;

namespace {

struct Extent {
  int x, y, width, height;
};

PixelFormat FormatOf(const Bitmap& bitmap) {
  return bitmap.Monochrome() ? PixelFormat::Mono : PixelFormat::Color;
}

// The pattern of the destination's brush; false when the operation needs a
// pattern and the brush paints none, which leaves the destination alone.
bool PatternOf(const DeviceContext& dc, DWORD rop, RowContext* context) {
  if (!RopUsesPattern(rop)) return true;
  COLORREF color = 0;
  if (!BrushColor(dc.brush, &color)) return false;
  context->pattern = StoredPixel(*dc.target, color);
  return true;
}

RowContext ContextFor(const DeviceContext& destination, const DeviceContext* source, DWORD rop) {
  RowContext context;
  context.rop = rop;
  context.destination = FormatOf(*destination.target);
  context.source = source != nullptr ? FormatOf(*source->target) : context.destination;
  if (source != nullptr) context.sourceBackground = PixelFromColor(source->backgroundColor);
  context.oneColor = PixelFromColor(destination.backgroundColor);
  context.zeroColor = PixelFromColor(destination.textColor);
  return context;
}

AxisRequest Axis(std::int64_t at, std::int64_t extent, LONG origin, LONG low, LONG high) {
  AxisRequest request;
  request.destination = at + origin;
  request.destinationExtent = extent;
  request.destinationLow = low;
  request.destinationHigh = high;
  return request;
}

void AddSource(AxisRequest* request, std::int64_t at, std::int64_t extent, LONG origin, LONG low,
               LONG high) {
  request->source = at + origin;
  request->sourceExtent = extent;
  request->sourceLow = low;
  request->sourceHigh = high;
}

BOOL Run(DeviceContext& destination, BlitJob& job) {
  if (job.columns.count == 0 || job.rows.count == 0) return TRUE;
  job.destination = destination.target;
  job.routine = ChooseRowRoutine(job.context.rop, job.context.source, job.context.destination);
  RunBlit(job);
  destination.Touched(RECT{job.columns.first, job.rows.first, job.columns.first + job.columns.count,
                           job.rows.first + job.rows.count});
  return TRUE;
}

BOOL Blit(HDC destinationHandle, const Extent& to, HDC sourceHandle, const Extent& from,
          DWORD rop) {
  DeviceContext* destination = LookupDc(destinationHandle);
  if (destination == nullptr) return FALSE;
  DeviceContext* source = nullptr;
  if (RopUsesSource(rop) && (source = LookupDc(sourceHandle)) == nullptr) return FALSE;
  const RECT drawable = destination->DrawableArea();
  // Nothing to draw on, or nothing to read: done, and not a failure.
  if (IsEmpty(drawable) || (source != nullptr && IsEmpty(source->DrawableArea()))) return TRUE;
  BlitJob job;
  job.context = ContextFor(*destination, source, rop);
  if (!PatternOf(*destination, rop, &job.context)) return TRUE;
  if (source == nullptr) {
    const RECT area =
        DrawablePart(*destination, std::min<std::int64_t>(to.x, to.x + std::int64_t{to.width}),
                     std::min<std::int64_t>(to.y, to.y + std::int64_t{to.height}),
                     std::max<std::int64_t>(to.x, to.x + std::int64_t{to.width}),
                     std::max<std::int64_t>(to.y, to.y + std::int64_t{to.height}));
    job.columns = FillAxis(area.left, area.right);
    job.rows = FillAxis(area.top, area.bottom);
    return Run(*destination, job);
  }
  const RECT readable = source->DrawableArea();
  AxisRequest columns = Axis(to.x, to.width, destination->origin.x, drawable.left, drawable.right);
  AxisRequest rows = Axis(to.y, to.height, destination->origin.y, drawable.top, drawable.bottom);
  AddSource(&columns, from.x, from.width, source->origin.x, readable.left, readable.right);
  AddSource(&rows, from.y, from.height, source->origin.y, readable.top, readable.bottom);
  job.source = source->target;
  job.columns = PlanAxis(columns);
  job.rows = PlanAxis(rows);
  return Run(*destination, job);
}

}  // namespace

BOOL BitBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX,
            int sourceY, DWORD rop) {
  return Blit(destination, {x, y, width, height}, source, {sourceX, sourceY, width, height}, rop);
}

BOOL StretchBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX,
                int sourceY, int sourceWidth, int sourceHeight, DWORD rop) {
  return Blit(destination, {x, y, width, height}, source,
              {sourceX, sourceY, sourceWidth, sourceHeight}, rop);
}

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop) {
  if (RopUsesSource(rop)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return Blit(dc, {x, y, width, height}, nullptr, {}, rop);
}
