// The drawing calls a frame of the game makes most: opaque copies of a
// sprite and of the whole play field, the black-keyed copy of a small
// picture with everything it makes and deletes, a brick's gradient and the
// ball.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "platform/api/gdi.h"
#include "platform/gdi/objects.h"

namespace {

// A colour bitmap of varied pixels, one in seven black.
HBITMAP Pattern(int width, int height) {
  HBITMAP bitmap = CreateBitmap(width, height, 1, 32, nullptr);
  auto& pixels = gdi::LookupBitmap(bitmap)->pixels;
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    pixels[i] = i % 7 == 0 ? 0 : static_cast<std::uint32_t>(i * 2654435761u) & 0xFFFFFF;
  }
  return bitmap;
}

// A memory context holding such a bitmap.
struct Surface {
  Surface(int width, int height)
      : dc(CreateCompatibleDC(nullptr)),
        bitmap(Pattern(width, height)),
        previous(SelectObject(dc, bitmap)) {}
  ~Surface() {
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  HDC dc;
  HBITMAP bitmap;
  HGDIOBJ previous;
};

void BM_BitBltCopy(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
  Surface source(width, height), destination(800, 640);
  for (auto _ : state) {
    BitBlt(destination.dc, 0, 0, width, height, source.dc, 0, 0, SRCCOPY);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * width * height * 4);
}
BENCHMARK(BM_BitBltCopy)->Args({24, 24})->Args({800, 640});

// As the framework draws a picture with black transparent, once per call.
void BM_BlackKeyedCopy24(benchmark::State& state) {
  HBITMAP picture = Pattern(24, 24);
  Surface destination(800, 640);
  for (auto _ : state) {
    HDC source = CreateCompatibleDC(destination.dc);
    HDC maskContext = CreateCompatibleDC(destination.dc);
    BITMAP size{};
    GetObjectW(picture, sizeof size, &size);
    HBITMAP mask = CreateBitmap(size.bmWidth, size.bmHeight, 1, 1, nullptr);
    HGDIOBJ oldMask = SelectObject(maskContext, mask);
    HGDIOBJ oldPicture = SelectObject(source, picture);
    SetBkColor(source, 0);
    BitBlt(maskContext, 0, 0, size.bmWidth, size.bmHeight, source, 0, 0, SRCCOPY);
    BitBlt(destination.dc, 100, 100, 24, 24, maskContext, 0, 0, SRCAND);
    BitBlt(destination.dc, 100, 100, 24, 24, source, 0, 0, SRCPAINT);
    SelectObject(maskContext, oldMask);
    SelectObject(source, oldPicture);
    DeleteObject(mask);
    DeleteDC(maskContext);
    DeleteDC(source);
  }
  DeleteObject(picture);
}
BENCHMARK(BM_BlackKeyedCopy24);

void BM_GradientBrick(benchmark::State& state) {
  Surface destination(800, 640);
  TRIVERTEX vertices[2] = {{100, 50, 0xFF00, 0, 0, 0}, {138, 68, 0, 0, 0x4D00, 0}};
  GRADIENT_RECT mesh{0, 1};
  for (auto _ : state) {
    GradientFill(destination.dc, vertices, 2, &mesh, 1, GRADIENT_FILL_RECT_H);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_GradientBrick);

// The ball as the framework draws it: a null pen and a red brush made and
// deleted around the call.
void BM_EllipseBall(benchmark::State& state) {
  Surface destination(800, 640);
  for (auto _ : state) {
    HBRUSH brush = CreateSolidBrush(0x0000FF);
    HGDIOBJ oldPen = SelectObject(destination.dc, GetStockObject(NULL_PEN));
    HGDIOBJ oldBrush = SelectObject(destination.dc, brush);
    Ellipse(destination.dc, 300, 250, 317, 267);
    SelectObject(destination.dc, oldPen);
    SelectObject(destination.dc, oldBrush);
    DeleteObject(brush);
  }
}
BENCHMARK(BM_EllipseBall);

}  // namespace
