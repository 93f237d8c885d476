#include <gtest/gtest.h>

#include "support/CliRun.h"

namespace {

TEST(CmdEncode, PrintsTheCommandString) {
  struct Case {
    std::vector<std::string> args;
    const char* expected;
  };
  const Case cases[] = {
      {{"encode", "^K0^dC1HI"}, "^A000000^L0^C1^K0^dC1HI\n"},
      {{"encode", "--address", "2", "--group",  "1",  "--unit",   "5", "--reset", "1", "--position",
        "2",      "--line",    "2", "--column", "10", "--effect", "1", "--flash", "2", "^K0^dC1HELLO"},
       "^A010005^E0^L0^C0^M0210^B1^K0^dC1HELLO^Y1\n"},
      {{"encode", "--address", "3", "--position", "2", "--clear-line", "--effect", "4", "--blink-off-at-end", "A"},
       "^C0^H0101^D0A^N^B0\n"},
      {{"encode", "--", "--looks-like-an-option"}, "^A000000^C1--looks-like-an-option\n"},
  };
  for (const Case& c : cases) {
    const CliRun result = RunTool(c.args);
    EXPECT_EQ(result.exitCode, kExitOk) << result.err;
    EXPECT_EQ(result.out, c.expected);
  }
}

TEST(CmdEncode, UsageErrors) {
  const std::vector<std::string> cases[] = {
      {"encode"},
      {"encode", "A", "B"},
      {"encode", "--effect", "x", "A"},
      {"encode", "--bogus", "A"},
      {"encode", "--group"},
  };
  for (const auto& args : cases) {
    const CliRun result = RunTool(args);
    EXPECT_EQ(result.exitCode, kExitUsage) << args.back();
    EXPECT_TRUE(result.out.empty());
    EXPECT_FALSE(result.err.empty());
  }
}

}  // namespace
