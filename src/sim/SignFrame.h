#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "message/CharProp.h"
#include "preview/PreviewRenderer.h"

// Frames of the whole sign. The preview renderer draws a view of at most 20 columns; a
// wider model is drawn as views side by side, so the simulator shows every dot at once.

// The whole sign: 24 pixels per character and 32 per line of the model (settings.model),
// lit dots as the renderer draws them. An unknown model gives an empty 0 × 0 frame.
PreviewFrame RenderSignFrame(std::span<const LINE1_PROP> lines, const PreviewSettings& settings,
                             const PaintState& state);

// The animation across ticks, as the preview's: the blink phase inverted before every
// frame (the first frame hides blinking characters), the scroll step advanced by every
// frame of a scrolling effect.
class SignAnimation {
 public:
  // The display changed: scrolling starts over.
  void RestartScroll() { m_scrollStep = 0; }
  // The marquee was reset: blinking and scrolling start over.
  void Restart() { *this = SignAnimation(); }
  PreviewFrame NextFrame(std::span<const LINE1_PROP> lines, const PreviewSettings& settings);

 private:
  bool m_blinkOn = true;
  int64_t m_scrollStep = 0;
};

// A frame for a terminal with ANSI 256 colours: one character per dot column and two dot
// rows per text row (the upper half block, its foreground the upper dot and its background
// the lower one), lit dots in red, green or yellow, dark dots in dark grey. Each row ends
// with a colour reset and a newline.
std::string TerminalSignText(const PreviewFrame& frame);
