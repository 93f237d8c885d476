#include "message/CommandDecoder.h"

#include <algorithm>
#include <array>

#include "common/Text.h"
#include "message/CommandCodes.h"
#include "message/InlineCodes.h"

namespace {

bool AllDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The index of the first table code the text starts with; 0 (the "nothing" entry) for none.
template <size_t N>
size_t LeadingCode(std::string_view text, const std::array<LineCode, N>& codes) {
  for (size_t value = 1; value < N; ++value)
    if (text.starts_with(codes[value].text)) return value;
  return 0;
}

class Decoder {
 public:
  explicit Decoder(std::string_view text) : m_rest(text) {}

  // Where the header may end: the text begins at the first byte that is no header code
  // or, when a code there belongs to the text, earlier.
  enum HeaderEnd { kAfterEffect, kAfterPosition, kAfterReset };

  DecodedCommand Run(HeaderEnd end) {
    ReadAddress();
    ReadReset();
    m_decoded.message.codes.position = kPositionDefault;
    if (end != kAfterReset) {
      ReadLineSize();
      ReadPosition();
      if (end == kAfterEffect) ReadEffect();
    }
    ReadTail();
    ReadText();
    std::reverse(m_tail.begin(), m_tail.end());
    m_decoded.pieces.insert(m_decoded.pieces.end(), m_tail.begin(), m_tail.end());
    return std::move(m_decoded);
  }

 private:
  std::string Take(size_t length) {
    std::string code(m_rest.substr(0, length));
    m_rest.remove_prefix(length);
    return code;
  }

  void Add(CommandPiece::Kind kind, std::string code, std::string meaning) {
    m_decoded.pieces.push_back({kind, std::move(code), std::move(meaning)});
  }

  void ReadAddress() {
    CommandMessage& message = m_decoded.message;
    if (!m_rest.starts_with("^A") || m_rest.size() < 8 || !AllDigits(m_rest.substr(2, 6))) {
      message.addressMode = kAddressDefault;
      return;
    }
    message.group = LeadingInt(m_rest.substr(2, 2));
    message.unit = LeadingInt(m_rest.substr(4, 4));
    message.addressMode = message.unit != 0    ? kAddressSpecificUnit
                          : message.group != 0 ? kAddressSpecificGroup
                                               : kAddressBroadcast;
    Add(CommandPiece::kAddress, Take(8),
        Format("Address: group %d, unit %d (%s)", message.group, message.unit,
               std::string(kAddressModeNames[static_cast<size_t>(message.addressMode)]).c_str()));
  }

  void ReadReset() {
    size_t reset = LeadingCode(m_rest, kResetCodes);
    if (reset == 0) return;
    m_decoded.message.codes.resetMode = static_cast<int>(reset);
    Add(CommandPiece::kHeader, Take(kResetCodes[reset].text.size()),
        "Display Mode: " + std::string(kResetModeNames[reset]));
  }

  void ReadLineSize() {
    for (size_t size = 0; size < kLineSizeCodes.size(); ++size) {
      if (!m_rest.starts_with(kLineSizeCodes[size].text)) continue;
      Add(CommandPiece::kHeader, Take(kLineSizeCodes[size].text.size()),
          Format("Line size: the largest character is size %zu%s", size + 1, size == 3 ? " or 5" : ""));
      return;
    }
  }

  void ReadPosition() {
    MessageCodes& codes = m_decoded.message.codes;
    if (m_rest.starts_with(kCenterCode.text)) {
      codes.position = kPositionCenter;
      Add(CommandPiece::kHeader, Take(kCenterCode.text.size()), "Position: Center");
      return;
    }
    for (const LineCode* code : {&kStartingAtCode, &kStartingAtClearLineCode}) {
      size_t length = code->text.size();
      if (!m_rest.starts_with(code->text) || m_rest.size() < length + 4 || !AllDigits(m_rest.substr(length, 4)))
        continue;
      codes.position = kPositionStartingAt;
      codes.clearLine = code == &kStartingAtClearLineCode;
      codes.line = LeadingInt(m_rest.substr(length, 2));
      codes.column = LeadingInt(m_rest.substr(length + 2, 2));
      Add(CommandPiece::kHeader, Take(length + 4),
          Format("Position: Starting at line %d, column %d%s", codes.line, codes.column,
                 codes.clearLine ? ", Clear Message on line" : ""));
      return;
    }
  }

