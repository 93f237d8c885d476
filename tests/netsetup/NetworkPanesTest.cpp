// The three network parameter panes inside the setup page: captions, digits-only fields,
// ranges at their bounds with the focus on a refused field, lists, byte order radios and the
// Ethernet pane's optional parts.

#include <QGroupBox>
#include <QLabel>

#include "common/Text.h"
#include "controls/CheckableGroupBox.h"
#include "controls/IPAddressEdit.h"
#include "netsetup/SetupPageFixture.h"

namespace {

using NetworkPanesTest = SetupPageTest;

// The text of the label that names field.
QString LabelOf(const QWidget* pane, const QWidget* field) {
  for (const QLabel* label : pane->findChildren<QLabel*>())
    if (label->buddy() == field) return label->text();
  return "(no label)";
}

// The value a field stores into its parameter set.
int Stored(const CLadDeviceNetwork& set, const std::string& field) {
  if (field == "node") return set.m_nNodeAddress;
  if (field == "consumed") return set.m_nConsumedSize;
  if (field == "rtuUnit") return set.m_nRtuUnitId;
  if (field == "inputSize") return set.m_nInputSize;
  return set.m_nUnitId;
}

TEST_F(NetworkPanesTest, RangesAreCheckedAtTheirBoundsAndAnEmptyFieldIsZero) {
  struct Case {
    int type;
    int protocol;  // Ethernet only
    const char* field;
    const char* text;
    const char* refusal;  // null when accepted
  };
  const char* kMacId = "Invalid MAC Address !\nValid Range is 0 - 63";
  const char* kConsumed = "Invalid Value for Consumed Bytes!\nValid Range is  8 - 120";
  const char* kNode = "Invalid Node Address !\nValid Range is 1 - 63";
  const char* kInput = "Invalid Value for Input Bytes!\nValid Range is  1 - 244";
  const char* kRtuUnit = "Invalid Unit ID!\nValid Range is 0 - 255";
  const char* kInputSize = "Invalid Input size!\nValid Range is 8 - 96";
  const char* kUnitId = "Invalid Unit ID!\nValid Range is 1 - 247";
  const Case cases[] = {
      {kNetworkDeviceNet, 0, "node", "0", nullptr},
      {kNetworkDeviceNet, 0, "node", "63", nullptr},
      {kNetworkDeviceNet, 0, "node", "", nullptr},
      {kNetworkDeviceNet, 0, "node", "64", kMacId},
      {kNetworkDeviceNet, 0, "consumed", "8", nullptr},
      {kNetworkDeviceNet, 0, "consumed", "120", nullptr},
      {kNetworkDeviceNet, 0, "consumed", "7", kConsumed},
      {kNetworkDeviceNet, 0, "consumed", "121", kConsumed},
      {kNetworkProfibus, 0, "node", "0", nullptr},
      {kNetworkProfibus, 0, "node", "", nullptr},
      {kNetworkProfibus, 0, "node", "63", nullptr},
      {kNetworkProfibus, 0, "node", "64", kNode},
      {kNetworkProfibus, 0, "consumed", "1", nullptr},
      {kNetworkProfibus, 0, "consumed", "244", nullptr},
      {kNetworkProfibus, 0, "consumed", "0", kInput},
      {kNetworkProfibus, 0, "consumed", "245", kInput},
      {kNetworkModbusRtu, 0, "rtuUnit", "0", nullptr},
      {kNetworkModbusRtu, 0, "rtuUnit", "", nullptr},
      {kNetworkModbusRtu, 0, "rtuUnit", "255", nullptr},
      {kNetworkModbusRtu, 0, "rtuUnit", "256", kRtuUnit},
      {kNetworkModbusRtu, 0, "rtuUnit", "999", kRtuUnit},
      {kNetworkEthernet, kProtocolEthernetIp, "inputSize", "8", nullptr},
      {kNetworkEthernet, kProtocolEthernetIp, "inputSize", "96", nullptr},
      {kNetworkEthernet, kProtocolEthernetIp, "inputSize", "7", kInputSize},
      {kNetworkEthernet, kProtocolEthernetIp, "inputSize", "97", kInputSize},
      {kNetworkEthernet, kProtocolModbusTcp, "unitId", "1", nullptr},
      {kNetworkEthernet, kProtocolModbusTcp, "unitId", "247", nullptr},
      {kNetworkEthernet, kProtocolModbusTcp, "unitId", "0", kUnitId},
      {kNetworkEthernet, kProtocolModbusTcp, "unitId", "248", kUnitId},
  };
  const char* protocols[] = {"None", "Ethernet/IP Slave", "Modbus TCP/IP Slave"};
  for (const Case& c : cases) {
    const std::string where = Format("type %d, %s \"%s\"", c.type, c.field, c.text);
    ChooseType(kNetworkEthernet);
    Click(protocols[c.protocol]);
    CheckPart("Unit");
    ChooseType(c.type);  // reloads the pane: no refused value is left from the case before
    const QWidget* pane = c.type == kNetworkEthernet    ? static_cast<QWidget*>(ethernetPane())
                          : c.type == kNetworkModbusRtu ? static_cast<QWidget*>(modbusPane())
                                                        : static_cast<QWidget*>(deviceNetPane());
    QLineEdit* field = Field(pane, c.field);
    const int before = Stored(Set(c.type), c.field);
    field->setText(c.text);
    test.prompter.errors.clear();
    Click("Generate String");
    if (c.refusal) {
      EXPECT_EQ(test.prompter.errors, std::vector<std::string>{c.refusal}) << where;
      EXPECT_EQ(QApplication::focusWidget(), field) << where;
      EXPECT_EQ(Stored(Set(c.type), c.field), before) << where;
    } else {
      EXPECT_TRUE(test.prompter.errors.empty()) << where;
      EXPECT_EQ(Stored(Set(c.type), c.field), LeadingInt(c.text)) << where;
    }
  }
}

TEST_F(NetworkPanesTest, FieldsTakeDigitsOnlyAndTheModbusUnitThreeOfThem) {
  ChooseType(kNetworkDeviceNet);
  QLineEdit* node = Field(deviceNetPane(), "node");
  node->clear();
  QTest::keyClicks(node, "1a2-3 ");
  EXPECT_EQ(node->text(), "123");
  ChooseType(kNetworkModbusRtu);
  QLineEdit* unit = Field(modbusPane(), "rtuUnit");
  unit->clear();
  QTest::keyClicks(unit, "2555");
  EXPECT_EQ(unit->text(), "255");
}

TEST_F(NetworkPanesTest, TheNodeAddressIsCheckedBeforeTheSize) {
  ChooseType(kNetworkDeviceNet);
  Field(deviceNetPane(), "node")->setText("64");
  Field(deviceNetPane(), "consumed")->setText("7");
  Click("Generate String");
  EXPECT_EQ(test.prompter.errors, std::vector<std::string>{"Invalid MAC Address !\nValid Range is 0 - 63"});
  EXPECT_EQ(QApplication::focusWidget(), Field(deviceNetPane(), "node"));
}

TEST_F(NetworkPanesTest, CaptionsFollowTheType) {
  struct Case {
    int type;
    QString box, node, consumed, produced;
  };
  const Case cases[] = {
      {kNetworkDeviceNet, "DeviceNet", "MAC ID (0-63)", "Consumed Bytes (8-120)", "Produced Bytes"},
      {kNetworkProfibus, "Profibus", "Node Address (0-63)", "Input Bytes (1-244)", "Output Bytes"},
  };
  for (const Case& c : cases) {
    ChooseType(c.type);
    const CDeviceDeviceNetDlg* pane = deviceNetPane();
    EXPECT_EQ(pane->findChild<QGroupBox*>()->title(), c.box);
    EXPECT_EQ(LabelOf(pane, Field(pane, "node")), c.node);
    EXPECT_EQ(LabelOf(pane, Field(pane, "consumed")), c.consumed);
    EXPECT_EQ(LabelOf(pane, Field(pane, "produced")), c.produced);
    for (const char* hidden : {"timeout", "pollTime"}) EXPECT_FALSE(Field(pane, hidden)->isVisible());
  }
}

TEST_F(NetworkPanesTest, ProducedBytesCannotBeEdited) {
  ChooseType(kNetworkDeviceNet);
  QLineEdit* produced = Field(deviceNetPane(), "produced");
  EXPECT_FALSE(produced->isEnabled());
  EXPECT_EQ(produced->text(), "2");
  Click("Generate String");
  EXPECT_EQ(Set(kNetworkDeviceNet).m_nProducedSize, 2);
  EXPECT_TRUE(Generated().contains("^P2S002"));
}

TEST_F(NetworkPanesTest, TheBaudListFollowsTheType) {
  ChooseType(kNetworkDeviceNet);
  auto* bauds = Find<QComboBox>("baudRate", deviceNetPane());
  EXPECT_EQ(Items(bauds), (QStringList{"125 kb/s", "250 kb/s", "500 kb/s"}));
  EXPECT_EQ(bauds->currentIndex(), 0);
  Choose(bauds, 2);
  Click("Generate String");
  EXPECT_EQ(Set(kNetworkDeviceNet).m_nBaudIndex, 2);
  EXPECT_TRUE(Generated().contains("^P2B500"));

  ChooseType(kNetworkProfibus);
  EXPECT_EQ(Items(bauds), QStringList{"Auto"});
  Click("Generate String");
  EXPECT_EQ(Set(kNetworkProfibus).m_nBaudIndex, 0);

  ChooseType(kNetworkDeviceNet);
  EXPECT_EQ(bauds->currentText(), "500 kb/s") << "loaded from the DeviceNet set";
}

TEST_F(NetworkPanesTest, ModbusWiringIsTheListIndex) {
  ChooseType(kNetworkModbusRtu);
  auto* wiring = Find<QComboBox>("wiring", modbusPane());
  EXPECT_EQ(Items(wiring), (QStringList{"RS232 (Marquee RS232 port)", "RS422 (Marquee RS422/485 Port)",
                                        "RS485 (Marquee RS422/485 port)"}));
  EXPECT_EQ(wiring->currentIndex(), 1);
  Choose(wiring, 2);
  Click("Generate String");
  EXPECT_EQ(Generated(), "^A000000^P4m001^P4p2^P4W2");
}

TEST_F(NetworkPanesTest, ByteOrderRadiosKeepTheOperatorsChoiceAcrossTypes) {
  ChooseType(kNetworkDeviceNet);
  Find<QRadioButton>("Char 2, Char 1", deviceNetPane())->click();
  Find<QRadioButton>("Low, High", deviceNetPane())->click();
  for (int type : {kNetworkProfibus, kNetworkModbusRtu, kNetworkEthernet, kNetworkDeviceNet}) ChooseType(type);
  EXPECT_TRUE(Find<QRadioButton>("Char 2, Char 1", deviceNetPane())->isChecked());
  EXPECT_TRUE(Find<QRadioButton>("Low, High", deviceNetPane())->isChecked());
  Click("Generate String");
  EXPECT_TRUE(Generated().endsWith("^P2W3"));

  ChooseType(kNetworkModbusRtu);  // its own radios, as the pane started them
  Click("Generate String");
  EXPECT_TRUE(Generated().endsWith("^P4W2"));
}

TEST_F(NetworkPanesTest, TypedValuesStayUntilThePaneIsReloaded) {
  ChooseType(kNetworkDeviceNet);
  QLineEdit* node = Field(deviceNetPane(), "node");
  node->setText("5");
  ChooseType(kNetworkProfibus);
  ChooseType(kNetworkDeviceNet);
  EXPECT_EQ(node->text(), "20");
}

TEST_F(NetworkPanesTest, EthernetPartsStartUncheckedWithTheirContentsDisabled) {
  for (const char* part : {"Address", "Unit", "Byte Order"}) EXPECT_EQ(Part(part)->GetCheck(), 0) << part;
  EXPECT_FALSE(ethernetPane()->findChild<CIPAddressEdit*>()->isEnabled());
  CheckPart("Address");
  EXPECT_TRUE(ethernetPane()->findChild<CIPAddressEdit*>()->isEnabled());
  for (const char* hidden : {"timeout", "pollTime", "portNumber"})
    EXPECT_FALSE(Field(ethernetPane(), hidden)->isVisible());
}

TEST_F(NetworkPanesTest, TheEthernetProtocolLaysOutTheUnitAndByteOrderParts) {
  struct Case {
    const char* protocol;
    bool parts;
    QString unitTitle;
    QString unitLabel;
    bool inputSize;
    bool unitId;
  };
  const Case cases[] = {
      {"Ethernet/IP Slave", true, "Input", "Input size", true, false},
      {"Modbus TCP/IP Slave", true, "Unit", "Unit ID", false, true},
      {"None", false, "Unit", "Unit ID", false, false},
  };
  CCheckableGroupBox* unitBox = Part("Unit");
  CCheckableGroupBox* byteOrderBox = Part("Byte Order");
  for (const Case& c : cases) {
    Click(c.protocol);
    EXPECT_EQ(unitBox->titleButton()->text(), c.unitTitle) << c.protocol;
    EXPECT_EQ(unitBox->isVisible(), c.parts) << c.protocol;
    EXPECT_EQ(byteOrderBox->isVisible(), c.parts) << c.protocol;
    EXPECT_EQ(Field(ethernetPane(), "inputSize")->isVisible(), c.inputSize) << c.protocol;
    EXPECT_EQ(Field(ethernetPane(), "unitId")->isVisible(), c.unitId) << c.protocol;
    bool labelled = false;
    for (const QLabel* label : unitBox->findChildren<QLabel*>()) labelled |= label->text() == c.unitLabel;
    EXPECT_TRUE(labelled) << c.protocol;
  }
}

TEST_F(NetworkPanesTest, WithUnitUncheckedTheInputSizeIsNeitherCheckedNorStored) {
  Click("Ethernet/IP Slave");
  CheckPart("Byte Order");
  Field(ethernetPane(), "inputSize")->setText("200");
  Click("Generate String");
  EXPECT_TRUE(test.prompter.errors.empty());
  EXPECT_EQ(Set(kNetworkEthernet).m_nInputSize, 32);
  EXPECT_FALSE(Set(kNetworkEthernet).m_bSendUnit);
  EXPECT_EQ(Generated(), "^A000000^P1W0");
}

TEST_F(NetworkPanesTest, AddressesTypedOverTheDefaultsAreProgrammedAsTyped) {
  CheckPart("Address");
  Part("Address")->titleButton()->setFocus(Qt::TabFocusReason);
  for (const char* typed : {"192.168.1.50", "255.255.0.0", "192.168.1.1"}) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    for (const char* c = typed; *c; ++c) QTest::keyClick(QApplication::focusWidget(), *c);
  }
  Click("Generate String");
  EXPECT_EQ(Generated(), "^A000000^P1A192.168.001.050^P1M255.255.000.000^P1G192.168.001.001^P1N49999");
}

