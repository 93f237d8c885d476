#include "sim/CodeScanner.h"

#include <algorithm>

#include "sim/NetworkCards.h"

const std::array<CodePattern, 13> kMessageCodePatterns = {{
    {"^A######", SimCodeKind::kAddress},
    {"^E#", SimCodeKind::kReset},
    {"^L#", SimCodeKind::kLineSize},
    {"^C1", SimCodeKind::kCenter},
    {"^C0^M####", SimCodeKind::kStartingAt},
    {"^C0^H####", SimCodeKind::kStartingAtClearLine},
    {"^B#", SimCodeKind::kBlink},
    {"^D#", SimCodeKind::kScroll},
    {"^K#", SimCodeKind::kSize},
    {"^dC#", SimCodeKind::kColor},
    {"^X#", SimCodeKind::kBlinkCharacters},
    {"^N", SimCodeKind::kNewLine},
    {"^Y#", SimCodeKind::kFlash},
}};

namespace {

constexpr char kCaret = '^';

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// How far text gets against the tables: whether some code starts so, and the code it
// completes, if any.
struct Match {
  bool fits = false;
  bool complete = false;
  SimCodeKind kind = SimCodeKind::kCard;
  size_t cardCommand = 0;
};

Match MatchCode(std::string_view text) {
  Match match;
  for (const CodePattern& code : kMessageCodePatterns) {
    if (FitsPatternStart(code.pattern, text)) {
      match.fits = true;
      match.kind = code.kind;
      match.complete = text.size() == code.pattern.size();
      return match;
    }
  }
  for (size_t i = 0; i < kCardCommands.size(); ++i) {
    const std::string_view pattern = kCardCommands[i].pattern;
    if (FitsPatternStart(pattern, text)) {
      match.fits = true;
      match.cardCommand = i;
      match.complete = text.size() == pattern.size();
      if (match.complete) return match;
    }
  }
  return match;
}

}  // namespace

bool FitsPatternStart(std::string_view pattern, std::string_view text) {
  if (text.size() > pattern.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char want = pattern[i];
    if (want == '#' ? !IsDigit(text[i]) : want != text[i]) return false;
  }
  return true;
}

void CodeScanner::Push(char byte, IScanSink& sink) {
  if (m_size == 0) {
    if (byte == kCaret) {
      m_pending[m_size++] = byte;
    } else {
      sink.OnToken({ScanKind::kText, SimCodeKind::kCard, 0, std::string_view(&byte, 1)});
    }
    return;
  }
  m_pending[m_size] = byte;
  const std::string_view candidate(m_pending.data(), m_size + 1);
  const Match match = MatchCode(candidate);
  if (match.fits) {
    if (match.complete) {
      m_size = 0;
      sink.OnToken({ScanKind::kCode, match.kind, match.cardCommand, candidate});
    } else {
      ++m_size;
    }
    return;
  }
  // The caret and the byte after it begin no code: both are spent as one unknown code,
  // unless that byte is itself a caret, which starts the next code.
  if (m_size == 1 && byte != kCaret) {
    m_size = 0;
    sink.OnToken({ScanKind::kUnknown, SimCodeKind::kCard, 0, candidate});
    return;
  }
  // A code cut off: report what came before any caret inside it ("^C0" of "^C0^K0"),
  // then read on from that caret.
  const std::string_view pending(m_pending.data(), m_size);
  const size_t innerCaret = std::min(pending.find(kCaret, 1), pending.size());
  std::array<char, kMaxCodeBytes> rest;
  const size_t restSize = pending.copy(rest.data(), rest.size(), innerCaret);
  m_size = innerCaret;
  Flush(sink);
  for (size_t i = 0; i < restSize; ++i) Push(rest[i], sink);
  Push(byte, sink);
}

void CodeScanner::Flush(IScanSink& sink) {
  if (m_size == 0) return;
  const std::string_view pending(m_pending.data(), m_size);
  m_size = 0;
  sink.OnToken({pending.size() == 1 ? ScanKind::kUnknown : ScanKind::kTruncated, SimCodeKind::kCard, 0, pending});
}
