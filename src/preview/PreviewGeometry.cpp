#include "preview/PreviewGeometry.h"

#include <algorithm>

int ScrollBarSetup::Hold(int requested) const {
  if (!visible) return 1;
  return std::clamp(requested, minimum, std::max(minimum, maximum));
}

int MatrixWidth(const MODEL_PROP& model) {
  return std::min(kViewWidth, kColumnPixels * model.charsPerLine);
}
int MatrixHeight(const MODEL_PROP& model) {
  return std::min(kViewHeight, kLinePixels * model.lines);
}

// A bar over `count` units of which the view shows `shown`: positions 1 to count − shown + 1.
static ScrollBarSetup BarSetup(int count, int shown) {
  ScrollBarSetup bar;
  bar.maximum = count - shown + 1;
  bar.visible = count > shown && bar.maximum > 1;
  return bar;
}

ScrollBarSetup HorizontalBarSetup(const MODEL_PROP& model) {
  return BarSetup(model.charsPerLine, 20);
}
ScrollBarSetup VerticalBarSetup(const MODEL_PROP& model) {
  return BarSetup(model.lines, 4);
}

PreviewWindowLayout LayOutPreviewWindow(const PixelRect& frame, int barThickness, const MODEL_PROP& model) {
  PreviewWindowLayout layout;
  const int left = frame.left + (frame.Width() - kViewWidth) / 2;
  layout.matrix = {left, frame.top, left + MatrixWidth(model), frame.top + MatrixHeight(model)};

  layout.horizontal = HorizontalBarSetup(model);
  layout.horizontal.rect = {layout.matrix.left, layout.matrix.bottom, layout.matrix.right,
                            layout.matrix.bottom + barThickness};
  layout.vertical = VerticalBarSetup(model);
  layout.vertical.rect = {layout.matrix.right, layout.matrix.top, layout.matrix.right + barThickness,
                          layout.matrix.bottom};
  return layout;
}
