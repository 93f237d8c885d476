#include "sim/SimLog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SimRecorder.h"
#include "support/WorkedExample.h"

TEST(SimLog, ValuesAreBareOrQuotedSoEveryByteComesBack) {
  const struct {
    std::string value;
    const char* written;
  } cases[] = {
      {"accepted", "accepted"},
      {"127.0.0.1:49999", "127.0.0.1:49999"},
      {"/dev/pts/4", "/dev/pts/4"},
      {"-1", "-1"},
      {"", "\"\""},
      {"Clear Display, Home cursor", "\"Clear Display, Home cursor\""},
      {"^K0^dC1HELLO", "\"^K0^dC1HELLO\""},
      {"a=b", "\"a=b\""},
      {"say \"hi\" \\ bye", "\"say \\\"hi\\\" \\\\ bye\""},
      {std::string("\x00\t\r\n\x7F\xE9", 6), "\"\\x00\\x09\\x0D\\x0A\\x7F\\xE9\""},
  };
  for (const auto& c : cases) EXPECT_EQ(LogValue(c.value), c.written) << c.value;
}

TEST(SimLog, LinesCarryTheTimeTheEventAndTheFields) {
  const std::vector<SimField> fields = {{"status", "accepted"}, {"raw", "^E0"}};
  EXPECT_EQ(FormatLogLine(SimTime{0}, "code", fields), "0.000 code status=accepted raw=\"^E0\"\n");
  EXPECT_EQ(FormatLogLine(SimTime{61007}, "stop", {}), "61.007 stop\n");
}

TEST(SimLog, TheWorkedExampleAsLogged) {
  std::vector<std::string> lines;
  SimLogWriter writer([&lines](std::string_view line) { lines.emplace_back(line); });
  MarqueeSim sim(kWorkedExampleGroup, kWorkedExampleUnit, writer);
  sim.Feed(kWorkedExampleString, SimTime{1234});
  const std::vector<std::string> expected = {
      "1.234 code status=accepted raw=\"^A010005\" meaning=\"Specific Unit\" group=1 unit=5\n",
      "1.234 code status=accepted raw=\"^E0\" meaning=\"Clear Display, Home cursor\"\n",
      "1.234 code status=accepted raw=\"^L0\" meaning=\"line size\" size=1\n",
      "1.234 code status=accepted raw=\"^C0^M0210\" meaning=\"Starting at\" line=2 column=10 clearline=0\n",
      "1.234 code status=accepted raw=\"^B1\" meaning=\"Blink whole message\"\n",
      "1.234 code status=accepted raw=\"^K0\" meaning=size size=1\n",
      "1.234 code status=accepted raw=\"^dC1\" meaning=red\n",
      "1.234 text status=accepted raw=HELLO\n",
      "1.234 code status=accepted raw=\"^Y1\" meaning=\"Save to Flash\"\n",
      "1.234 message status=accepted to=unit group=1 unit=5 reset=1 linesize=0 position=2 line=2 column=10 "
      "clearline=0 effect=1 blinkoff=0 flash=2 cut=0 text=\"^K0^dC1HELLO\"\n",
      "1.234 flash status=saved body=\"^E0^L0^C0^M0210^B1^K0^dC1HELLO\"\n",
  };
  EXPECT_EQ(lines, expected);
}

TEST(SimLog, CardsAreReportedWithEveryParameter) {
  RecordedSim marquee(0, 0);
  marquee.Read("^A000000^P1A010.000.000.009^P1m247^P1h0000^P1W1");
  EXPECT_EQ(marquee.recorder.lines.back(),
            "card name=Ethernet enabled=1 ip=010.000.000.009 mask=255.255.255.000 gateway=000.000.000.000 "
            "port=49999 protocol=2 input=32 unitid=247 next=0 byteorder=1");
  marquee.Read("^A000000^P2B250^P3Z^P4p0");
  const std::vector<std::string> tail(marquee.recorder.lines.end() - 3, marquee.recorder.lines.end());
  EXPECT_EQ(tail, (std::vector<std::string>{
                      "card name=DeviceNet enabled=1 mac=20 baud=250 consumed=32 produced=2 byteorder=2",
                      "card name=Profibus enabled=0 node=20 input=32 output=2 byteorder=2",
                      "card name=\"Modbus RTU\" enabled=1 unitid=1 wiring=0 byteorder=2",
                  }));
}
