// Text as the game draws it: the status line on the 800 x 640 back buffer
// every 20 ms frame, and the fonts a control makes and deletes per paint.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/api/gdi.h"
#include "platform/api/user.h"

namespace {

HFONT StatusFont() {
  return CreateFontW(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_OUTLINE_PRECIS,
                     CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, 0, u"Lucida Console");
}

class BackBuffer {
 public:
  BackBuffer() : dc(CreateCompatibleDC(nullptr)), bitmap_(CreateBitmap(800, 640, 1, 32, nullptr)) {
    oldBitmap_ = SelectObject(dc, bitmap_);
    font_ = StatusFont();
    oldFont_ = SelectObject(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
  }
  ~BackBuffer() {
    SelectObject(dc, oldFont_);
    SelectObject(dc, oldBitmap_);
    DeleteObject(font_);
    DeleteObject(bitmap_);
    DeleteDC(dc);
  }
  HDC dc;

 private:
  HBITMAP bitmap_;
  HFONT font_;
  HGDIOBJ oldBitmap_, oldFont_;
};

void TextOutScore(benchmark::State& state) {
  BackBuffer buffer;
  const std::u16string text = u"Score: 001250";
  for (auto _ : state) {
    benchmark::DoNotOptimize(TextOutW(buffer.dc, 2, 2, text.data(), static_cast<int>(text.size())));
  }
}
BENCHMARK(TextOutScore);

void TextOutThirtyCharacters(benchmark::State& state) {
  BackBuffer buffer;
  const std::u16string text = u"Score: 001250   Lives: 3   L 1";
  for (auto _ : state) {
    benchmark::DoNotOptimize(TextOutW(buffer.dc, 2, 2, text.data(), static_cast<int>(text.size())));
  }
}
BENCHMARK(TextOutThirtyCharacters);

void DrawTextCentredInTheStatusBox(benchmark::State& state) {
  BackBuffer buffer;
  const std::u16string text = u"Lives: 3";
  for (auto _ : state) {
    RECT box{2, 2, 798, 22};
    benchmark::DoNotOptimize(
        DrawTextW(buffer.dc, text.data(), static_cast<int>(text.size()), &box, DT_CENTER));
  }
}
BENCHMARK(DrawTextCentredInTheStatusBox);

void MakeMeasureAndDeleteAFont(benchmark::State& state) {
  BackBuffer buffer;
  for (auto _ : state) {
    HFONT font = StatusFont();
    HGDIOBJ old = SelectObject(buffer.dc, font);
    TEXTMETRICW tm{};
    benchmark::DoNotOptimize(GetTextMetricsW(buffer.dc, &tm));
    SelectObject(buffer.dc, old);
    DeleteObject(font);
  }
}
BENCHMARK(MakeMeasureAndDeleteAFont);

}  // namespace
