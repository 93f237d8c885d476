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
  Choose(page->PortList(), 0);
  ASSERT_EQ(test.app->m_strPortName, marquee.path());
  Choose(page->m_pAddressList, 2);
  Choose(page->m_pUnitList, 3);
  Choose(page->m_pEffectList, 3);
  Type("Hello");
  Choose(page->m_pColorList, 2);
  Type(" there");
  const std::string expected = Generate();
  ASSERT_EQ(expected, "^A000003^L0^C1^D1^K0^dC1Hello^dC2 there^N");

  marquee.StartReading(expected.size());
  Press(page->m_pSendButton);
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
  Choose(page->SendToList(), 1);
  ASSERT_EQ(test.app->m_SendTarget, sign);
  Choose(page->m_pFlashList, 2);
  Type("Hi");

  Press(page->m_pSendButton);
  EXPECT_EQ(marquee.Received(), page->m_pAsciiBox->text().toStdString());
  EXPECT_EQ(page->m_pAsciiBox->text(), "^A000000^L0^C1^K0^dC1Hi^Y1") << "sending generates first";
  EXPECT_EQ(test.prompter.information, std::vector<std::string>{"Message sent."});
  EXPECT_TRUE(test.prompter.errors.empty());
}

TEST_F(ComposerSendTest, ALinkFailureIsReportedByTheLinkAndThePage) {
  CIPGroup sign("Sign A");
  sign.m_Members = {CIPData("", IPAddress{127, 0, 0, 4})};  // nothing listens there now
  test.app->m_AddressBook = {sign};
  window->OnDeviceChange();
  Type("Hi");
  Press(composer()->m_pSendButton);
  ASSERT_EQ(test.prompter.errors.size(), 2u);
  EXPECT_EQ(test.prompter.errors.back(), "Message sent failed.");
  EXPECT_TRUE(test.prompter.information.empty());
}

}  // namespace
