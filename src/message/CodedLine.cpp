#include "message/CodedLine.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "common/Text.h"
#include "message/CommandCodes.h"

namespace {

// The text of each kind of code.
constexpr std::array<std::string_view, kLineCodeKinds> kCodeTexts = [] {
  std::array<std::string_view, kLineCodeKinds> texts{};
  auto add = [&](const LineCode& code) { texts[code.kind] = code.text; };
  for (const LineCode& code : kResetCodes) add(code);
  for (const LineCode& code : kLineSizeCodes) add(code);
  for (const LineCode& code : {kCenterCode, kStartingAtCode, kStartingAtClearLineCode, kClearLineMark}) add(code);
  for (const LineCode& code : kEffectCodes) add(code);
  for (const LineCode& code : kFlashCodes) add(code);
  return texts;
}();

// The kind of the code that text starts with, judged by its second and third characters
// (and fifth for "Starting at"); the caller checks the whole code. kNoCode when the
// caret is followed by a letter that opens no header or tail code.
constexpr LineCodeKind LikelyKind(std::string_view text) {
  auto at = [&](size_t i) { return i < text.size() ? text[i] : '\0'; };
  auto pick = [](bool first, LineCodeKind a, LineCodeKind b) { return first ? a : b; };
  char digit = at(2);
  switch (at(1)) {
    case 'L':
      return digit >= '1' && digit <= '3' ? static_cast<LineCodeKind>(kCodeLineSize0 + (digit - '0')) : kCodeLineSize0;
    case 'E':
      return digit >= '1' && digit <= '3' ? static_cast<LineCodeKind>(kCodeReset1 + (digit - '0')) : kCodeReset1;
    case 'C':
      return digit == '1' ? kCodeCenter : pick(at(4) == 'H', kCodeStartingAtClearLine, kCodeStartingAt);
    case 'B':
      return pick(digit == '1', kCodeBlink, kCodeBlinkOff);
    case 'D':
      return pick(digit == '1', kCodeScrollRepeatedly, kCodeScrollOnce);
    case 'Y':
      return pick(digit == '0', kCodeFlashClear, kCodeFlashSave);
    default:
      return kNoCode;
  }
}

constexpr bool EveryCodeIsJudgedItsKind() {
  for (size_t kind = kNoCode + 1; kind < kLineCodeKinds; ++kind)
    if (kind != kCodeClearLine && LikelyKind(kCodeTexts[kind]) != kind) return false;
  return true;
}
static_assert(EveryCodeIsJudgedItsKind());

// Word-at-a-time byte tests: each gives the top bit of every byte of the word that
// passes. The word holds eight bytes of the line, the first in the lowest byte.
constexpr uint64_t kOnes = 0x0101010101010101ull;
constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;

uint64_t LoadWord(const char* bytes) {
  uint64_t word;
  std::memcpy(&word, bytes, sizeof word);
  if constexpr (std::endian::native == std::endian::big) {
    uint64_t firstLowest = 0;
    for (int i = 0; i < 8; ++i, word >>= 8) firstLowest = (firstLowest << 8) | (word & 0xFF);
    word = firstLowest;
  }
  return word;
}

uint64_t BytesEqual(uint64_t word, char c) {
  uint64_t x = word ^ (kOnes * static_cast<unsigned char>(c));
  return ~(((x & kLow7) + kLow7) | x) & ~kLow7;
}

// Bytes from 'A' to '^'.
uint64_t CapitalsAndCarets(uint64_t word) {
  constexpr uint64_t kBelow = kOnes * (127 + '^' + 1);
  constexpr uint64_t kAbove = kOnes * (127 - ('A' - 1));
  uint64_t low = word & kLow7;
  return (kBelow - low) & ~word & (low + kAbove) & ~kLow7;
}

// Carets that may open a header or tail code, or that the one-pass reading cannot
// judge: those followed by a capital or another caret, except the inline pairs "^K",
// "^N" and "^X" that fill a text.
uint64_t CaretsToExamine(uint64_t word, uint64_t next) {
  uint64_t followers =
      CapitalsAndCarets(next) & ~(BytesEqual(next, 'K') | BytesEqual(next, 'N') | BytesEqual(next, 'X'));
  return BytesEqual(word, '^') & followers;
}

}  // namespace

