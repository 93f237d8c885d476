#include "message/InlineCodes.h"

#include "common/Text.h"

namespace {

std::string_view ColorCode(COLORREF color) {
  if (color == kColorYellow) return "^dC3";
  if (color == kColorGreen) return "^dC2";
  return "^dC1";
}

// Calls emit(token, state) for every token of the walk, in order; state holds the size,
// colour and blink in force after the token (for a character: its own attributes).
template <typename Emit>
void WalkInlineText(std::string_view text, Emit&& emit) {
  static constexpr COLORREF kCodeColors[] = {kColorRed, kColorGreen, kColorYellow};
  CHAR_PROP state;
  size_t i = 0;
  auto follows = [&](std::string_view code) { return text.compare(i, code.size(), code) == 0; };
  auto digitAt = [&](size_t at, char low, char high) {
    return at < text.size() && text[at] >= low && text[at] <= high;
  };
  auto token = [&](InlineToken::Kind kind, size_t length) {
    emit(InlineToken{kind, i, length}, state);
    i += length;
  };
  while (i < text.size()) {
    if (i + 2 == text.size() && follows("^N")) {
      token(InlineToken::kFinalLineBreak, 2);
    } else if (follows("^dC") && digitAt(i + 3, '1', '3')) {
      state.color = kCodeColors[text[i + 3] - '1'];
      token(InlineToken::kColor, 4);
    } else if (follows("^X") && i + 2 < text.size()) {
      state.blink = text[i + 2] == '1' ? 1 : 0;
      token(InlineToken::kBlink, 3);
    } else if (follows("^K") && digitAt(i + 2, '0', '3')) {
      state.size = text[i + 2] - '0' + 1;
      token(InlineToken::kSize, 3);
    } else if (follows("^N")) {
      token(InlineToken::kLineBreak, 2);
    } else if (text[i] == '\x1B') {
      token(InlineToken::kEscape, 1);
    } else {
      state.character = static_cast<unsigned char>(text[i]);
      token(InlineToken::kCharacter, 1);
    }
  }
}

// The walk as the pieces the editor and the summary take.
template <typename Emit>
void WalkInlinePieces(std::string_view text, Emit&& emit) {
  WalkInlineText(text, [&](const InlineToken& token, const CHAR_PROP& state) {
    if (token.kind == InlineToken::kCharacter) emit(InlinePiece{false, state});
    if (token.kind == InlineToken::kLineBreak) emit(InlinePiece{true, {}});
  });
}

}  // namespace

std::string EncodeInlineText(const std::vector<LINE1_PROP>& lines) {
  std::string text;
  int size = 1;
  COLORREF color = kColorRed;
  bool blink = false;
  for (size_t n = 0; n < lines.size(); ++n) {
    if (n > 0) text += "^N";
    bool lineStart = true;
    for (const CHAR_PROP& c : lines[n]) {
      if (lineStart || c.size != size) {
        text += Format("^K%lld", static_cast<long long>(c.size) - 1);
        size = c.size;
      }
      if (lineStart || c.color != color) {
        text += ColorCode(c.color);
        color = c.color;
      }
      if ((c.blink != 0) != blink) {
        blink = c.blink != 0;
        text += blink ? "^X1" : "^X0";
      }
      text += static_cast<char>(c.character & 0xFF);
      lineStart = false;
    }
  }
  return text;
}

std::vector<InlinePiece> DecodeInlineText(std::string_view textWithCodes) {
  std::vector<InlinePiece> pieces;
  pieces.reserve(textWithCodes.size());
  WalkInlinePieces(textWithCodes, [&](const InlinePiece& piece) { pieces.push_back(piece); });
  return pieces;
}

std::vector<LINE1_PROP> DecodeInlineLines(std::string_view textWithCodes) {
  std::vector<LINE1_PROP> lines(1);
  WalkInlinePieces(textWithCodes, [&](const InlinePiece& piece) {
    if (piece.isLineBreak)
      lines.emplace_back();
    else
      lines.back().push_back(piece.character);
  });
  return lines;
}

std::string SummaryOfInlineText(std::string_view textWithCodes) {
  std::string summary;
  WalkInlinePieces(textWithCodes, [&](const InlinePiece& piece) {
    summary += piece.isLineBreak ? '\xB6' : static_cast<char>(piece.character.character);
  });
  return summary;
}

std::vector<InlineToken> TokenizeInlineText(std::string_view textWithCodes) {
  std::vector<InlineToken> tokens;
  WalkInlineText(textWithCodes, [&](const InlineToken& token, const CHAR_PROP&) { tokens.push_back(token); });
  return tokens;
}
