#include "sim/SimDisplay.h"

#include <algorithm>

namespace {

constexpr int32_t kBlankCode = ' ';

void AppendCapped(LINE1_PROP& line, const LINE1_PROP& more) {
  const size_t room = kMaxLineCharacters - std::min(kMaxLineCharacters, line.size());
  line.insert(line.end(), more.begin(), more.begin() + static_cast<std::ptrdiff_t>(std::min(room, more.size())));
}

void ApplyReset(SimDisplay& display, int resetMode) {
  switch (resetMode) {
    case kResetClearHomeReset:
      ++display.resets;
      [[fallthrough]];
    case kResetClearHome:
      display.lines.clear();
      break;
    case kResetClearKeepCursor:
      for (LINE1_PROP& line : display.lines)
        for (CHAR_PROP& character : line) character = {character.size, kBlankCode, kColorRed, 0};
      break;
    case kResetClearLine:
      if (!display.lines.empty()) display.lines.back().clear();
      break;
    default:
      break;
  }
}

void AddText(SimDisplay& display, const std::vector<LINE1_PROP>& lines) {
  if (lines.empty()) return;
  if (display.lines.empty()) display.lines.emplace_back();
  AppendCapped(display.lines.back(), lines.front());
  for (size_t i = 1; i < lines.size(); ++i) {
    if (display.lines.size() == kMaxDisplayLines) display.lines.erase(display.lines.begin());
    display.lines.emplace_back();
    AppendCapped(display.lines.back(), lines[i]);
  }
}

void TurnBlinkingOff(SimDisplay& display) {
  if (!IsScrollEffect(display.effect)) {
    display.effect = kEffectBlinkOff;
    return;
  }
  for (LINE1_PROP& line : display.lines)
    for (CHAR_PROP& character : line) character.blink = 0;
}

}  // namespace

void ShowMessage(SimDisplay& display, const SimMessage& message) {
  if (!message.showsSomething) return;
  const MessageCodes& codes = message.codes;
  ApplyReset(display, codes.resetMode);
  if (codes.position == kPositionStartingAt && codes.clearLine) display.lines.clear();
  AddText(display, message.lines);
  display.position = codes.position;
  if (codes.position == kPositionStartingAt) {
    display.startLine = codes.line;
    display.startColumn = codes.column;
  }
  display.effect = codes.effect;
  if (message.blinkOffAtEnd) TurnBlinkingOff(display);
  ++display.revision;
}
