// One animation frame of the largest model, "Tricolor 4 Line 40 Char", filled with size-1
// text in all three colours, some of it blinking. Goal: under 0.2 ms per frame (the
// animation ticks every 540 ms).

#include <benchmark/benchmark.h>

#include <vector>

#include "preview/PreviewRenderer.h"

static std::vector<LINE1_PROP> FullMessage() {
  const COLORREF colors[] = {kColorRed, kColorGreen, kColorYellow};
  std::vector<LINE1_PROP> lines(4);
  for (int line = 0; line < 4; ++line)
    for (int column = 0; column < 40; ++column)
      lines[static_cast<size_t>(line)].push_back(
          {1, 33 + (line * 40 + column) % 94, colors[column % 3], column % 7 == 0 ? 1 : 0});
  return lines;
}

static void BM_PreviewFrameTricolor4x40(benchmark::State& state) {
  const std::vector<LINE1_PROP> lines = FullMessage();
  PreviewSettings settings;
  settings.model = 13;
  settings.position = kPositionDefault;
  PaintState paint;
  for (auto _ : state) {
    PreviewFrame frame = RenderPreviewFrame(lines, settings, paint);
    benchmark::DoNotOptimize(frame.dots.data());
    paint.blinkOn = !paint.blinkOn;
  }
}
BENCHMARK(BM_PreviewFrameTricolor4x40)->Unit(benchmark::kMicrosecond);
