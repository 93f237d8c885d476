#include "preview/PreviewRenderer.h"

#include <algorithm>

#include "preview/FontGeometry.h"
#include "preview/LedFont.h"
#include "preview/PreviewGeometry.h"
#include "preview/PreviewLayout.h"

namespace {

constexpr int kBlankCode = 32;

// Collects the lit dots of characters drawn at pixel positions, keeping only dots whose
// square lies wholly inside the matrix.
class DotCollector {
 public:
  explicit DotCollector(PreviewFrame& frame) : m_frame(frame) {}

  // Draws the glyph box of a character with its top-left pixel at (x, y).
  void DrawCharacter(int sizeCode, int code, COLORREF color, int64_t x, int64_t y) {
    if (!HasGlyph(code)) return;
    const FontGeometry& geometry = FontGeometryOf(sizeCode);
    if (x >= m_frame.width || y >= m_frame.height || x + geometry.BoxColumns() * kDotPixels <= 0 ||
        y + geometry.BoxRows() * kDotPixels <= 0)
      return;
    for (int cellRow = 0; cellRow < geometry.cellsHigh; ++cellRow) {
      for (int cellColumn = 0; cellColumn < geometry.cellsWide; ++cellColumn) {
        const CellRows rows = GlyphCellRows(sizeCode, code, cellRow, cellColumn);
        const int64_t cellX = x + kColumnPixels * cellColumn;
        const int64_t cellY = y + kDotPixels * geometry.cellsHigh + 7 * kDotPixels * cellRow;
        for (int r = 0; r < 7; ++r)
          for (int dot = 0; dot < 6; ++dot)
            if (rows[static_cast<size_t>(r)] & (0x20 >> dot))
              Plot(cellX + kDotPixels * dot, cellY + kDotPixels * r, color);
      }
    }
  }

 private:
  void Plot(int64_t x, int64_t y, COLORREF color) {
    if (x < 0 || y < 0 || x + kDotPixels > m_frame.width || y + kDotPixels > m_frame.height) return;
    m_frame.dots.push_back({static_cast<int16_t>(x), static_cast<int16_t>(y), color});
  }

  PreviewFrame& m_frame;
};

struct DrawRules {
  bool tricolor;
  bool hideBlinking;       // blinking characters are off in this paint
  bool blinkWholeMessage;  // every character blinks
  bool blinkFlagsApply;    // the characters' own blink flags count
};

struct DrawnCharacter {
  int sizeCode;
  int code;
  COLORREF color;
};

DrawnCharacter Resolve(const CHAR_PROP& character, const DrawRules& rules) {
  const bool blinks = rules.blinkWholeMessage || (rules.blinkFlagsApply && (character.blink & 0xFF) != 0);
  return {PreviewSizeCode(character), rules.hideBlinking && blinks ? kBlankCode : character.character & 0xFF,
          rules.tricolor ? SignColorOf(character.color) : kColorRed};
}

// Draws one laid-out line whose top is at screen row `top`. hx: the pixel column of the
// message at the view's left edge. Characters sit on the bottom of the line; the first
// visible one may be cut at the left edge; drawing stops past the view's right edge.
void DrawLine(const LaidOutLine& line, int64_t top, int64_t hx, const DrawRules& rules, DotCollector& dots) {
  const int height = line.Height();
  int64_t x = 0;        // logical pixel column of the next character
  int64_t screenX = 0;  // where it is drawn

  // Leading blanks light nothing: skip those wholly left of the view in one go.
  int64_t blanks = line.blanks;
  if (hx > 0) {
    const int64_t leftOfView = std::min(blanks, hx / kColumnPixels);
    blanks -= leftOfView;
    x = leftOfView * kColumnPixels;
  }
  const CHAR_PROP blank{1, kBlankCode, kColorRed, 0};
  const size_t count = static_cast<size_t>(blanks) + line.chars.size();
  for (size_t i = 0; i < count; ++i) {
    const bool isBlank = i < static_cast<size_t>(blanks);
    const DrawnCharacter drawn = Resolve(isBlank ? blank : line.chars[i - static_cast<size_t>(blanks)], rules);
    const FontGeometry& geometry = FontGeometryOf(drawn.sizeCode);
    const int width = kColumnPixels * geometry.cellsWide;
    if (hx >= x + width) {
      x += width;
      continue;
    }
    if (hx >= x) screenX -= hx - x;
    if (screenX > kViewWidth) break;
    dots.DrawCharacter(drawn.sizeCode, drawn.code, drawn.color, screenX,
                       top + kLinePixels * (height - geometry.cellsHigh));
    screenX += width;
    x += width;
  }
}

}  // namespace

PreviewFrame RenderPreviewFrame(std::span<const LINE1_PROP> lines, const PreviewSettings& settings,
                                const PaintState& state) {
  PreviewFrame frame;
  frame.scrollStep = state.scrollStep;
  const std::optional<MODEL_PROP> model = FindMarqueeModel(settings.model);
  if (!model) return frame;
  frame.width = MatrixWidth(*model);
  frame.height = MatrixHeight(*model);

  const MessageLayout layout = LayOutMessage(lines, settings, *model, state.scrollStep);
  frame.scrollStep = layout.scrollStep;

  const int h = HorizontalBarSetup(*model).Hold(state.h);
  const int v = VerticalBarSetup(*model).Hold(state.v);
  const int64_t hx = (h - 1 + layout.shift) * kColumnPixels;
  const int64_t vy = int64_t{v - 1} * kLinePixels;

  const DrawRules rules{model->tricolor != 0, !state.blinkOn, settings.effect == kEffectBlink,
                        settings.effect != kEffectBlinkOff};
  DotCollector dots(frame);
  int64_t y = layout.top;  // logical top of the next line
  for (const LaidOutLine& line : layout.lines) {
    const int64_t height = int64_t{line.Height()} * kLinePixels;
    // The screen top is the logical top less the vertical offset for every line, also for a
    // first line that "Starting at" moved above the view, so its bottom stays on the start line.
    const int64_t top = y - vy;
    if (top > kViewHeight) break;
    if (top + height > 0) DrawLine(line, top, hx, rules, dots);
    y += height;
  }
  return frame;
}

PreviewFrame CPreviewAnimation::NextFrame(std::span<const LINE1_PROP> lines, const PreviewSettings& settings, int h,
                                          int v) {
  m_bBlinkOn = !m_bBlinkOn;
  PreviewFrame frame = RenderPreviewFrame(lines, settings, {h, v, m_bBlinkOn, m_nScrollStep});
  m_nScrollStep = frame.scrollStep;
  return frame;
}
