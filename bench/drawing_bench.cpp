// The surface operations a frame of the game runs for every sprite.
#include <benchmark/benchmark.h>

#include "framework/drawing/drawing.h"
#include "framework/elements/font.h"

namespace {

using VexaUtility::Drawing;

struct BackBuffer {
  BackBuffer() : drawing(nullptr) {
    HDC memory = CreateCompatibleDC(nullptr);
    DeleteObject(SelectObject(memory, CreateBitmap(800, 640, 1, 32, nullptr)));
    drawing.AttachDc(memory);
    drawing.GradientRect(0, 0, 800, 640, 0x402000, 0x002040);
  }
  Drawing drawing;
};

void CaptureAndRestoreASprite(benchmark::State& state) {
  BackBuffer back;
  for (auto _ : state) {
    HBITMAP under = back.drawing.CaptureRegion(300, 400, 24, 24);
    back.drawing.DrawBitmap(300, 400, 0, 0, under);
    DeleteObject(under);
  }
}
BENCHMARK(CaptureAndRestoreASprite);

void TransparentSprite(benchmark::State& state) {
  BackBuffer back;
  HBITMAP coin = CreateBitmap(24, 24, 1, 32, nullptr);
  for (auto _ : state) back.drawing.BlitTransparent(300, 400, 24, 24, coin, 0);
  DeleteObject(coin);
}
BENCHMARK(TransparentSprite);

void StatusLine(benchmark::State& state) {
  BackBuffer back;
  VexaUtility::FontSpec font("Lucida Console", 16);
  for (auto _ : state) {
    back.drawing.DrawString(10, 2, 0, 0, "Score: 001250    Lives: 3    Level: 4", 0xFFFFFF, &font, 0);
  }
}
BENCHMARK(StatusLine);

void Brick(benchmark::State& state) {
  BackBuffer back;
  for (auto _ : state) back.drawing.GradientRect(100, 100, 38, 18, 0x0000FF, 0xFF0000);
}
BENCHMARK(Brick);

void Ball(benchmark::State& state) {
  BackBuffer back;
  for (auto _ : state) back.drawing.FillEllipse(100, 100, 17, 17);
}
BENCHMARK(Ball);

}  // namespace
