#include "sim/SimOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

SimOptions Parse(const std::vector<std::string>& args) {
  SimOptions options;
  std::string error;
  EXPECT_TRUE(ParseSimOptions(args, options, error)) << error;
  return options;
}

}  // namespace

TEST(SimOptions, ListensOnTheLoopbackByDefault) {
  const SimOptions options = Parse({});
  EXPECT_TRUE(options.tcp);
  EXPECT_EQ(options.tcpAddress, "127.0.0.1");
  EXPECT_EQ(options.tcpPort, 49999);
  EXPECT_FALSE(options.pty);
  EXPECT_EQ(options.display, SimDisplayKind::kTerminal);
  EXPECT_EQ(options.exitAfter, 0);

  EXPECT_FALSE(Parse({"--pty"}).tcp) << "a pseudo-terminal alone needs no listener";
  const SimOptions both = Parse({"--pty", "--tcp", "127.0.0.5:50001", "--model", "13", "--group", "99", "--unit",
                                 "9999", "--window", "--exit-after", "3", "--gap", "10"});
  EXPECT_TRUE(both.pty && both.tcp);
  EXPECT_EQ(both.tcpAddress, "127.0.0.5");
  EXPECT_EQ(both.tcpPort, 50001);
  EXPECT_EQ(both.model, 13);
  EXPECT_EQ(both.group, 99);
  EXPECT_EQ(both.unit, 9999);
  EXPECT_EQ(both.display, SimDisplayKind::kWindow);
  EXPECT_EQ(both.exitAfter, 3);
  EXPECT_EQ(both.idleGapMs, 10);
}

TEST(SimOptions, RefusesWhatItCannotUse) {
  const std::vector<std::vector<std::string>> cases = {
      {"--model", "-1"},
      {"--model", "14"},
      {"--group", "100"},
      {"--unit", "x"},
      {"--tcp", "localhost"},
      {"--tcp", "1.2.3.4:"},
      {"--tcp", "1.2.3.4:65536"},
      {"--exit-after", "0"},
      {"--gap", "60001"},
      {"--log"},
      {"--window", "--no-display"},
      {"--frames", "2"},
      {"more"},
  };
  for (const auto& args : cases) {
    SimOptions options;
    std::string error;
    EXPECT_FALSE(ParseSimOptions(args, options, error)) << args[0];
    EXPECT_FALSE(error.empty()) << args[0];
  }
}