TEST_F(NetworkPanesTest, APartTheProtocolHidesCountsAsUnticked) {
  Click("Ethernet/IP Slave");
  CheckPart("Byte Order");
  Click("None");
  test.prompter.answer = true;
  Click("Program Marquee");
  EXPECT_EQ(Generated(), "") << "no visible part ticked: nothing shown";
  EXPECT_TRUE(NoPrompts()) << "nothing asked, nothing sent";
  EXPECT_FALSE(Set(kNetworkEthernet).m_bSendByteOrder);
  CheckPart("Address");
  Click("Generate String");
  EXPECT_EQ(Generated(), "^A000000^P1A192.168.000.001^P1M255.255.255.000^P1G000.000.000.000^P1N49999");
  EXPECT_TRUE(Set(kNetworkEthernet).m_bSendAddress && !Set(kNetworkEthernet).m_bSendByteOrder);
  Click("Ethernet/IP Slave");
  Click("Generate String");
  EXPECT_TRUE(Generated().endsWith("^P1N49999^P1W0")) << "shown again, the part counts again";
}

TEST_F(NetworkPanesTest, ARefusedValueIsLeftSelectedSoTypingReplacesIt) {
  ChooseType(kNetworkModbusRtu);
  QLineEdit* unit = Field(modbusPane(), "rtuUnit");
  unit->setText("300");
  Click("Generate String");
  ASSERT_EQ(QApplication::focusWidget(), unit);
  QTest::keyClicks(unit, "7");
  EXPECT_EQ(unit->text(), "7");
}

