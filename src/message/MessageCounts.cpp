#include "message/MessageCounts.h"

#include <algorithm>

namespace {

int HeightOf(const LINE1_PROP& line) {
  int height = 1;
  for (const CHAR_PROP& c : line) height = std::max(height, c.size);
  return height;
}

int WidthOf(const LINE1_PROP& line, size_t count) {
  int width = 0;
  for (size_t i = 0; i < count; ++i) width += line[i].size;
  return width;
}

}  // namespace

MessageCounts CountMessage(const std::vector<LINE1_PROP>& lines, size_t caretLineIndex, size_t caretCharIndex) {
  MessageCounts counts;
  if (lines.empty()) return counts;
  const size_t caretLine = std::min(caretLineIndex, lines.size() - 1);
  for (size_t i = 0; i < lines.size(); ++i) {
    const int height = HeightOf(lines[i]);
    counts.lines += height;
    counts.characters += WidthOf(lines[i], lines[i].size());
    if (i <= caretLine) counts.caretLine += height;
  }
  const LINE1_PROP& line = lines[caretLine];
  counts.caretColumn = WidthOf(line, std::min(caretCharIndex, line.size()));
  return counts;
}
