#include "sim/SignFrame.h"

#include <vector>

#include "common/Text.h"
#include "preview/MarqueeModels.h"
#include "preview/PreviewGeometry.h"

namespace {

constexpr int kViewColumns = kViewWidth / kColumnPixels;

// ANSI 256-colour indexes.
constexpr int kDarkDot = 236;
constexpr int kRedDot = 196;
constexpr int kGreenDot = 46;
constexpr int kYellowDot = 226;

int TerminalColor(COLORREF color) {
  const bool red = (color & 0xFF) != 0;
  const bool green = (color & 0xFF00) != 0;
  return red && green ? kYellowDot : green ? kGreenDot : red ? kRedDot : kDarkDot;
}

}  // namespace

PreviewFrame RenderSignFrame(std::span<const LINE1_PROP> lines, const PreviewSettings& settings,
                             const PaintState& state) {
  PaintState slice = state;
  slice.h = 1;
  PreviewFrame sign = RenderPreviewFrame(lines, settings, slice);
  const std::optional<MODEL_PROP> model = FindMarqueeModel(settings.model);
  if (!model) return sign;
  sign.width = kColumnPixels * model->charsPerLine;
  for (int first = kViewColumns; first < model->charsPerLine; first += kViewColumns) {
    slice.h = first + 1;
    const PreviewFrame view = RenderPreviewFrame(lines, settings, slice);
    const int offset = first * kColumnPixels;
    for (const LitDot& dot : view.dots)
      if (offset + dot.x < sign.width) sign.dots.push_back({static_cast<int16_t>(offset + dot.x), dot.y, dot.color});
  }
  return sign;
}

PreviewFrame SignAnimation::NextFrame(std::span<const LINE1_PROP> lines, const PreviewSettings& settings) {
  m_blinkOn = !m_blinkOn;
  PreviewFrame frame = RenderSignFrame(lines, settings, {1, 1, m_blinkOn, m_scrollStep});
  m_scrollStep = frame.scrollStep;
  return frame;
}

std::string TerminalSignText(const PreviewFrame& frame) {
  const int columns = frame.width / kDotPixels;
  const int rows = frame.height / kDotPixels;
  std::vector<int> colors(static_cast<size_t>(columns * rows), kDarkDot);
  for (const LitDot& dot : frame.dots)
    colors[static_cast<size_t>(dot.y / kDotPixels * columns + dot.x / kDotPixels)] = TerminalColor(dot.color);

  std::string text;
  for (int row = 0; row < rows; row += 2) {
    int foreground = -1;
    int background = -1;
    for (int column = 0; column < columns; ++column) {
      const int upper = colors[static_cast<size_t>(row * columns + column)];
      const int lower = row + 1 < rows ? colors[static_cast<size_t>((row + 1) * columns + column)] : kDarkDot;
      if (upper != foreground) text += Format("\033[38;5;%dm", foreground = upper);
      if (lower != background) text += Format("\033[48;5;%dm", background = lower);
      text += "\u2580";
    }
    text += "\033[0m\n";
  }
  return text;
}
