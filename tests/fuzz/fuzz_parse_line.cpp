// Reading a stored line and decoding its inline codes over arbitrary bytes: no crash, no
// hang; both ways of reading agree, and so do the decoded views; and what the editor and
// the encoder produce reads back.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "message/CMsgObjDBList.h"
#include "message/InlineCodes.h"

static void Require(bool condition) {
  if (!condition) std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view line(reinterpret_cast<const char*>(data), size);
  CMsgObjDBList record;
  std::string text = record.ParseLine(line);
  record.m_strText[0] = text;

  // The one-pass reading must never differ from the step-by-step one.
  MessageCodes steps;
  Require(ParseStoredLineStepByStep(line, steps) == text && steps == record.Codes());

  std::vector<InlinePiece> pieces = DecodeInlineText(text);
  std::vector<LINE1_PROP> lines = DecodeInlineLines(text);
  size_t breaks =
      static_cast<size_t>(std::count_if(pieces.begin(), pieces.end(), [](auto& p) { return p.isLineBreak; }));
  Require(lines.size() == breaks + 1);
  Require(SummaryOfInlineText(text).size() == pieces.size());

  // Lines without typed carets (which may read as codes) and without an empty last line
  // (which loading drops) come back from their text with inline codes.
  bool typedCaret =
      std::any_of(pieces.begin(), pieces.end(), [](auto& p) { return !p.isLineBreak && p.character.character == '^'; });
  if (!typedCaret && (lines.size() == 1 || !lines.back().empty()))
    Require(DecodeInlineLines(EncodeInlineText(lines)) == lines);

  // A text without carets stores and reads back with all its attributes.
  if (text.find('^') == std::string::npos) {
    CMsgObjDBList reread;
    Require(reread.ParseLine(record.EncodeLine(0)) == text);
    MessageCodes expected = record.Codes();
    MessageCodes actual = reread.Codes();
    if (expected.position != 2) {
      expected.clearLine = actual.clearLine;
      expected.line = actual.line;
      expected.column = actual.column;
    }
    Require(actual == expected);
  }
  return 0;
}
