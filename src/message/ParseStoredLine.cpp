// Reading a stored line back into its attributes and text. The steps are written once,
// over two views of the line that answer alike: the whole string (WholeLine), and the
// codes found in it in one pass (CodedLine), which is far quicker and takes every line
// the encoder and the editor produce.

#include "message/CodedLine.h"
#include "message/CommandCodes.h"
#include "message/CommandString.h"
#include "message/MsgAttributes.h"
#include "message/WholeLine.h"

namespace {

// The first code of a value-indexed table present in the line gives its value and is
// removed everywhere; none gives 0.
template <typename Line, size_t N>
int TakeFirstCode(Line& line, const std::array<LineCode, N>& codes) {
  for (size_t value = 1; value < N; ++value) {
    if (line.Has(codes[value])) {
      line.RemoveAll(codes[value]);
      return static_cast<int>(value);
    }
  }
  return 0;
}

// The steps, in their order. False when the view cannot go on.
template <typename Line>
bool ReadCodes(Line& line, MessageCodes& codes) {
  codes.clearLine = line.Has(kClearLineMark);
  for (const LineCode& code : kLineSizeCodes) line.RemoveAll(code);
  codes.resetMode = TakeFirstCode(line, kResetCodes);

  if (line.BeginsWith(kCenterCode)) {
    codes.position = kPositionCenter;
    line.RemoveAll(kCenterCode);
  } else if (line.BeginsWith(codes.clearLine ? kStartingAtClearLineCode : kStartingAtCode)) {
    codes.position = kPositionStartingAt;
    line.RemoveAll(kStartingAtClearLineCode);
    line.RemoveAll(kStartingAtCode);
    if (!line.TakeTwoDigitNumber(codes.line) || !line.TakeTwoDigitNumber(codes.column)) return false;
  } else {
    codes.position = kPositionDefault;
  }

  // The blink codes count anywhere in the line, the scroll codes only at its start.
  codes.effect = kEffectDefault;
  for (int effect : {kEffectBlink, kEffectBlinkOff, kEffectScrollRepeatedly, kEffectScrollOnce}) {
    const LineCode& code = kEffectCodes[static_cast<size_t>(effect)];
    if (IsScrollEffect(effect) ? line.BeginsWith(code) : line.Has(code)) {
      codes.effect = effect;
      line.RemoveAll(code);
      break;
    }
  }

  // The flash code follows the end mark, so it comes off first; otherwise a scrolling
  // message with a flash code would keep its end mark and grow a line per save.
  codes.flashMode = TakeFirstCode(line, kFlashCodes);
  if (IsScrollEffect(codes.effect)) line.DropEndMark();
  return true;
}

}  // namespace

std::string ParseStoredLineStepByStep(std::string_view storedLine, MessageCodes& codes) {
  WholeLine line(storedLine);
  ReadCodes(line, codes);
  return std::move(line).Text();
}

std::string ParseStoredLine(std::string_view storedLine, MessageCodes& codes) {
  CodedLine line(storedLine);
  MessageCodes read = codes;
  if (!line.Find() || !ReadCodes(line, read)) return ParseStoredLineStepByStep(storedLine, codes);
  codes = read;
  return line.Text();
}
