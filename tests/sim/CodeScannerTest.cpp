#include "sim/CodeScanner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "sim/NetworkCards.h"

namespace {

class TokenList : public IScanSink {
 public:
  void OnToken(const ScanToken& token) override {
    static const char* kKinds[] = {"text", "code", "unknown", "truncated"};
    if (token.kind == ScanKind::kText && !tokens.empty() && tokens.back().rfind("text ", 0) == 0) {
      tokens.back() += token.raw;  // adjacent text bytes read as one run
      return;
    }
    tokens.push_back(std::string(kKinds[static_cast<int>(token.kind)]) + " " + std::string(token.raw));
  }
  std::vector<std::string> tokens;
};

std::vector<std::string> Scan(std::string_view bytes) {
  CodeScanner scanner;
  TokenList list;
  for (char byte : bytes) scanner.Push(byte, list);
  scanner.Flush(list);
  return list.tokens;
}

std::vector<std::string_view> AllPatterns() {
  std::vector<std::string_view> patterns;
  for (const CodePattern& code : kMessageCodePatterns) patterns.push_back(code.pattern);
  for (const CardCommand& command : kCardCommands) patterns.push_back(command.pattern);
  return patterns;
}

}  // namespace

TEST(CodeScanner, NoCodeIsTheStartOfAnotherSoEveryCodeEndsWithItsLastByte) {
  const std::vector<std::string_view> patterns = AllPatterns();
  size_t longest = 0;
  for (std::string_view a : patterns) {
    longest = std::max(longest, a.size());
    for (std::string_view b : patterns) {
      if (a.data() == b.data()) continue;
      // Digits stand for '#': a pattern fits the start of another when its example does.
      std::string example(a);
      std::replace(example.begin(), example.end(), '#', '0');
      EXPECT_FALSE(FitsPatternStart(b, example)) << a << " starts " << b;
    }
  }
  EXPECT_EQ(longest, kMaxCodeBytes);
}

TEST(CodeScanner, SplitsTextCodesAndBrokenCodes) {
  const struct {
    const char* bytes;
    std::vector<std::string> tokens;
  } cases[] = {
      {"AB", {"text AB"}},
      {"^A010005^E0HI^N", {"code ^A010005", "code ^E0", "text HI", "code ^N"}},
      {"^C0^M0210^dC3^K4", {"code ^C0^M0210", "code ^dC3", "code ^K4"}},
      {"^P1A192.168.000.001^P4p2", {"code ^P1A192.168.000.001", "code ^P4p2"}},
      // A caret and a byte that begin no code are spent together.
      {"^Q5", {"unknown ^Q", "text 5"}},
      // A caret starts a new code even inside one.
      {"^^E1", {"unknown ^", "code ^E1"}},
      {"^P1A19^Y1", {"truncated ^P1A19", "code ^Y1"}},
      // A code cut off by a byte that does not fit gives that byte back as text.
      {"^P1A19x", {"truncated ^P1A19", "text x"}},
      {"^dX", {"truncated ^d", "text X"}},
      {"^E", {"truncated ^E"}},
      {"^P9", {"truncated ^P", "text 9"}},
      // Reading on from a caret inside the broken code loses no code after it.
      {"^C0^K0A", {"truncated ^C0", "code ^K0", "text A"}},
      {"^C0^Q", {"truncated ^C0", "unknown ^Q"}},
      // At the end of a message.
      {"AB^", {"text AB", "unknown ^"}},
      {"^C0^M02", {"truncated ^C0^M02"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Scan(c.bytes), c.tokens) << c.bytes;
}
