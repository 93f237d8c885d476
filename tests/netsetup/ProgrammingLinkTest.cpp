// Programming a marquee's Ethernet card from the setup page over a pseudo-terminal and over
// TCP on 127.0.0.7, in one send or in pieces with real pauses between them.

#include "netsetup/SetupPageFixture.h"
#include "support/LoopbackListener.h"
#include "support/PtyPair.h"

namespace {

using namespace std::chrono_literals;

// The Ethernet/IP programming string of the defaults with all three parts, piece by piece,
// then the notice the page sends after it.
const std::string kAddressPiece = "^A000000^P1A192.168.000.001^P1M255.255.255.000^P1G000.000.000.000^P1N49999";
const std::string kUnitPiece = "^P1c0032";
const std::string kByteOrderPiece = "^P1W0";
const std::string kNotice = "^A000000^E1^L0^C1^D1^K0^dC1Ethernet Communication Attributes Programmed.^N";

class ProgrammingTest : public SetupPageTest {
 protected:
  // Programs the Ethernet card with all parts and the given hidden interval (ms), answering Yes.
  void Program(const char* interval) {
    ChooseType(kNetworkEthernet);
    Click("Ethernet/IP Slave");
    for (const char* part : {"Address", "Unit", "Byte Order"}) CheckPart(part);
    Find<QLineEdit>("interval")->setText(interval);
    test.prompter = RecordingPrompter();
    test.prompter.answer = true;
    Click("Program Marquee");
    EXPECT_TRUE(test.prompter.errors.empty());
    EXPECT_EQ(test.prompter.information.size(), 1u);
  }
  void UsePort(const std::string& port) {
    test.ports = {{port}, {}};
    test.app->EnumeratePorts();
    page->OnPortsChanged();
    ASSERT_EQ(test.app->m_strPortName, port);
  }
};

// Over a serial line one send and the pieces make the same stream.
TEST_F(ProgrammingTest, OverASerialLineTheStringArrivesWholeAtIntervalsZeroAndOne) {
  const std::string expected = kAddressPiece + kUnitPiece + kByteOrderPiece + kNotice;
  for (const char* interval : {"0", "1"}) {
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    UsePort(pty.path());
    pty.StartReading(expected.size());
    Program(interval);
    pty.StopReading();
    EXPECT_EQ(pty.received(), expected) << interval;
    EXPECT_EQ(Generated().toStdString(), kAddressPiece + kUnitPiece + kByteOrderPiece);
  }
}

// Each piece begins where the one before ended, and cannot arrive before the pauses ahead of
// it have passed (the gap between two arrivals proves nothing: a reader woken late shortens it).
TEST_F(ProgrammingTest, PiecesOverASerialLineWaitTheIntervalLessOneMillisecond) {
  PtyPair pty;
  ASSERT_TRUE(pty.ok());
  UsePort(pty.path());
  const std::string pieces[] = {kAddressPiece, kUnitPiece, kByteOrderPiece, kNotice};
  std::string expected;
  for (const std::string& piece : pieces) expected += piece;
  pty.StartReading(expected.size());
  const auto start = PtyPair::Clock::now();
  Program("120");
  pty.StopReading();
  ASSERT_EQ(pty.received(), expected);
  size_t offset = 0;
  for (int piece = 0; piece < 4; ++piece) {
    EXPECT_GE(pty.arrival()[offset] - start, piece * 119ms) << "piece " << piece;
    offset += pieces[piece].size();
  }
}

// Over TCP every send is a connection of its own: the whole string at interval 0, one piece
// per connection after the pauses at a larger interval; only the first piece is addressed.
TEST_F(ProgrammingTest, OverTcpEachPieceTakesAConnectionAfterThePause) {
  CIPGroup sign("Sign");
  sign.m_Members = {CIPData("", IPAddress{127, 0, 0, 7})};
  test.app->m_AddressBook = {sign};
  test.app->m_SendTarget = sign;
  UsePort("Ethernet");
  struct Case {
    const char* interval;
    std::vector<std::string> connections;
    std::chrono::milliseconds pause;
  };
  const Case cases[] = {
      {"0", {kAddressPiece + kUnitPiece + kByteOrderPiece, kNotice}, 0ms},
      {"150", {kAddressPiece, kUnitPiece, kByteOrderPiece, kNotice}, 149ms},
  };
  for (const Case& c : cases) {
    LoopbackListener marquee("127.0.0.7");
    ASSERT_TRUE(marquee.ok());
    marquee.ServeMany(c.connections.size());
    const auto start = LoopbackListener::Clock::now();
    Program(c.interval);
    const auto& connections = marquee.Connections();
    ASSERT_EQ(connections.size(), c.connections.size()) << c.interval;
    for (size_t i = 0; i < c.connections.size(); ++i) {
      EXPECT_EQ(connections[i].text, c.connections[i]) << c.interval << ", connection " << i;
      EXPECT_GE(connections[i].firstByte - start, static_cast<int>(i) * c.pause) << "connection " << i;
    }
  }
}

}  // namespace
