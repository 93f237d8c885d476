// The TCP link against real listeners on loopback addresses.

#include <fcntl.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "link/BlockingSocket.h"
#include "link/SendToMarquee.h"
#include "support/LoopbackListener.h"
#include "support/RecordingPrompter.h"

namespace {

LinkSettings EthernetTo(std::initializer_list<IPAddress> addresses, const char* portName = "Ethernet") {
  LinkSettings settings;
  settings.portName = portName;
  for (const auto& address : addresses) settings.sendTarget.m_Members.emplace_back("", address);
  return settings;
}

size_t OpenDescriptors() {
  return static_cast<size_t>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {}));
}

std::string EveryByteValue(size_t length) {
  std::string text;
  for (size_t i = 0; i < length; ++i) text += static_cast<char>(i * 7 % 256);
  return text;
}

}  // namespace

TEST(TcpLink, EveryByteArrives) {
  LoopbackListener marquee("127.0.0.1");
  ASSERT_TRUE(marquee.ok());
  marquee.Serve();
  const std::string command = EveryByteValue(100'003);
  RecordingPrompter prompter;
  EXPECT_TRUE(SendToMarquee(command, EthernetTo({{127, 0, 0, 1}}, "eTHERNET"), prompter, nullptr).ok());
  EXPECT_EQ(marquee.Received(), command);
  EXPECT_TRUE(prompter.errors.empty());
}

TEST(TcpLink, GroupSendStopsAtTheFirstRefusal) {
  LoopbackListener first("127.0.0.1"), third("127.0.0.3");  // nothing listens on 127.0.0.2
  ASSERT_TRUE(first.ok() && third.ok());
  first.Serve();
  RecordingPrompter prompter;
  const LinkResult result =
      SendToMarquee("^E1Hello^N", EthernetTo({{127, 0, 0, 1}, {127, 0, 0, 2}, {127, 0, 0, 3}}), prompter, nullptr);
  EXPECT_EQ(result.errorClass, ErrorClass::OsFailure);
  EXPECT_EQ(result.operation, "Connect");
  EXPECT_FALSE(result.timedOut);
  EXPECT_EQ(first.Received(), "^E1Hello^N");
  EXPECT_EQ(prompter.errors, std::vector<std::string>{"Connect error : Connection refused"});
  EXPECT_FALSE(third.HasWaitingConnection()) << "the third address must not be contacted";
}

TEST(TcpLink, EmptySendTargetSendsNothingAndSucceeds) {
  RecordingPrompter prompter;
  EXPECT_TRUE(SendToMarquee("^E1Hello^N", EthernetTo({}), prompter, nullptr).ok());
  EXPECT_TRUE(prompter.errors.empty());
}

TEST(TcpLink, PeerThatNeverReadsEndsWithSendTimeout) {
  LoopbackListener marquee("127.0.0.1", 8, 4096);  // never accepts, never reads
  ASSERT_TRUE(marquee.ok());
  RecordingPrompter prompter;
  const LinkResult result = SendToMarquee(std::string(16 << 20, 'x'), EthernetTo({{127, 0, 0, 1}}), prompter, nullptr);
  EXPECT_TRUE(result.timedOut);
  EXPECT_EQ(result.operation, "Send timeout");
  EXPECT_EQ(prompter.errors, std::vector<std::string>{"Send timeout error"});
}

TEST(TcpLink, PeerThatResetsGivesASendErrorNotASignal) {
  LoopbackListener marquee("127.0.0.1");
  ASSERT_TRUE(marquee.ok());
  marquee.Serve(true);
  RecordingPrompter prompter;
  EXPECT_FALSE(SendToMarquee(std::string(16 << 20, 'x'), EthernetTo({{127, 0, 0, 1}}), prompter, nullptr).ok());
  ASSERT_EQ(prompter.errors.size(), 1u);
  EXPECT_EQ(prompter.errors[0].rfind("Send error : ", 0), 0u) << prompter.errors[0];
}

TEST(TcpLink, UnansweredConnectGivesUp) {
  LoopbackListener marquee("127.0.0.1", 0);
  ASSERT_TRUE(marquee.ok());
  // One connection waiting fills a backlog of 0; the listener then drops new requests unanswered.
  CBlockingSocket filler;
  filler.Create();
  filler.Connect("127.0.0.1", kMarqueeTcpPort);
  RecordingPrompter prompter;
  EXPECT_TRUE(SendToMarquee("^E1Hi", EthernetTo({{127, 0, 0, 1}}), prompter, nullptr).timedOut);
  EXPECT_EQ(prompter.errors, std::vector<std::string>{"Connect error : Connection timed out"});
}

TEST(TcpLink, BlockingSocketFailuresNameTheirOperation) {
  CBlockingSocket socket;
  try {
    socket.Connect("127.0.0.1", kMarqueeTcpPort);  // no socket created
    ADD_FAILURE() << "connect without a socket";
  } catch (const CBlockingSocketException& e) {
    EXPECT_EQ(e.Operation(), "Connect");
  }
  socket.Create();
  try {
    socket.Connect("127.0.0.300", kMarqueeTcpPort);
    ADD_FAILURE() << "connect to an invalid address";
  } catch (const CBlockingSocketException& e) {
    EXPECT_EQ(e.GetErrorText(), "Connect error : Invalid argument");
  }
  socket.Close();
  socket.Close();
  socket.Discard();
}

TEST(TcpLink, NoDescriptorLeaksOnAnyPath) {
  const size_t before = OpenDescriptors();
  {
    LoopbackListener first("127.0.0.1");
    ASSERT_TRUE(first.ok());
    first.Serve();
    RecordingPrompter prompter;
    EXPECT_TRUE(SendToMarquee("ok", EthernetTo({{127, 0, 0, 1}}), prompter, nullptr).ok());
    EXPECT_FALSE(SendToMarquee("refused", EthernetTo({{127, 0, 0, 2}}), prompter, nullptr).ok());
    LoopbackListener resetting("127.0.0.3");
    ASSERT_TRUE(resetting.ok());
    resetting.Serve(true);
    EXPECT_FALSE(SendToMarquee(std::string(4 << 20, 'x'), EthernetTo({{127, 0, 0, 3}}), prompter, nullptr).ok());
    CBlockingSocket socket;
    socket.Create();
    EXPECT_THROW(socket.Connect("not an address", kMarqueeTcpPort), CBlockingSocketException);
  }
  EXPECT_EQ(OpenDescriptors(), before);
}
