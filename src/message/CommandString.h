#pragma once

#include <string>
#include <string_view>

// The marquee command language: header and tail codes around a text with inline codes.
// Both the composer's command string and the stored line of a database record are
// built here, and a stored line is read back here. Nothing fails: any input gives a
// string or a set of attributes.

// The attributes that a message's header and tail codes carry (values of the
// enumerations in MsgAttributes.h; other values follow the same rules).
struct MessageCodes {
  int resetMode = 0;
  int position = 0;
  int line = 0;  // with position "Starting at": two digits each
  int column = 0;
  bool clearLine = false;
  int effect = 0;
  int flashMode = 0;

  bool operator==(const MessageCodes&) const = default;
};

// The codes of a message record or the current message, which name these fields alike.
template <typename Message>
MessageCodes CodesOf(const Message& m) {
  return {m.m_nResetMode, m.m_nPosition, m.m_nLine, m.m_nColumn, m.m_bClearLine, m.m_nEffect, m.m_nFlashMode};
}

template <typename Message>
void SetCodesOf(Message& m, const MessageCodes& codes) {
  m.m_nResetMode = codes.resetMode;
  m.m_nPosition = codes.position;
  m.m_nLine = codes.line;
  m.m_nColumn = codes.column;
  m.m_bClearLine = codes.clearLine;
  m.m_nEffect = codes.effect;
  m.m_nFlashMode = codes.flashMode;
}

// "^A" with the group as "%02d" and the unit as "%04d".
std::string AddressCode(int group, int unit);

// Header (reset, line size, position, effect), the text, then the tail (scroll end
// mark, "^B0" when blinkOffAtEnd, flash). The text is copied as given.
std::string EncodeMessageBody(const MessageCodes& codes, std::string_view textWithCodes, bool blinkOffAtEnd);

// Reads a stored line back: sets every field of codes from the line's codes (line
// and column only when the position is "Starting at"; otherwise they are left as
// they are) and returns what remains, the text with its inline codes. Caret
// sequences in the text that look like header or tail codes are taken as such.
// Reads a line in one pass when the result is sure to equal the step-by-step reading
// below, and falls back to that reading otherwise.
std::string ParseStoredLine(std::string_view storedLine, MessageCodes& codes);

// The same reading, step by step: each step searches and edits the whole line, so a
// removal can join characters into a new code that a later step then finds.
std::string ParseStoredLineStepByStep(std::string_view storedLine, MessageCodes& codes);
