#include "message/CommandString.h"

#include <algorithm>
#include <charconv>
#include <iterator>

#include "common/Text.h"
#include "message/CommandCodes.h"
#include "message/MsgAttributes.h"

namespace {

// printf "%d"; wide, so that value - 1 of INT_MIN comes out right.
void AppendNumber(std::string& out, long long value) {
  char digits[24];
  out.append(digits, std::to_chars(std::begin(digits), std::end(digits), value).ptr);
}

// printf "%02d".
void AppendTwoDigits(std::string& out, int value) {
  if (value >= 0 && value < 10) out += '0';
  AppendNumber(out, value);
}

// "^L" + the largest "^K" digit used, where "^K4" (size 5) counts as "^L3".
std::string_view LineSizeCode(std::string_view text) {
  char largest = 0;
  for (size_t i = 0; i + 2 < text.size(); ++i)
    if (text[i] == '^' && text[i + 1] == 'K' && text[i + 2] >= '0' && text[i + 2] <= '4')
      largest = std::max(largest, text[i + 2]);
  if (largest == 0) return {};
  return kLineSizeCodes[std::min<size_t>(static_cast<size_t>(largest - '0'), kLineSizeCodes.size() - 1)].text;
}

}  // namespace

std::string AddressCode(int group, int unit) {
  return Format("^A%02d%04d", group, unit);
}

std::string EncodeMessageBody(const MessageCodes& codes, std::string_view textWithCodes, bool blinkOffAtEnd) {
  std::string out;
  out.reserve(textWithCodes.size() + 32);
  if (codes.resetMode != kResetNothing) {
    out += "^E";
    AppendNumber(out, codes.resetMode - 1LL);
  }
  out += LineSizeCode(textWithCodes);
  if (codes.position == kPositionCenter) {
    out += kCenterCode.text;
  } else if (codes.position == kPositionStartingAt) {
    out += (codes.clearLine ? kStartingAtClearLineCode : kStartingAtCode).text;
    AppendTwoDigits(out, codes.line);
    AppendTwoDigits(out, codes.column);
  }
  if (codes.effect >= 0 && static_cast<size_t>(codes.effect) < kEffectCodes.size())
    out += kEffectCodes[static_cast<size_t>(codes.effect)].text;
  out += textWithCodes;
  if (IsScrollEffect(codes.effect)) out += kEndMark;
  if (blinkOffAtEnd) out += kBlinkOffAtEndCode;
  if (codes.flashMode != kFlashNothing) {
    out += "^Y";
    AppendNumber(out, codes.flashMode - 1LL);
  }
  return out;
}
