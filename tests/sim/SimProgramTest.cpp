// marquee-sim as a program, fed by `marquee send` over TCP and over its pseudo-terminal.
// Each test listens on its own loopback address (127.0.0.5, 127.0.0.6) or on none.

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/ChildProcess.h"
#include "support/TempDir.h"

namespace {

// The log line whose text after the time starts so.
std::function<bool(const std::string&)> Event(const std::string& start) {
  return [start](const std::string& line) { return line.compare(line.find(' ') + 1, start.size(), start) == 0; };
}

int Send(const std::vector<std::string>& args) {
  std::vector<std::string> command = {MARQUEE_CLI_PROGRAM, "send"};
  command.insert(command.end(), args.begin(), args.end());
  ChildProcess send(command);
  return send.WaitExit().value_or(-1);
}

// A simulator of group 1, unit 5 that logs to standard error.
std::vector<std::string> Simulator(std::vector<std::string> more) {
  std::vector<std::string> args = {MARQUEE_SIM_PROGRAM, "--no-display", "--group", "1", "--unit", "5", "--gap", "100"};
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

}  // namespace

TEST(SimProgram, TakesMessagesOverTcpForItsAddressAndIgnoresOthers) {
  ChildProcess sim(Simulator({"--tcp", "127.0.0.5"}));
  ASSERT_TRUE(sim.WaitForLine(ChildProcess::kErr, Event("listen tcp=127.0.0.5:49999")));

  ASSERT_EQ(Send({"--to", "127.0.0.5", "^A010005^E0^C1^K0^dC2HELLO \xc3\xa9"}), 0);
  EXPECT_TRUE(sim.WaitForLine(ChildProcess::kErr,
                              Event("message status=accepted to=unit group=1 unit=5 reset=1 linesize=none position=0 "
                                    "line=0 column=0 clearline=0 effect=0 blinkoff=0 flash=0 cut=0 "
                                    "text=\"^K0^dC2HELLO \\xE9\"")));
  ASSERT_EQ(Send({"--to", "127.0.0.5", "^A010006^E0OTHER"}), 0);
  EXPECT_TRUE(sim.WaitForLine(ChildProcess::kErr, Event("message status=ignored to=unit group=1 unit=6 ")));
  EXPECT_TRUE(sim.WaitForLine(ChildProcess::kErr, Event("text status=ignored raw=OTHER")));

  sim.Signal(SIGTERM);
  EXPECT_EQ(sim.WaitExit(), 0);
  ASSERT_FALSE(sim.Lines(ChildProcess::kErr).empty());
  EXPECT_TRUE(Event("stop messages=2")(sim.Lines(ChildProcess::kErr).back()));
  EXPECT_TRUE(sim.Lines(ChildProcess::kOut).empty()) << "only a pseudo-terminal's path goes to standard output";
}

TEST(SimProgram, TakesMessagesOnItsPseudoTerminalAndEndsAfterTheGivenCount) {
  TempDir dir;
  const std::string log = dir.PathOf("sim.log");
  ChildProcess sim(Simulator({"--pty", "--log", log, "--exit-after", "2"}));
  const std::optional<std::string> path = sim.WaitForLine(ChildProcess::kOut, Event(""));
  ASSERT_TRUE(path && path->rfind("/dev/", 0) == 0) << path.value_or("no path");

  ASSERT_EQ(Send({"--port", *path, "^A000000^E1^L0^C1^D1^K0^dC1Ethernet Communication Attributes Programmed.^N"}), 0);
  ASSERT_EQ(Send({"--port", *path, "--baud", "38400", "^A010000^P4m010^P4p2^P4W1"}), 0);
  EXPECT_EQ(sim.WaitExit(), 0);

  std::ifstream in(log);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line.substr(line.find(' ') + 1));
  auto has = [&lines](const std::string& start) {
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(start, 0) == 0; });
  };
  EXPECT_TRUE(has("listen pty=" + *path));
  EXPECT_TRUE(
      has("message status=accepted to=broadcast group=0 unit=0 reset=2 linesize=0 position=0 line=0 column=0 "
          "clearline=0 effect=3 blinkoff=0 flash=0 cut=0 "
          "text=\"^K0^dC1Ethernet Communication Attributes Programmed.\""));
  EXPECT_TRUE(has("message status=accepted to=group group=1 unit=0 "));
  EXPECT_TRUE(has("card name=\"Modbus RTU\" enabled=1 unitid=10 wiring=2 byteorder=1"));
  EXPECT_EQ(lines.back(), "stop messages=2");
}

TEST(SimProgram, KeepsItsFlashMessageAcrossRuns) {
  TempDir dir;
  const std::string flash = dir.PathOf("flash");
  {
    ChildProcess sim(Simulator({"--pty", "--flash", flash, "--exit-after", "1"}));
    const std::optional<std::string> path = sim.WaitForLine(ChildProcess::kOut, Event(""));
    ASSERT_TRUE(path);
    ASSERT_EQ(Send({"--port", *path, "^E0^C1^K0^dC3KEPT^Y1"}), 0);
    EXPECT_EQ(sim.WaitExit(), 0);
  }
  ChildProcess restarted(Simulator({"--pty", "--flash", flash, "--tcp", "127.0.0.6"}));
  EXPECT_TRUE(restarted.WaitForLine(ChildProcess::kErr, Event("flash status=shown body=\"^E0^L0^C1^K0^dC3KEPT\"")));
  EXPECT_TRUE(restarted.WaitForLine(ChildProcess::kErr, Event("message status=accepted to=none ")));
  ASSERT_EQ(Send({"--to", "127.0.0.6", "^Y0"}), 0);
  EXPECT_TRUE(restarted.WaitForLine(ChildProcess::kErr, Event("flash status=cleared")));
  restarted.Signal(SIGINT);
  EXPECT_EQ(restarted.WaitExit(), 0);
  EXPECT_FALSE(std::filesystem::exists(flash));
}

TEST(SimProgram, RefusesBadOptionsAndAddressesItCannotListenOn) {
  const std::vector<std::vector<std::string>> usage = {
      {"--model", "14"},
      {"--unit", "10000"},
      {"--tcp", "1.2.3"},
      {"--tcp", "127.0.0.1:0"},
      {"--window", "--no-display"},
      {"--gap", "5"},
      {"--bogus"},
      {"extra"},
  };
  for (const auto& args : usage) {
    std::vector<std::string> command = {MARQUEE_SIM_PROGRAM};
    command.insert(command.end(), args.begin(), args.end());
    ChildProcess sim(command);
    EXPECT_EQ(sim.WaitExit(), 2) << args[0];
    EXPECT_TRUE(sim.WaitForLine(ChildProcess::kErr, Event("")).value_or("").starts_with("marquee-sim: ")) << args[0];
  }
  // 192.0.2.1 is a documentation address that no machine of ours owns.
  ChildProcess sim({MARQUEE_SIM_PROGRAM, "--no-display", "--tcp", "192.0.2.1"});
  EXPECT_EQ(sim.WaitExit(), 1);
  EXPECT_TRUE(sim.WaitForLine(ChildProcess::kErr, [](const std::string& line) {
    return line.starts_with("marquee-sim: cannot listen on 192.0.2.1:49999: ");
  }));
}
