#include "preview/PreviewLayout.h"

#include <algorithm>

#include "preview/FontGeometry.h"
#include "preview/PreviewGeometry.h"

int PreviewSizeCode(const CHAR_PROP& character) {
  return IsValidSizeCode(character.size) ? character.size : kMinSizeCode;
}

int LaidOutLine::Height() const {
  int height = blanks > 0 ? 1 : 0;
  for (const CHAR_PROP& character : chars) height = std::max(height, PreviewSizeCode(character));
  return height;
}

int64_t LaidOutLine::Width() const {
  int64_t width = blanks;
  for (const CHAR_PROP& character : chars) width += PreviewSizeCode(character);
  return width;
}

// The next step of the scroll effects: successive paints shift by 0, 1, ..., widest; then
// "Scroll Repeatedly" starts again at 0 and "Scroll once" stays unshifted.
static void Scroll(MessageLayout& layout, int effect, int64_t step) {
  int64_t widest = 0;
  for (const LaidOutLine& line : layout.lines) widest = std::max(widest, line.Width());
  step = std::max<int64_t>(step, 0);
  if (step > widest) {
    layout.scrollStep = effect == kEffectScrollOnce ? step : 1;
    layout.shift = 0;
  } else {
    layout.scrollStep = step + 1;
    layout.shift = step;
  }
}

// Keeps the lines whose heights add up to at most the model's lines (never more lines than
// it has), and in each the characters whose sizes add up to at most its columns.
static void CutToModel(MessageLayout& layout, const MODEL_PROP& model) {
  int total = 0;
  size_t kept = 0;
  while (kept < layout.lines.size() && kept < model.lines) {
    total += layout.lines[kept].Height();
    if (total > model.lines) break;
    ++kept;
  }
  layout.lines.resize(kept);

  for (LaidOutLine& line : layout.lines) {
    line.blanks = std::min<int64_t>(line.blanks, model.charsPerLine);
    int64_t width = line.blanks;
    size_t fits = 0;
    while (fits < line.chars.size() && width + PreviewSizeCode(line.chars[fits]) <= model.charsPerLine)
      width += PreviewSizeCode(line.chars[fits++]);
    line.chars = line.chars.first(fits);
  }
}

MessageLayout LayOutMessage(std::span<const LINE1_PROP> lines, const PreviewSettings& settings, const MODEL_PROP& model,
                            int64_t scrollStep) {
  MessageLayout layout;
  layout.scrollStep = scrollStep;
  if (lines.empty()) return layout;
  for (const LINE1_PROP& line : lines) layout.lines.push_back({0, line});

  if (settings.position == kPositionStartingAt) {
    // The first line's bottom goes on the start line; a higher first line is cut at the top.
    if (settings.startLine > 1)
      layout.top = (int64_t{settings.startLine} - layout.lines.front().Height()) * kLinePixels;
    if (settings.startColumn > 1)
      for (LaidOutLine& line : layout.lines) line.blanks = int64_t{settings.startColumn} - 1;
  } else if (settings.position == kPositionCenter) {
    for (LaidOutLine& line : layout.lines) line.blanks = std::max<int64_t>(0, (model.charsPerLine - line.Width()) / 2);
  }

  if (IsScrollEffect(settings.effect))
    Scroll(layout, settings.effect, scrollStep);
  else
    CutToModel(layout, model);
  return layout;
}