  void ReadEffect() {
    size_t effect = LeadingCode(m_rest, kEffectCodes);
    if (effect == 0) return;
    m_decoded.message.codes.effect = static_cast<int>(effect);
    Add(CommandPiece::kHeader, Take(kEffectCodes[effect].text.size()), "Effect: " + std::string(kEffectNames[effect]));
  }

  // From the end, in the reverse of the order the encoder writes the tail.
  void ReadTail() {
    CommandMessage& message = m_decoded.message;
    auto takeBack = [&](std::string_view code, std::string meaning) {
      if (!m_rest.ends_with(code)) return false;
      m_rest.remove_suffix(code.size());
      m_tail.push_back({CommandPiece::kTail, std::string(code), std::move(meaning)});
      return true;
    };
    for (size_t flash = 1; flash < kFlashCodes.size(); ++flash) {
      if (takeBack(kFlashCodes[flash].text, "FlashStore Mode: " + std::string(kFlashModeNames[flash]))) {
        message.codes.flashMode = static_cast<int>(flash);
        break;
      }
    }
    message.blinkOffAtEnd = takeBack(kBlinkOffAtEndCode, "Turn Blink Off at end");
    if (IsScrollEffect(message.codes.effect)) takeBack(kEndMark, "End of the scrolling text");
  }

  void ReadText() {
    std::string& text = m_decoded.message.text;
    text = std::string(m_rest);
    std::string plain;
    auto flushPlain = [&] {
      if (!plain.empty()) Add(CommandPiece::kText, std::move(plain), "Text");
      plain.clear();
    };
    for (const InlineToken& token : TokenizeInlineText(text)) {
      std::string code = text.substr(token.offset, token.length);
      if (token.kind == InlineToken::kCharacter) {
        plain += code;
        continue;
      }
      flushPlain();
      Add(CommandPiece::kText, code, TokenMeaning(token.kind, code));
    }
    flushPlain();
  }

  static std::string TokenMeaning(InlineToken::Kind kind, std::string_view code) {
    switch (kind) {
      case InlineToken::kSize:
        return Format("Character size %d", code[2] - '0' + 1);
      case InlineToken::kColor:
        return "Colour " + std::string(code[3] == '1' ? "red" : code[3] == '2' ? "green" : "yellow");
      case InlineToken::kBlink:
        return code[2] == '1' ? "Blinking on" : "Blinking off";
      case InlineToken::kLineBreak:
        return "New line";
      case InlineToken::kFinalLineBreak:
        return "New line (an empty last line)";
      case InlineToken::kEscape:
        return "Escape byte (skipped)";
      case InlineToken::kCharacter:
        break;
    }
    return "Text";
  }

  std::string_view m_rest;
  DecodedCommand m_decoded;
  std::vector<CommandPiece> m_tail;  // last piece first
};

}  // namespace

DecodedCommand DecodeCommandString(std::string_view commandString) {
  // Codes at the front of the text read as header codes, which builds the same string,
  // except where the header would then need what the string lacks: a line-size code is
  // written only for a text with size codes, a scroll effect only with its end mark.
  // Then the code is the text's own.
  DecodedCommand greedy = Decoder(commandString).Run(Decoder::kAfterEffect);
  if (BuildCommandString(greedy.message) == commandString) return greedy;
  for (Decoder::HeaderEnd end : {Decoder::kAfterPosition, Decoder::kAfterReset}) {
    DecodedCommand decoded = Decoder(commandString).Run(end);
    if (BuildCommandString(decoded.message) == commandString) return decoded;
  }
  return greedy;
}
