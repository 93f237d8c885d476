#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "message/CommandMessage.h"

// Reads a whole command string the way the composer writes it: the address, the header
// (reset, line size, position, effect) at the front, the tail (scroll end mark,
// blink-off-at-end, flash) at the end, and the text with its inline codes between.
// Nothing fails: bytes that form no code where one may stand are text.
//
// For every string BuildCommandString makes, BuildCommandString(decoded.message) gives
// the same string back. Where the string cannot tell (a typed "^B1" at the front of a
// text whose message has no effect code reads the same as the blink effect), the code
// is taken as the attribute, which builds the same string; a code that the attribute
// could not have produced there (a line size without size codes in the text, a scroll
// effect without its end mark) stays in the text. A string from elsewhere that matches
// no reading exactly is read greedily, codes first.

struct CommandPiece {
  enum Kind { kAddress, kHeader, kText, kTail };
  Kind kind;
  std::string code;     // the bytes of the piece, exactly as in the string
  std::string meaning;  // in the program's own words, e.g. "Reset: Clear Display, Home cursor"
};

struct DecodedCommand {
  CommandMessage message;            // the address mode follows from the numbers when there is an address
  std::vector<CommandPiece> pieces;  // in string order; joined they give the string again
};

DecodedCommand DecodeCommandString(std::string_view commandString);
