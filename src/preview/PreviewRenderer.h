#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "message/CharProp.h"
#include "message/MsgAttributes.h"

// The message attributes the preview reads (values as in message/MsgAttributes.h).
struct PreviewSettings {
  int position = kPositionCenter;
  int startLine = 1;    // 1-based marquee line; used with kPositionStartingAt only
  int startColumn = 1;  // 1-based size-1 column; used with kPositionStartingAt only
  int effect = kEffectDefault;
  int model = 0;  // index into kMarqueeModels
};

// The state of one paint besides the lines and the attributes.
struct PaintState {
  int h = 1;               // horizontal scroll bar position, in size-1 columns
  int v = 1;               // vertical scroll bar position, in text lines
  bool blinkOn = true;     // false: blinking characters are hidden in this paint
  int64_t scrollStep = 0;  // step counter of the scroll effects; 0 after a restart
};

// One lit LED: the top-left pixel of its 4 × 4 square inside the matrix, and its colour.
struct LitDot {
  int16_t x;
  int16_t y;
  COLORREF color;

  bool operator==(const LitDot&) const = default;
};

// One animation frame: the matrix size in pixels and its lit dots, every square wholly
// inside the matrix. The background is black; dark dots are not listed.
struct PreviewFrame {
  int width = 0;
  int height = 0;
  std::vector<LitDot> dots;
  int64_t scrollStep = 0;  // the step counter for the next paint
};

// Draws one paint of the preview: lays the lines out for the model (blanks for "Center"
// and "Starting at", cutting to the model for the non-scrolling effects, the scroll
// shift for the scrolling ones) and draws them in the model's fonts and colours.
// lines: the editor's lines, not kept; empty gives a black matrix. Size codes outside 1 to
// 5 count as 1; only the low byte of a code and of the blink flag is used. Bar positions
// are held to the model's bar ranges; an unknown model index gives an empty 0 × 0 frame.
PreviewFrame RenderPreviewFrame(std::span<const LINE1_PROP> lines, const PreviewSettings& settings,
                                const PaintState& state);

// The animation across paints: the blink phase is on at construction and inverted before
// every paint (so the first paint hides blinking characters); a restart resets the scroll
// step but not the blink phase.
class CPreviewAnimation {
 public:
  void ResetScrollStep() { m_nScrollStep = 0; }
  PreviewFrame NextFrame(std::span<const LINE1_PROP> lines, const PreviewSettings& settings, int h, int v);

 private:
  bool m_bBlinkOn = true;
  int64_t m_nScrollStep = 0;
};
