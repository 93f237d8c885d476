#include "netsetup/ProgramPieces.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/Text.h"

namespace {

using namespace std::chrono_literals;

// Records sends and sleeps in the order they happen; the send numbered failAt (from 1) fails.
struct Recorder {
  std::vector<std::string> events;
  int sends = 0;
  int failAt = 0;

  CommandSender Sender() {
    return [this](const std::string& text) {
      events.push_back("send " + text);
      return ++sends != failAt;
    };
  }
  Sleeper Sleep() {
    return [this](std::chrono::milliseconds pause) { events.push_back(Format("sleep %d", int(pause.count()))); };
  }
};

CLadDeviceNetwork Ethernet(bool address, bool unit, bool byteOrder) {
  CLadDeviceNetwork set(kNetworkEthernet);
  set.m_nProtocol = kProtocolModbusTcp;
  set.m_nByteOrder = 1;
  set.m_bSendAddress = address;
  set.m_bSendUnit = unit;
  set.m_bSendByteOrder = byteOrder;
  return set;
}

const std::string kAddressPart = "^P1A192.168.000.001^P1M255.255.255.000^P1G000.000.000.000^P1N49999";

TEST(ProgramPieces, PauseIsOneMillisecondLessThanTheInterval) {
  EXPECT_EQ(PiecePause(500), 499ms);
  EXPECT_EQ(PiecePause(1), 0ms);
  EXPECT_EQ(PiecePause(0), 0ms);
  EXPECT_EQ(PiecePause(-20), 0ms);
}

TEST(ProgramPieces, EachPartGoesAloneAndOnlyTheFirstCarriesTheAddress) {
  Recorder recorder;
  const CLadDeviceNetwork set = Ethernet(true, true, true);
  EXPECT_TRUE(SendProgramInPieces(set, 499ms, 2, 8, recorder.Sender(), recorder.Sleep()));
  EXPECT_EQ(recorder.events,
            (std::vector<std::string>{"send ^A020008" + kAddressPart, "sleep 499", "send ^P1m010^P1h0000", "sleep 499",
                                      "send ^P1W1", "sleep 499"}));
  // The set keeps its parts: the next string is built from all three again.
  EXPECT_TRUE(set.m_bSendAddress && set.m_bSendUnit && set.m_bSendByteOrder);
}

TEST(ProgramPieces, UnselectedPartsAreSkippedAndTheFirstSentTakesTheAddress) {
  Recorder recorder;
  EXPECT_TRUE(SendProgramInPieces(Ethernet(false, true, true), 9ms, 0, 0, recorder.Sender(), recorder.Sleep()));
  EXPECT_EQ(recorder.events,
            (std::vector<std::string>{"send ^A000000^P1m010^P1h0000", "sleep 9", "send ^P1W1", "sleep 9"}));
}

TEST(ProgramPieces, NoPauseSendsThePiecesBackToBack) {
  Recorder recorder;
  EXPECT_TRUE(SendProgramInPieces(Ethernet(true, false, true), 0ms, 0, 0, recorder.Sender(), recorder.Sleep()));
  EXPECT_EQ(recorder.events, (std::vector<std::string>{"send ^A000000" + kAddressPart, "send ^P1W1"}));
}

TEST(ProgramPieces, AFailedPieceEndsTheSendingAtOnce) {
  Recorder recorder;
  recorder.failAt = 2;
  EXPECT_FALSE(SendProgramInPieces(Ethernet(true, true, true), 5ms, 0, 0, recorder.Sender(), recorder.Sleep()));
  EXPECT_EQ(recorder.events,
            (std::vector<std::string>{"send ^A000000" + kAddressPart, "sleep 5", "send ^P1m010^P1h0000"}));
}

TEST(ProgramPieces, NoPartSelectedSendsNothingButStillPauses) {
  Recorder recorder;
  EXPECT_TRUE(SendProgramInPieces(Ethernet(false, false, false), 5ms, 0, 0, recorder.Sender(), recorder.Sleep()));
  EXPECT_EQ(recorder.events, (std::vector<std::string>{"sleep 5"}));
}

}  // namespace
