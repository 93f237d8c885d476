#pragma once

#include "preview/MarqueeModels.h"

// Pixel geometry of the preview matrix: one LED dot is a 4 × 4 pixel square, a text line
// (8 dot rows) 32 pixels high, a size-1 column (6 dot columns) 24 pixels wide. The view
// shows at most 20 columns by 4 lines, 480 × 128 pixels.
constexpr int kDotPixels = 4;
constexpr int kLinePixels = 32;
constexpr int kColumnPixels = 24;
constexpr int kViewWidth = 480;
constexpr int kViewHeight = 128;

// A rectangle in window client pixels; right and bottom are exclusive.
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const PixelRect&) const = default;
};

// What a scroll bar is set to: its place, its range, page and position, and whether shown.
struct ScrollBarSetup {
  PixelRect rect;
  int minimum = 1;
  int maximum = 1;
  int page = 1;
  int position = 1;
  bool visible = false;

  // The position the bar reports after being asked to move to `requested`: clamped to the
  // range; a hidden bar cannot move and stays at 1.
  int Hold(int requested) const;
};

// The preview window's layout for a model: the matrix rectangle and both scroll bars.
struct PreviewWindowLayout {
  PixelRect matrix;
  ScrollBarSetup horizontal;  // scrolls whole size-1 columns of 40-character models
  ScrollBarSetup vertical;    // scrolls whole text lines; no model needs it
};

// Matrix size in pixels: 24 per character and 32 per line, at most 480 × 128.
int MatrixWidth(const MODEL_PROP& model);
int MatrixHeight(const MODEL_PROP& model);

// The bars as a restart configures them (range 1 to M − 19 across, 1 to L − 3 down), with
// empty rectangles.
ScrollBarSetup HorizontalBarSetup(const MODEL_PROP& model);
ScrollBarSetup VerticalBarSetup(const MODEL_PROP& model);

// Lays the window out on a restart. frame: the placeholder frame's rectangle, in which the
// 480-pixel view is centred across (truncating), at the frame's top; the matrix keeps its
// left edge when the model is narrower or lower than the view. barThickness: the vertical
// bar's width, used for both bars. The horizontal bar lies below the matrix, the vertical
// bar at its right.
PreviewWindowLayout LayOutPreviewWindow(const PixelRect& frame, int barThickness, const MODEL_PROP& model);
