#include <gtest/gtest.h>

#include "support/CliRun.h"

namespace {

TEST(NetCommand, PrintsTheStringOfEachType) {
  struct Case {
    std::vector<std::string> args;
    const char* out;
  };
  const Case cases[] = {
      {{"net", "ethernet", "--protocol", "1", "--byte-order", "0"},
       "^A000000^P1A192.168.000.001^P1M255.255.255.000^P1G000.000.000.000^P1N49999^P1c0032^P1W0\n"},
      {{"net", "1", "--protocol", "2", "--unit-id", "10", "--byte-order", "0", "--parts", "unit,byteorder"},
       "^A000000^P1m010^P1h0000^P1W0\n"},
      {{"net", "Ethernet", "--ip", "10.1.2.3", "--mask", "255.0.0.0", "--gateway", "10.0.0.254", "--parts", "address",
        "--no-address"},
       "^P1A010.001.002.003^P1M255.000.000.000^P1G010.000.000.254^P1N49999\n"},
      {{"net", "1", "--parts", "", "--group", "2"}, "\n"},
      {{"net", "devicenet", "--byte-order", "0"}, "^A000000^P2A020^P2B125^P2R032^P2S002^P2W0\n"},
      {{"net", "2", "--node", "63", "--baud-index", "2", "--consumed", "120", "--produced", "8", "--group", "1",
        "--unit", "5"},
       "^A010005^P2A063^P2B500^P2R120^P2S008^P2W2\n"},
      {{"net", "3", "--byte-order", "0"}, "^A000000^P3A020^P3R032^P3S002^P3W0\n"},
      {{"net", "modbus"}, "^A000000^P4m001^P4p1^P4W2\n"},
      {{"net", "4", "--rtu-unit", "255", "--wiring", "2", "--rtu-byte-order", "0", "--group", "2", "--unit", "8"},
       "^A020008^P4m255^P4p2^P4W0\n"},
      {{"net", "4", "--defaults-string"}, "^A000000^P1L\n"},
      {{"net", "4", "--disable-string"}, "^A000000^P1Z\n"},
      {{"net", "2", "--disable-string", "--unit", "3"}, "^A000003^P2Z\n"},
      {{"net", "profibus", "--notice", "Profibus Communication Attributes Programmed."},
       "^A000000^E1^L0^C1^D1^K0^dC1Profibus Communication Attributes Programmed.^N\n"},
      {{"net", "1", "--notice", "Caf\xC3\xA9"}, "^A000000^E1^L0^C1^D1^K0^dC1Caf\xC3\xA9^N\n"},
  };
  for (const Case& c : cases) {
    CliRun run = RunTool(c.args);
    EXPECT_EQ(run.exitCode, kExitOk) << run.err;
    EXPECT_EQ(run.out, c.out) << c.args[1];
  }
}

TEST(NetCommand, RefusesBadArguments) {
  const std::vector<std::vector<std::string>> cases = {
      {"net"},
      {"net", "5"},
      {"net", "token-ring"},
      {"net", "1", "2"},
      {"net", "1", "--ip", "10.0.0"},
      {"net", "1", "--parts", "address,port"},
      {"net", "1", "--group", "100"},
      {"net", "1", "--unit", "-1"},
      {"net", "4", "--wiring", "256"},
      {"net", "2", "--node", "x"},
      {"net", "1", "--defaults-string", "--notice", "x"},
      {"net", "1", "--bogus"},
  };
  for (const auto& args : cases) {
    CliRun run = RunTool(args);
    EXPECT_EQ(run.exitCode, kExitUsage) << args.back();
    EXPECT_TRUE(run.out.empty());
    EXPECT_NE(run.err.find("marquee net:"), std::string::npos);
  }
}

}  // namespace
