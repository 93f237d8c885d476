#include "preview/FrameText.h"

#include "preview/PreviewGeometry.h"

static char DotLetter(COLORREF color) {
  const bool red = (color & 0xFF) != 0;
  const bool green = (color & 0xFF00) != 0;
  return red && green ? 'Y' : green ? 'G' : red ? 'R' : '.';
}

std::vector<std::string> FrameDotRows(const PreviewFrame& frame) {
  std::vector<std::string> rows(static_cast<size_t>(frame.height / kDotPixels),
                                std::string(static_cast<size_t>(frame.width / kDotPixels), '.'));
  for (const LitDot& dot : frame.dots)
    rows[static_cast<size_t>(dot.y / kDotPixels)][static_cast<size_t>(dot.x / kDotPixels)] = DotLetter(dot.color);
  return rows;
}
