#include <gtest/gtest.h>

#include "support/CliRun.h"
#include "support/LoopbackListener.h"
#include "support/PtyPair.h"

TEST(SendCommand, UsageErrors) {
  const std::vector<std::vector<std::string>> cases = {
      {"send"},
      {"send", "a", "b"},
      {"send", "--baud", "1200", "x"},
      {"send", "--baud", "fast", "x"},
      {"send", "--to", "1.2.3", "x"},
      {"send", "--to", "1.2.3.256", "x"},
      {"send", "--to", "1.2.3.4.5", "x"},
      {"send", "--to", "1..3.4", "x"},
      {"send", "--port", "ttyS0", "--to", "127.0.0.1", "x"},
      {"send", "--port", "Ethernet", "x"},
      {"send", "--bogus", "x"},
  };
  for (const auto& args : cases) {
    CliRun run = RunTool(args);
    EXPECT_EQ(run.exitCode, kExitUsage) << args[1] << " " << args.back();
    EXPECT_EQ(run.err.rfind("marquee send: ", 0), 0u) << run.err;
  }
}

TEST(SendCommand, SendsToASerialPort) {
  PtyPair pty;
  ASSERT_TRUE(pty.ok());
  pty.StartReading(11);
  CliRun run = RunTool({"send", "--port", pty.path(), "--baud", "38400", "^E1Hello^N\xc3\xa9"});
  pty.StopReading();
  EXPECT_EQ(run.exitCode, kExitOk) << run.err;
  EXPECT_EQ(pty.received(), "^E1Hello^N\xe9") << "the text goes out as Windows-1252";
  EXPECT_EQ(run.err, "");
}

TEST(SendCommand, LinkErrorsGoToStandardErrorWithTheMessageBoxText) {
  CliRun run = RunTool({"send", "--port", "ttyDOESNOTEXIST9", "^E1Hi"});
  EXPECT_EQ(run.exitCode, kExitFailure);
  EXPECT_EQ(run.err, "Invalid Port\n");

  run = RunTool({"send", "--to", "127.0.0.9", "^E1Hi"});  // nothing listens there
  EXPECT_EQ(run.exitCode, kExitFailure);
  EXPECT_EQ(run.err, "Connect error : Connection refused\n");
}

TEST(SendCommand, SendsOverEthernetToEveryAddress) {
  LoopbackListener marquee("127.0.0.8");
  ASSERT_TRUE(marquee.ok());
  marquee.Serve();
  CliRun run = RunTool({"send", "--port", "ethernet", "--to", "127.0.0.8", "^E1Hello^N"});
  EXPECT_EQ(run.exitCode, kExitOk) << run.err;
  EXPECT_EQ(marquee.Received(), "^E1Hello^N");

  marquee.Serve();
  run = RunTool({"send", "--to", "127.0.0.8", "--", "--text"});
  EXPECT_EQ(run.exitCode, kExitOk) << run.err;
  EXPECT_EQ(marquee.Received(), "^E1Hello^N--text") << "the second connection brings the second string";
}
