// The engine stopped by kill -9 or SIGTERM after it accepted a message for a sign that was
// not reachable: the next run sends it. The sign (127.0.45.1 for kill -9, .2 for SIGTERM)
// is simulated only for the second run.

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>

#include "support/ChildProcess.h"
#include "support/TempDir.h"

namespace {

bool Contains(const std::string& line, const std::string& part) {
  return line.find(part) != std::string::npos;
}

class GatewayStop : public ::testing::TestWithParam<int> {};

TEST_P(GatewayStop, AMessageAcceptedBeforeTheStopIsSentByTheNextRun) {
  TempDir dir;
  const std::string address = GetParam() == SIGKILL ? "127.0.45.1" : "127.0.45.2";
  const std::string config = dir.PathOf("gateway.toml");
  std::ofstream(config) << "[queue]\nbackoff_initial_ms = 50\nbackoff_max_ms = 100\nretry_attempts = 1000\n"
                           "shutdown_grace_seconds = 2\n\n"
                           "[[signs]]\nname = \"line1\"\ntcp = \"" +
                               address + "\"\ngroup = 1\nunit = 5\n";
  const std::string state = dir.PathOf("state");
  {
    ChildProcess gateway({GATEWAY_RUNNER, config, state, "line1", R"({"raw": "KEPT"})"});
    ASSERT_TRUE(gateway.WaitForLineStarting(ChildProcess::kOut, "running"));
    ASSERT_EQ(gateway.Lines(ChildProcess::kOut).front(), "accepted 1");
    gateway.Signal(GetParam());
    if (GetParam() == SIGTERM) {
      EXPECT_EQ(gateway.WaitExit(), 0);
      EXPECT_EQ(gateway.Lines(ChildProcess::kOut).back(), "stopped");
    }
  }
  ChildProcess sim(
      {MARQUEE_SIM_PROGRAM, "--tcp-range", address + "-" + address, "--group", "1", "--unit", "5", "--gap", "20"});
  ASSERT_TRUE(sim.WaitForLine(ChildProcess::kErr, [](const std::string& l) { return Contains(l, " listen "); }));
  ChildProcess gateway({GATEWAY_RUNNER, config, state});
  EXPECT_TRUE(sim.WaitForLine(ChildProcess::kErr, [&](const std::string& l) {
    return Contains(l, " message status=accepted ") && Contains(l, "text=KEPT sign=" + address);
  }));
}

INSTANTIATE_TEST_SUITE_P(Signals, GatewayStop, ::testing::Values(SIGKILL, SIGTERM));

}  // namespace