TEST_F(NetworkPanesTest, ARefusedEthernetValueKeepsItAndTheByteOrderButStoresTheRest) {
  Click("Ethernet/IP Slave");
  for (const char* part : {"Address", "Unit", "Byte Order"}) CheckPart(part);
  auto edits = ethernetPane()->findChildren<CIPAddressEdit*>();
  ASSERT_EQ(edits.size(), 3);
  edits[0]->SetAddress({10, 0, 0, 5});
  Find<QRadioButton>("Char 2, Char 1", ethernetPane())->click();
  Field(ethernetPane(), "inputSize")->setText("97");
  Click("Generate String");
  ASSERT_EQ(test.prompter.errors.size(), 1u);
  const CLadDeviceNetwork& set = Set(kNetworkEthernet);
  EXPECT_EQ(set.m_IPAddress, (IPAddress{10, 0, 0, 5}));
  EXPECT_TRUE(set.m_bSendAddress && set.m_bSendUnit && set.m_bSendByteOrder);
  EXPECT_EQ(set.m_nInputSize, 32);
  EXPECT_EQ(set.m_nByteOrder, 2) << "the default kept, not the radios' 1";
}

}  // namespace

namespace {

TEST_F(NetworkPanesTest, TabGoesThroughEachEthernetPartsTitleThenItsFields) {
  for (const char* protocol : {"Ethernet/IP Slave", "Modbus TCP/IP Slave"}) {
    Click(protocol);
    for (const char* part : {"Address", "Unit", "Byte Order"}) CheckPart(part);
    const auto edits = ethernetPane()->findChildren<CIPAddressEdit*>();
    ASSERT_EQ(edits.size(), 3);
    const QString unitField = QString(protocol) == "Ethernet/IP Slave" ? "inputSize" : "unitId";
    const QList<QWidget*> expected = {edits[0]->focusProxy(),
                                      edits[1]->focusProxy(),
                                      edits[2]->focusProxy(),
                                      Part("Unit")->titleButton(),
                                      Field(ethernetPane(), unitField),
                                      Part("Byte Order")->titleButton(),
                                      Find<QRadioButton>("Char 1, Char 2", ethernetPane()),
                                      Find<QRadioButton>("High, Low ", ethernetPane())};
    Part("Address")->titleButton()->setFocus(Qt::TabFocusReason);
    for (int stop = 0; stop < expected.size(); ++stop) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      EXPECT_EQ(QApplication::focusWidget(), expected[stop]) << protocol << ", stop " << stop;
    }
  }
}

}  // namespace
