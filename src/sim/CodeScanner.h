#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

// Splits an unframed byte stream into the codes of the command language and text bytes,
// one byte at a time, so a code may arrive in any number of pieces. Codes have fixed
// widths: every '#' of a pattern is one decimal digit, every other character stands for
// itself. No pattern is the start of another, so a code is complete the moment its last
// byte arrives.

enum class SimCodeKind : uint8_t {
  kAddress,              // ^A GG UUUU
  kReset,                // ^E d
  kLineSize,             // ^L d
  kCenter,               // ^C1
  kStartingAt,           // ^C0^M LL CC
  kStartingAtClearLine,  // ^C0^H LL CC
  kBlink,                // ^B d: blink whole message, or blinking off
  kScroll,               // ^D d
  kSize,                 // ^K d
  kColor,                // ^dC d
  kBlinkCharacters,      // ^X d
  kNewLine,              // ^N
  kFlash,                // ^Y d
  kCard,                 // ^P: a network option card command (see NetworkCards.h)
};

struct CodePattern {
  std::string_view pattern;
  SimCodeKind kind;
};

// The display message codes. The card commands have their own table (NetworkCards.h).
extern const std::array<CodePattern, 13> kMessageCodePatterns;

// The longest code of either table, in bytes.
constexpr size_t kMaxCodeBytes = 19;

enum class ScanKind : uint8_t {
  kText,       // one byte of text
  kCode,       // a whole code of the tables
  kUnknown,    // a caret and what followed it, which begins no code
  kTruncated,  // the start of a code, cut off by a byte that does not fit it
};

struct ScanToken {
  ScanKind kind;
  SimCodeKind code;      // for kCode
  size_t cardCommand;    // for kCode of kind kCard: index into kCardCommands
  std::string_view raw;  // the bytes; valid only during the call that receives the token
};

class IScanSink {
 public:
  virtual ~IScanSink() = default;
  virtual void OnToken(const ScanToken& token) = 0;
};

class CodeScanner {
 public:
  // Takes one byte; reports the tokens it completes (at most two: a broken code and the
  // byte itself as text). A caret always starts a new code.
  void Push(char byte, IScanSink& sink);
  // The end of a message: a code still open is reported as truncated (a lone caret as
  // unknown) and dropped.
  void Flush(IScanSink& sink);
  bool HasPending() const { return m_size > 0; }

 private:
  std::array<char, kMaxCodeBytes> m_pending{};
  size_t m_size = 0;
};

// Whether text fits the start of pattern ('#' takes one decimal digit).
bool FitsPatternStart(std::string_view pattern, std::string_view text);
