// "Send To Marquee" end to end: the bytes a marquee receives are the ASCII box's text.

#include "message/ComposerFixture.h"
#include "support/LoopbackListener.h"
#include "support/PtyPair.h"

namespace {

using ComposerSendTest = ComposerTest;

TEST_F(ComposerSendTest, ToASerialPort) {
  PtyPair marquee;
  ASSERT_TRUE(marquee.ok());
  test.ports = {{marquee.path()}, {}};
  window->OnDeviceChange();
  CMsgDlg* page = composer();
  Choose(Find<QComboBox>(page, "port"), 0);
  ASSERT_EQ(test.app->m_strPortName, marquee.path());
  Choose(Find<QComboBox>(page, "addressMode"), 2);
  Choose(Find<QComboBox>(page, "unit"), 3);
  Choose(Find<QComboBox>(page, "effect"), 3);
  Type("Hello");
  Choose(Find<QComboBox>(page, "color"), 2);
  Type(" there");
  const std::string expected = Generate();
  ASSERT_EQ(expected, "^A000003^L0^C1^D1^K0^dC1Hello^dC2 there^N");

  marquee.StartReading(expected.size());
  Press(Find<QPushButton>(page, "Send To Marquee"));
  marquee.StopReading();
  EXPECT_EQ(marquee.received(), expected);
  EXPECT_EQ(test.prompter.information, std::vector<std::string>{"Message sent."});
  EXPECT_TRUE(test.prompter.errors.empty());
}

TEST_F(ComposerSendTest, ToANamedMarqueeOverEthernet) {
  LoopbackListener marquee("127.0.0.4");
  ASSERT_TRUE(marquee.ok());
  marquee.Serve();
  CIPGroup sign("Sign A");
  sign.m_Members = {CIPData("", IPAddress{127, 0, 0, 4})};
  test.app->m_AddressBook = {CIPGroup("Hall"), sign};
  window->OnDeviceChange();
  CMsgDlg* page = composer();
  ASSERT_EQ(test.app->m_strPortName, "Ethernet");
  Choose(Find<QComboBox>(page, "sendTo"), 1);
  ASSERT_EQ(test.app->m_SendTarget, sign);
  Choose(Find<QComboBox>(page, "flashMode"), 2);
  Type("Hi");

  Press(Find<QPushButton>(page, "Send To Marquee"));
  EXPECT_EQ(marquee.Received(), Find<QLineEdit>(page, "commandString")->text().toStdString());
  EXPECT_EQ(Find<QLineEdit>(page, "commandString")->text(), "^A000000^L0^C1^K0^dC1Hi^Y1") << "sending generates first";
  EXPECT_EQ(test.prompter.information, std::vector<std::string>{"Message sent."});
  EXPECT_TRUE(test.prompter.errors.empty());
}

TEST_F(ComposerSendTest, ALinkFailureIsReportedByTheLinkAndThePage) {
  CIPGroup sign("Sign A");
  sign.m_Members = {CIPData("", IPAddress{127, 0, 0, 4})};  // nothing listens there now
  test.app->m_AddressBook = {sign};
  window->OnDeviceChange();
  Type("Hi");
  Press(Find<QPushButton>(composer(), "Send To Marquee"));
  ASSERT_EQ(test.prompter.errors.size(), 2u);
  EXPECT_EQ(test.prompter.errors.back(), "Message sent failed.");
  EXPECT_TRUE(test.prompter.information.empty());
}

}  // namespace
