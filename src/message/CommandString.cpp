#include "message/CommandString.h"

#include <algorithm>
#include <array>
#include <string>

#include "common/Text.h"
#include "message/MsgAttributes.h"

namespace {

// Header code per effect value; the scroll effects add the "^N" end mark after the text.
constexpr std::array<std::string_view, 5> kEffectCodes = {"", "^B1", "^B0", "^D1", "^D0"};
constexpr std::string_view kEndMark = "^N";

// Reset and flash codes print the value minus one; wide arithmetic keeps INT_MIN sane.
std::string ValueMinusOne(int value) {
  return Format("%lld", static_cast<long long>(value) - 1);
}

// "^L" + the largest "^K" digit used, where "^K4" (size 5) counts as "^L3".
std::string_view LineSizeCode(std::string_view text) {
  int largest = -1;
  for (size_t at = text.find("^K"); at != std::string_view::npos; at = text.find("^K", at + 1)) {
    if (at + 2 < text.size() && text[at + 2] >= '0' && text[at + 2] <= '4')
      largest = std::max(largest, text[at + 2] - '0');
  }
  constexpr std::array<std::string_view, 5> kLineSizeCodes = {"^L0", "^L1", "^L2", "^L3", "^L3"};
  return largest < 0 ? std::string_view{} : kLineSizeCodes[static_cast<size_t>(largest)];
}

bool Contains(const std::string& line, std::string_view code) {
  return line.find(code) != std::string::npos;
}

// Removes every occurrence in one left-to-right pass, as a single replace-all would: an
// occurrence formed by joining the pieces around a removed one stays.
void RemoveAll(std::string& line, std::string_view code) {
  size_t found = line.find(code);
  if (found == std::string::npos) return;
  size_t write = found;
  size_t read = found + code.size();
  for (;;) {
    found = line.find(code, read);
    size_t end = found == std::string::npos ? line.size() : found;
    std::char_traits<char>::move(line.data() + write, line.data() + read, end - read);
    write += end - read;
    if (found == std::string::npos) break;
    read = found + code.size();
  }
  line.resize(write);
}

// The first code of the list found anywhere in the line gives its index + 1 and is
// removed everywhere; none found gives 0.
template <size_t N>
int TakeFirstCode(std::string& line, const std::array<std::string_view, N>& codes) {
  for (size_t i = 0; i < N; ++i) {
    if (Contains(line, codes[i])) {
      RemoveAll(line, codes[i]);
      return static_cast<int>(i) + 1;
    }
  }
  return 0;
}

// Takes the first two characters as a number by atoi rules (no digits gives 0).
int TakeTwoDigitNumber(std::string& line) {
  size_t count = std::min<size_t>(2, line.size());
  int value = LeadingInt(std::string_view(line).substr(0, count));
  line.erase(0, count);
  return value;
}

void ParsePosition(std::string& line, MessageCodes& codes) {
  if (line.starts_with("^C1")) {
    codes.position = kPositionCenter;
    RemoveAll(line, "^C1");
  } else if (line.starts_with(codes.clearLine ? "^C0^H" : "^C0^M")) {
    codes.position = kPositionStartingAt;
    RemoveAll(line, "^C0^H");
    RemoveAll(line, "^C0^M");
    codes.line = TakeTwoDigitNumber(line);
    codes.column = TakeTwoDigitNumber(line);
  } else {
    codes.position = kPositionDefault;
  }
}

// The blink codes count anywhere in the line, the scroll codes only at its start.
void ParseEffect(std::string& line, MessageCodes& codes) {
  for (int effect : {kEffectBlink, kEffectBlinkOff, kEffectScrollRepeatedly, kEffectScrollOnce}) {
    std::string_view code = kEffectCodes[static_cast<size_t>(effect)];
    if (IsScrollEffect(effect) ? line.starts_with(code) : Contains(line, code)) {
      codes.effect = effect;
      RemoveAll(line, code);
      return;
    }
  }
  codes.effect = kEffectDefault;
}

}  // namespace

std::string AddressCode(int group, int unit) {
  return Format("^A%02d%04d", group, unit);
}

std::string EncodeMessageBody(const MessageCodes& codes, std::string_view textWithCodes, bool blinkOffAtEnd) {
  std::string out;
  out.reserve(textWithCodes.size() + 32);
  if (codes.resetMode != kResetNothing) out += "^E" + ValueMinusOne(codes.resetMode);
  out += LineSizeCode(textWithCodes);
  if (codes.position == kPositionCenter) {
    out += "^C1";
  } else if (codes.position == kPositionStartingAt) {
    out += codes.clearLine ? "^C0^H" : "^C0^M";
    out += Format("%02d%02d", codes.line, codes.column);
  }
  bool knownEffect = codes.effect >= 0 && codes.effect < static_cast<int>(kEffectCodes.size());
  if (knownEffect) out += kEffectCodes[static_cast<size_t>(codes.effect)];
  out += textWithCodes;
  if (IsScrollEffect(codes.effect)) out += kEndMark;
  if (blinkOffAtEnd) out += "^B0";
  if (codes.flashMode != kFlashNothing) out += "^Y" + ValueMinusOne(codes.flashMode);
  return out;
}

std::string ParseStoredLine(std::string_view storedLine, MessageCodes& codes) {
  static constexpr std::array<std::string_view, 4> kLineSizeCodes = {"^L0", "^L1", "^L2", "^L3"};
  static constexpr std::array<std::string_view, 4> kResetCodes = {"^E0", "^E1", "^E2", "^E3"};
  static constexpr std::array<std::string_view, 2> kFlashCodes = {"^Y0", "^Y1"};

  std::string line(storedLine);
  codes.clearLine = Contains(line, "^H");
  for (std::string_view code : kLineSizeCodes) RemoveAll(line, code);
  codes.resetMode = TakeFirstCode(line, kResetCodes);
  ParsePosition(line, codes);
  ParseEffect(line, codes);
  // The flash code follows the end mark, so it comes off first; otherwise a scrolling
  // message with a flash code would keep its end mark and grow a line per save.
  codes.flashMode = TakeFirstCode(line, kFlashCodes);
  if (IsScrollEffect(codes.effect) && line.ends_with(kEndMark)) line.resize(line.size() - kEndMark.size());
  return line;
}
