#include <QLocalSocket>
#include <QSignalSpy>

#include "addressbook/AddressBookGui.h"
#include "addressbook/IPConfigChannel.h"

namespace {

class LineServerTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(server.Listen(name)); }

  // Writes raw bytes on a connection of its own and closes it.
  void SendRaw(const QByteArray& bytes) {
    QLocalSocket socket;
    socket.connectToServer(name);
    ASSERT_TRUE(socket.waitForConnected(1000));
    if (!bytes.isEmpty()) {
      socket.write(bytes);
      ASSERT_TRUE(socket.waitForBytesWritten(1000));
    }
    socket.disconnectFromServer();
  }
  QByteArray NextLine() {
    if (lines.isEmpty() && !lines.wait(5000)) return "(none)";
    return lines.takeFirst().at(0).toByteArray();
  }

  PrivateRuntimeFolder runtime;
  const QString name = HandBackSocketName();
  CLineServer server;
  QSignalSpy lines{&server, &CLineServer::lineReceived};
};

TEST_F(LineServerTest, EachConnectionGivesItsFirstLine) {
  struct Case {
    QByteArray sent;
    QByteArray line;
  };
  const Case cases[] = {
      {"raise\n", "raise"},
      {"10.0.0.1\r\nmore\n", "10.0.0.1"},  // only the first line, without its end
      {"no newline", "no newline"},        // the connection's end ends the line
      {"", ""},                            // a notification without text
      {QByteArray(1000, 'x'), QByteArray(CLineServer::kMaxLine, 'x')},
  };
  for (const Case& c : cases) {
    SendRaw(c.sent);
    EXPECT_EQ(NextLine(), c.line) << c.sent.left(20).toStdString();
  }
}

TEST_F(LineServerTest, SendLineDeliversAndReportsAMissingServer) {
  EXPECT_TRUE(SendLine(name, "select 10.0.0.7"));
  EXPECT_EQ(NextLine(), "select 10.0.0.7");
  server.Close();
  EXPECT_FALSE(server.IsListening());
  EXPECT_FALSE(SendLine(name, "raise"));
}

TEST_F(LineServerTest, ANewServerTakesTheNameOver) {
  CLineServer second;
  ASSERT_TRUE(second.Listen(name));
  QSignalSpy secondLines(&second, &CLineServer::lineReceived);
  EXPECT_TRUE(SendLine(name, "close"));
  ASSERT_TRUE(secondLines.wait(5000));
  EXPECT_EQ(secondLines.at(0).at(0).toByteArray(), "close");
}

}  // namespace
