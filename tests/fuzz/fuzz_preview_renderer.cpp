// Preview renderer: any lines (size codes, character codes, colours and blink flags of any
// value) and any attributes, bar positions and scroll step must render without a crash,
// with every lit dot wholly inside the model's matrix and on its dot grid.

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "preview/PreviewRenderer.h"

namespace {

class Input {
 public:
  Input(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

  bool Empty() const { return m_at >= m_size; }
  uint8_t Byte() { return m_at < m_size ? m_data[m_at++] : 0; }
  // Mostly small values, sometimes extreme ones.
  int Int() {
    const uint8_t kind = Byte();
    if (kind == 0xFF) return 2147483647;
    if (kind == 0xFE) return -2147483647 - 1;
    return static_cast<int8_t>(kind);
  }

 private:
  const uint8_t* m_data;
  size_t m_size;
  size_t m_at = 0;
};

constexpr COLORREF kColors[] = {kColorRed, kColorGreen, kColorYellow, 0x123456};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input input(data, size);
  PreviewSettings settings;
  settings.model = input.Byte() % 16;  // 14 and 15 are unknown models
  settings.position = input.Int();
  settings.startLine = input.Int();
  settings.startColumn = input.Int();
  settings.effect = input.Int();
  PaintState state{input.Int(), input.Int(), (input.Byte() & 1) != 0, input.Int()};

  std::vector<LINE1_PROP> lines(1);
  while (!input.Empty()) {
    const uint8_t sizeCode = input.Byte();
    if (sizeCode == 0xEE) {
      lines.emplace_back();
      continue;
    }
    const uint8_t code = input.Byte();
    const uint8_t attributes = input.Byte();
    lines.back().push_back({sizeCode < 0xF0 ? sizeCode % 6 + (sizeCode & 0x80 ? 1 : 0) : static_cast<int8_t>(sizeCode),
                            code, kColors[attributes & 3], attributes >> 2});
  }

  for (int paint = 0; paint < 3; ++paint) {
    const PreviewFrame frame = RenderPreviewFrame(lines, settings, state);
    if (frame.width < 0 || frame.width > 480 || frame.height < 0 || frame.height > 128) std::abort();
    for (const LitDot& dot : frame.dots)
      if (dot.x < 0 || dot.y < 0 || dot.x + 4 > frame.width || dot.y + 4 > frame.height || dot.x % 4 || dot.y % 4)
        std::abort();
    state.scrollStep = frame.scrollStep;
    state.blinkOn = !state.blinkOn;
  }
  return 0;
}
