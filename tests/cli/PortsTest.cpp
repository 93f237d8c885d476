#include <gtest/gtest.h>

#include <cstdlib>

#include "support/CliRun.h"
#include "support/PtyPair.h"

TEST(PortsCommand, ListsEveryPortThenEthernet) {
  PtyPair pty;
  ASSERT_TRUE(pty.ok());
  ::setenv("MARQUEE_EXTRA_PORTS", pty.path().c_str(), 1);
  CliRun run = RunTool({"ports"});
  ::unsetenv("MARQUEE_EXTRA_PORTS");
  EXPECT_EQ(run.exitCode, kExitOk) << run.err;
  const std::string tail = pty.path() + "\nEthernet\n";
  ASSERT_GE(run.out.size(), tail.size());
  EXPECT_EQ(run.out.substr(run.out.size() - tail.size()), tail) << "a pseudo-terminal has no friendly name";
}

TEST(PortsCommand, TakesNoArguments) {
  CliRun run = RunTool({"ports", "extra"});
  EXPECT_EQ(run.exitCode, kExitUsage);
}
