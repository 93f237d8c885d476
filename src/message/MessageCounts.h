#pragma once

#include <cstddef>
#include <vector>

#include "message/CharProp.h"

// What the composer shows under the message editor, in marquee terms: a line is as many
// marquee lines high as its largest character's size code (an empty line counts 1), and a
// character as many columns wide as its size code.
struct MessageCounts {
  int lines = 0;        // the heights of all lines added up
  int characters = 0;   // the widths of all characters added up
  int caretLine = 0;    // the heights of the lines up to and including the caret's
  int caretColumn = 0;  // the widths of the characters before the caret in its line (0 at the line start)

  bool operator==(const MessageCounts&) const = default;
};

// Counts the editor's lines with the caret in line caretLineIndex (0-based) after
// caretCharIndex characters of that line. A line index beyond the lines counts as the last
// line, a character index beyond its line as the line's end. No lines count nothing.
MessageCounts CountMessage(const std::vector<LINE1_PROP>& lines, size_t caretLineIndex, size_t caretCharIndex);
