#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "message/CharProp.h"

// The inline text codes: per-character size ("^K" size - 1), colour ("^dC1" red,
// "^dC2" green, "^dC3" yellow), blinking ("^X1"/"^X0") and line breaks ("^N").

// Text with inline codes for the editor's lines. Size and colour codes open every line
// and mark every change; blinking is sent only when it changes and carries over lines.
// A colour that is none of the three is written as red ("^dC1"). Lines are joined by
// "^N", so a last line that is empty leaves the text ending in "^N". No lines, or one
// empty line, give an empty text.
std::string EncodeInlineText(const std::vector<LINE1_PROP>& lines);

// One decoded piece: a character with its attributes (character code 0 to 255), or a
// line break.
struct InlinePiece {
  bool isLineBreak = false;
  CHAR_PROP character;
};

// Walks a text with inline codes from size 1, red, no blinking. A final "^N" (an empty
// last line) is dropped; "^K4" is not a code and shows as its three characters; the
// escape byte 0x1B is skipped; every other byte that is not part of a code is a
// character.
std::vector<InlinePiece> DecodeInlineText(std::string_view textWithCodes);

// One step of that walk: the bytes at offset, length long, and what they are.
struct InlineToken {
  enum Kind {
    kCharacter,
    kSize,            // "^K0" to "^K3"
    kColor,           // "^dC1" to "^dC3"
    kBlink,           // "^X" and any character: "^X1" on, anything else off
    kLineBreak,       // "^N"
    kFinalLineBreak,  // a "^N" that ends the text: dropped
    kEscape,          // the byte 0x1B: skipped
  };
  Kind kind;
  size_t offset;
  size_t length;
};
std::vector<InlineToken> TokenizeInlineText(std::string_view textWithCodes);

// The lines the editor holds after loading the text: always at least one line.
std::vector<LINE1_PROP> DecodeInlineLines(std::string_view textWithCodes);

// The text as plain characters, with the pilcrow 0xB6 for each line break.
std::string SummaryOfInlineText(std::string_view textWithCodes);
