#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "message/CharProp.h"
#include "preview/MarqueeModels.h"
#include "preview/PreviewRenderer.h"

// The size code the preview draws a character with: 1 to 5; any other value counts as 1.
int PreviewSizeCode(const CHAR_PROP& character);

// One line as the preview lays it out: `blanks` blank characters (size 1, code 32, nothing
// lit) in front of `chars`, a prefix of the source line.
struct LaidOutLine {
  int64_t blanks = 0;
  std::span<const CHAR_PROP> chars;

  // Text lines: the largest size code, a size-5 character counting 5; 0 for an empty line.
  int Height() const;
  // Size-1 columns: the sum of the size codes, blanks included, size 5 counting 5.
  int64_t Width() const;
};

struct MessageLayout {
  std::vector<LaidOutLine> lines;
  int64_t top = 0;         // pixel row of the first line's top (y0); moved by "Starting at"
  int64_t shift = 0;       // size-1 columns the scrolling effects shift the message left by
  int64_t scrollStep = 0;  // the step counter for the next paint
};

// Lays the lines out for the model: blanks in front for "Center" and "Starting at", the
// start line for "Starting at", then either the scroll shift (scrolling effects, which
// advance scrollStep) or cutting to the model's lines and columns (every other effect).
// Empty source lines give an empty layout.
MessageLayout LayOutMessage(std::span<const LINE1_PROP> lines, const PreviewSettings& settings, const MODEL_PROP& model,
                            int64_t scrollStep);
