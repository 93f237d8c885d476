// The network setup page: network type and protocol choice, the address lists, the
// generated string and the operations' questions and messages. Sends that must succeed go to
// a pseudo-terminal; the fixture's port "ttyAbsent0" does not exist, so sends there fail.

#include <QClipboard>
#include <QGroupBox>
#include <QLabel>

#include "netsetup/SetupPageFixture.h"
#include "support/PtyPair.h"

namespace {

using MarqueeComSetupDlgTest = SetupPageTest;

// An address book with one marquee, chosen as the send target.
void AddTarget(TestApp& test) {
  CIPGroup sign("Sign");
  sign.m_Members = {CIPData("", IPAddress{127, 0, 0, 7})};
  test.app->m_AddressBook = {sign};
  test.app->m_SendTarget = sign;
}

TEST_F(MarqueeComSetupDlgTest, StartsOnEthernetWithTheApplicationsChoices) {
  EXPECT_TRUE(Find<QRadioButton>("Ethernet")->isChecked());
  for (const char* other : {"DeviceNet", "Profibus - DP", "Modbus RTU"})
    EXPECT_FALSE(Find<QRadioButton>(other)->isChecked());
  EXPECT_TRUE(Find<QRadioButton>("None")->isChecked());
  EXPECT_TRUE(Find<QRadioButton>("None")->isVisible());
  EXPECT_TRUE(ethernetPane()->isVisible());
  EXPECT_FALSE(deviceNetPane()->isVisible());
  EXPECT_FALSE(modbusPane()->isVisible());
  EXPECT_EQ(Items(Find<QComboBox>("group")), (QStringList{"0", "1", "2"}));
  EXPECT_EQ(Items(Find<QComboBox>("unit")), (QStringList{"0", "1", "2", "3", "4", "5", "6", "7", "8"}));
  EXPECT_EQ(Items(Find<QComboBox>("port")), (QStringList{"ttyAbsent0", "Ethernet"}));
  EXPECT_FALSE(Find<QComboBox>("sendTo")->isVisible()) << "only for Ethernet";
  EXPECT_FALSE(Find<QLineEdit>("interval")->isVisible());
  EXPECT_EQ(Find<QLineEdit>("interval")->text(), "0");
  EXPECT_TRUE(Find<QPlainTextEdit>("generatedString")->isReadOnly());
  EXPECT_FALSE(Button("Copy ASCII String to Clipboard")->isEnabled());
  EXPECT_TRUE(Button("Disable Network ")->isVisible()) << "its caption ends in a blank";
  EXPECT_TRUE(NoPrompts());
}

TEST_F(MarqueeComSetupDlgTest, ReopensOnTheSelectedTypeProtocolAndAddress) {
  test.app->m_nNetworkType = kNetworkProfibus;
  Set(kNetworkEthernet).m_nProtocol = kProtocolModbusTcp;
  test.app->m_nGroupNumber = 2;
  test.app->m_nUnitNumber = 8;
  OpenPage();
  EXPECT_TRUE(Find<QRadioButton>("Profibus - DP")->isChecked());
  EXPECT_FALSE(Find<QRadioButton>("Ethernet")->isChecked());
  EXPECT_TRUE(deviceNetPane()->isVisible());
  EXPECT_TRUE(Find<QRadioButton>("Modbus TCP/IP Slave")->isChecked());
  EXPECT_FALSE(Find<QRadioButton>("Modbus TCP/IP Slave")->isVisible()) << "the protocol is Ethernet's";
  EXPECT_EQ(Find<QComboBox>("group")->currentText(), "2");
  EXPECT_EQ(Find<QComboBox>("unit")->currentText(), "8");
}

TEST_F(MarqueeComSetupDlgTest, EachTypeShowsItsPaneAndOnlyEthernetItsProtocol) {
  struct Case {
    int type;
    CNetworkPane* pane;
  };
  const Case cases[] = {{kNetworkDeviceNet, deviceNetPane()},
                        {kNetworkProfibus, deviceNetPane()},
                        {kNetworkModbusRtu, modbusPane()},
                        {kNetworkEthernet, ethernetPane()}};
  // Every pane lies on the same place, and nothing moves when the protocol choice goes.
  const QRect place = ethernetPane()->geometry();
  for (const Case& c : cases) {
    ChooseType(c.type);
    QApplication::processEvents();
    EXPECT_EQ(c.pane->geometry(), place) << c.type;
    EXPECT_EQ(test.app->m_nNetworkType, c.type);
    for (CNetworkPane* pane : std::initializer_list<CNetworkPane*>{deviceNetPane(), ethernetPane(), modbusPane()})
      EXPECT_EQ(pane->isVisible(), pane == c.pane) << c.type;
    for (const char* protocol : {"None", "Ethernet/IP Slave", "Modbus TCP/IP Slave"})
      EXPECT_EQ(Find<QRadioButton>(protocol)->isVisible(), c.type == kNetworkEthernet) << c.type;
  }
}

TEST_F(MarqueeComSetupDlgTest, GeneratesTheProgrammingStringOfEachType) {
  struct Case {
    int type;
    int protocol;
    QString expected;
  };
  const Case cases[] = {
      {kNetworkEthernet, kProtocolEthernetIp,
       "^A000000^P1A192.168.000.001^P1M255.255.255.000^P1G000.000.000.000^P1N49999^P1c0032^P1W0"},
      {kNetworkEthernet, kProtocolModbusTcp,
       "^A000000^P1A192.168.000.001^P1M255.255.255.000^P1G000.000.000.000^P1N49999^P1m010^P1h0000^P1W0"},
      {kNetworkEthernet, kProtocolNone, "^A000000^P1A192.168.000.001^P1M255.255.255.000^P1G000.000.000.000^P1N49999"},
      {kNetworkDeviceNet, kProtocolNone, "^A000000^P2A020^P2B125^P2R032^P2S002^P2W0"},
      {kNetworkProfibus, kProtocolNone, "^A000000^P3A020^P3R032^P3S002^P3W0"},
      {kNetworkModbusRtu, kProtocolNone, "^A000000^P4m001^P4p1^P4W2"},
  };
  const char* protocols[] = {"None", "Ethernet/IP Slave", "Modbus TCP/IP Slave"};
  for (const Case& c : cases) {
    ChooseType(kNetworkEthernet);
    Click(protocols[c.protocol]);
    EXPECT_EQ(Set(kNetworkEthernet).m_nProtocol, c.protocol);
    for (const char* part : {"Address", "Unit", "Byte Order"}) CheckPart(part);
    ChooseType(c.type);
    Click("Generate String");
    EXPECT_EQ(Generated(), c.expected) << c.type << " " << c.protocol;
    EXPECT_TRUE(Button("Copy ASCII String to Clipboard")->isEnabled());
  }
  EXPECT_TRUE(NoPrompts());
}

TEST_F(MarqueeComSetupDlgTest, AnotherNetworkTypeTakesAwayTheStringMadeForTheLastOne) {
  ChooseType(kNetworkProfibus);
  Click("Generate String");
  ASSERT_TRUE(Button("Copy ASCII String to Clipboard")->isEnabled());
  ChooseType(kNetworkProfibus);
  EXPECT_FALSE(Generated().isEmpty()) << "the same type again changes nothing";
  ChooseType(kNetworkModbusRtu);
  EXPECT_EQ(Generated(), "");
  EXPECT_FALSE(Button("Copy ASCII String to Clipboard")->isEnabled());
  Click("Generate String");
  EXPECT_EQ(Generated(), "^A000000^P4m001^P4p1^P4W2");
  EXPECT_TRUE(Button("Copy ASCII String to Clipboard")->isEnabled());
}

TEST_F(MarqueeComSetupDlgTest, TheStringCarriesTheAddressTheListsShow) {
  Find<QComboBox>("group")->setCurrentIndex(2);
  Find<QComboBox>("unit")->setCurrentIndex(8);
  ChooseType(kNetworkModbusRtu);
  Click("Generate String");
  EXPECT_EQ(Generated(), "^A020008^P4m001^P4p1^P4W2");
  EXPECT_EQ(test.app->m_nGroupNumber, 2);
  EXPECT_EQ(test.app->m_nUnitNumber, 8);
}

TEST_F(MarqueeComSetupDlgTest, ANumberWithoutAnItemSelectsNothingAndCountsAsZero) {
  test.app->m_nGroupNumber = 7;
  test.app->m_nUnitNumber = 12;
  OpenPage();
  EXPECT_EQ(Find<QComboBox>("group")->currentIndex(), -1);
  EXPECT_EQ(Find<QComboBox>("unit")->currentIndex(), -1);
  ChooseType(kNetworkDeviceNet);
  Click("Generate String");
  EXPECT_TRUE(Generated().startsWith("^A000000^P2A"));
  EXPECT_EQ(test.app->m_nGroupNumber, 0);
  EXPECT_EQ(test.app->m_nUnitNumber, 0);
}

TEST_F(MarqueeComSetupDlgTest, CopyPutsTheTrimmedStringOnTheClipboard) {
  ChooseType(kNetworkProfibus);
  Click("Generate String");
  QApplication::clipboard()->clear();
  Click("Copy ASCII String to Clipboard");
  EXPECT_EQ(QApplication::clipboard()->text(), "^A000000^P3A020^P3R032^P3S002^P3W0");
  EXPECT_EQ(test.prompter.information, std::vector<std::string>{"ASCII string copied to Clipboard."});
}

TEST_F(MarqueeComSetupDlgTest, ProgrammingEthernetWithNoPartChosenDoesNothing) {
  test.prompter.answer = true;
  Click("Program Marquee");
  EXPECT_EQ(Generated(), "");
  EXPECT_FALSE(Button("Copy ASCII String to Clipboard")->isEnabled());
  EXPECT_TRUE(NoPrompts()) << "nothing asked, nothing sent to the absent port";
}

TEST_F(MarqueeComSetupDlgTest, SendToIsShownAndFilledOnlyForEthernet) {
  AddTarget(test);
  auto* port = Find<QComboBox>("port");
  auto* sendTo = Find<QComboBox>("sendTo");
  Choose(port, 1);
  EXPECT_EQ(test.app->m_strPortName, "Ethernet");
  EXPECT_TRUE(sendTo->isVisible());
  EXPECT_EQ(Items(sendTo), QStringList{"Sign [ 127.0.0.7 ]"});
  Choose(port, 0);
  EXPECT_EQ(test.app->m_strPortName, "ttyAbsent0");
  EXPECT_FALSE(sendTo->isVisible());

  // Ports found or lost refill the list; a port chosen elsewhere shows when the page does.
  test.ports = {{"ttyAbsent0", "ttyUSB0"}, {}};
  test.app->EnumeratePorts();
  page->OnPortsChanged();
  EXPECT_EQ(Items(port), (QStringList{"ttyAbsent0", "ttyUSB0", "Ethernet"}));
  page->hide();
  test.app->m_strPortName = "Ethernet";
  page->show();
  EXPECT_EQ(port->currentText(), "Ethernet");
  EXPECT_TRUE(sendTo->isVisible());
}

TEST_F(MarqueeComSetupDlgTest, EthernetPortWithoutATargetSendsNothing) {
  Choose(Find<QComboBox>("port"), 1);
  ChooseType(kNetworkDeviceNet);
  test.prompter.answer = true;
  for (const char* button : {"Program Marquee", "Set to Default Values", "Disable Network "}) {
    test.prompter.errors.clear();
    Click(button);
    EXPECT_EQ(test.prompter.errors, std::vector<std::string>{"Please select 'Sent to' Marquee"}) << button;
  }
  EXPECT_EQ(test.prompter.questions, std::vector<std::string>{"Are you sure you want to set default values?"})
      << "the other two stop before they ask";
}

TEST_F(MarqueeComSetupDlgTest, EthernetIsNeverDisabledOverEthernet) {
  AddTarget(test);
  Choose(Find<QComboBox>("port"), 1);
  test.app->m_nGroupNumber = 1;
  Find<QComboBox>("group")->setCurrentIndex(1);
  Click("Disable Network ");
  EXPECT_EQ(Generated(), "^A010000^P1Z") << "shown before the refusal";
  EXPECT_EQ(test.prompter.errors,
            std::vector<std::string>{"Ethernet network must be disabled over serial communication port!"});
  EXPECT_TRUE(test.prompter.questions.empty());
  EXPECT_EQ(QApplication::focusWidget(), Find<QComboBox>("port"));

  // Another card may be disabled over Ethernet: the operator is asked (and says no here).
  test.prompter.errors.clear();
  ChooseType(kNetworkModbusRtu);
  Click("Disable Network ");
  EXPECT_EQ(Generated(), "^A010000^P1Z");
  EXPECT_TRUE(test.prompter.errors.empty());
  EXPECT_EQ(test.prompter.questions,
            std::vector<std::string>{"Are you sure you want to disable the Modbus RTU network?\n(Programming new "
                                     "parameters automatically enables the network)"});
}

TEST_F(MarqueeComSetupDlgTest, DefaultValuesAlsoResetTheEthernetProtocol) {
  Click("Modbus TCP/IP Slave");
  ChooseType(kNetworkDeviceNet);
  Field(deviceNetPane(), "node")->setText("5");
  Click("Generate String");
  EXPECT_EQ(Set(kNetworkDeviceNet).m_nNodeAddress, 5);

  Click("Set to Default Values");  // answered No
  EXPECT_EQ(Set(kNetworkDeviceNet).m_nNodeAddress, 5);
  EXPECT_EQ(Set(kNetworkEthernet).m_nProtocol, kProtocolModbusTcp);

  test.prompter.answer = true;
  Click("Set to Default Values");
  EXPECT_EQ(Set(kNetworkDeviceNet).m_nNodeAddress, 20);
  EXPECT_EQ(Field(deviceNetPane(), "node")->text(), "20") << "the pane shows the defaults";
  EXPECT_EQ(Set(kNetworkEthernet).m_nProtocol, kProtocolNone);
  EXPECT_TRUE(Find<QRadioButton>("None")->isChecked());
  EXPECT_EQ(Generated(), "^A000000^P2L");
  ASSERT_EQ(test.prompter.errors.size(), 2u) << "the link's message, then the page's";
  EXPECT_EQ(test.prompter.errors.back(), "Set default values message could not be sent!");
}

// Each sending operation: its question, its success message with the bytes that arrive, and
// its failure message.
TEST_F(MarqueeComSetupDlgTest, OperationsReportTheirOutcome) {
  struct Case {
    const char* button;
    int type;
    std::string question;
    std::string sent;
    std::string success;
    std::string failure;
  };
  const Case cases[] = {
      {"Program Marquee", kNetworkDeviceNet,
       "Are you sure you want to program the DeviceNet network\nwith the displayed parameters?",
       "^A000000^P2A020^P2B125^P2R032^P2S002^P2W0"
       "^A000000^E1^L0^C1^D1^K0^dC1DeviceNet Communication Attributes "
       "Programmed.^N",
       "DeviceNet network program message was successfully sent.\n\nPlease Power Cycle marquee to use new "
       "parameters.",
       "DeviceNet network program message could not be sent!"},
      {"Set to Default Values", kNetworkModbusRtu, "Are you sure you want to set default values?",
       "^A000000^P1L"
       "^A000000^E1^L0^C1^D1^K0^dC1Default values set^N",
       "Set default values message was successfully sent.", "Set default values message could not be sent!"},
      {"Disable Network ", kNetworkProfibus,
       "Are you sure you want to disable the Profibus network?\n(Programming new parameters automatically enables "
       "the network)",
       "^A000000^P3Z"
       "^A000000^E1^L0^C1^D1^K0^dC1Profibus Communication Attributes Disabled.^N",
       "Profibus network disable message was successfully sent.",
       "Profibus network disable message could not be sent!"},
  };
  for (const Case& c : cases) {
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    test.ports = {{pty.path(), "ttyAbsent0"}, {}};
    test.app->EnumeratePorts();
    page->OnPortsChanged();
    ChooseType(c.type);
    test.prompter = RecordingPrompter();
    test.prompter.answer = true;

    Choose(Find<QComboBox>("port"), 0);
    pty.StartReading(c.sent.size());
    Click(c.button);
    pty.StopReading();
    EXPECT_EQ(test.prompter.questions, std::vector<std::string>{c.question});
    EXPECT_EQ(pty.received(), c.sent) << c.button;
    EXPECT_EQ(test.prompter.information, std::vector<std::string>{c.success});
    EXPECT_TRUE(test.prompter.errors.empty()) << c.button;

    test.prompter = RecordingPrompter();
    test.prompter.answer = true;
    Choose(Find<QComboBox>("port"), 1);  // ttyAbsent0, not there
    Click(c.button);
    ASSERT_EQ(test.prompter.errors.size(), 2u) << c.button;
    EXPECT_EQ(test.prompter.errors.back(), c.failure);
    EXPECT_TRUE(test.prompter.information.empty());

    test.prompter = RecordingPrompter();
    Click(c.button);  // answered No
    EXPECT_EQ(test.prompter.questions.size(), 1u);
    EXPECT_TRUE(test.prompter.errors.empty() && test.prompter.information.empty()) << c.button;
  }
}

TEST_F(MarqueeComSetupDlgTest, ProgrammingHoldsTheBusyIndicatorThroughout) {
  ChooseType(kNetworkEthernet);
  CheckPart("Address");
  Find<QLineEdit>("interval")->setText("1");
  test.prompter.answer = true;
  Click("Program Marquee");  // the first piece fails: the port is not there
  EXPECT_EQ(test.busy.begun, test.busy.ended);
  EXPECT_EQ(test.busy.begun, 2) << "the whole operation and the one send";
  EXPECT_EQ(test.prompter.errors.size(), 1u) << "a failed piece has only the link's message";
}

}  // namespace