bool CodedLine::Find() {
  if (m_line.ends_with('^')) return false;
  size_t free = 0;  // carets before it lie inside a code already found
  size_t at = 0;
  for (; at + 9 <= m_line.size(); at += 8) {
    uint64_t carets = CaretsToExamine(LoadWord(m_line.data() + at), LoadWord(m_line.data() + at + 1));
    for (; carets != 0; carets &= carets - 1)
      if (!TakeCaret(at + static_cast<size_t>(std::countr_zero(carets)) / 8, free)) return false;
  }
  for (; at + 1 < m_line.size(); ++at)
    if (m_line[at] == '^' && !TakeCaret(at, free)) return false;
  return true;
}

bool CodedLine::TakeCaret(size_t at, size_t& free) {
  if (at < free) return true;
  std::string_view rest = m_line.substr(at);
  char follower = rest[1];
  if (follower == '^' || follower == 'H' || follower == 'M') return false;
  LineCodeKind kind = LikelyKind(rest);
  if (kind == kNoCode) return true;  // an inline pair
  if (!rest.starts_with(kCodeTexts[kind]) || m_count == kMaxCodes) return false;
  m_start[m_count] = at;
  m_kind[m_count] = kind;
  m_codesOfKind[kind] |= 1u << m_count;
  ++m_count;
  free = at + kCodeTexts[kind].size();
  return true;
}

bool CodedLine::Has(const LineCode& code) const {
  // Here a "^H" lies only inside the clear-line form of "Starting at".
  LineCodeKind kind = code.kind == kCodeClearLine ? kCodeStartingAtClearLine : code.kind;
  return (m_codesOfKind[kind] & ~m_removed) != 0;
}

bool CodedLine::BeginsWith(const LineCode& code) {
  SkipRemovedAtFront();
  return m_next < m_count && m_start[m_next] == m_front && m_kind[m_next] == code.kind;
}

void CodedLine::RemoveAll(const LineCode& code) {
  m_removed |= m_codesOfKind[code.kind];
}

bool CodedLine::TakeTwoDigitNumber(int& value) {
  char digits[2];
  size_t count = 0;
  for (; count < 2; ++count) {
    SkipRemovedAtFront();
    if (m_front == m_end) break;
    if (m_line[m_front] == '^') return false;
    digits[count] = m_line[m_front++];
  }
  value = LeadingInt(std::string_view(digits, count));
  return true;
}

void CodedLine::DropEndMark() {
  size_t end = m_end;
  for (size_t i = m_count; i > m_next && Removed(i - 1) && End(i - 1) == end; --i) end = m_start[i - 1];
  if (end >= m_front + kEndMark.size() && m_line.substr(end - kEndMark.size(), kEndMark.size()) == kEndMark)
    m_end = end - kEndMark.size();
}

std::string CodedLine::Text() const {
  std::string text;
  text.reserve(m_end - m_front);
  size_t from = m_front;
  for (size_t i = m_next; i < m_count && m_start[i] < m_end; ++i) {
    if (!Removed(i)) continue;
    text.append(m_line.substr(from, m_start[i] - from));
    from = End(i);
  }
  text.append(m_line.substr(from, m_end - from));
  return text;
}

size_t CodedLine::End(size_t code) const {
  return m_start[code] + kCodeTexts[m_kind[code]].size();
}

void CodedLine::SkipRemovedAtFront() {
  while (m_next < m_count && Removed(m_next) && m_start[m_next] == m_front) m_front = End(m_next++);
}
