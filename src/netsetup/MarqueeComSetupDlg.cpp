#include "netsetup/MarqueeComSetupDlg.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <functional>
#include <span>

#include "app/DialogUnits.h"
#include "app/NorvMarqueeApp.h"
#include "common/BusyIndicator.h"
#include "common/HelpTopics.h"
#include "common/Prompter.h"
#include "common/QtText.h"
#include "common/Text.h"
#include "controls/NorvComboBox.h"
#include "link/LinkSettings.h"
#include "netsetup/DeviceDeviceNetDlg.h"
#include "netsetup/DeviceEthernetDlg.h"
#include "netsetup/DeviceModbusRTUDlg.h"
#include "netsetup/NumberField.h"
#include "netsetup/ProgramPieces.h"

namespace {

constexpr const char* kNetworkTypeCaptions[] = {"Ethernet", "DeviceNet", "Profibus - DP", "Modbus RTU"};
constexpr const char* kProtocolCaptions[] = {"None", "Ethernet/IP Slave", "Modbus TCP/IP Slave"};
constexpr int kGroupCount = 3;  // groups 0 to 2
constexpr int kUnitCount = 9;   // units 0 to 8

bool PortIsEthernet() {
  return EqualsNoCase(theApp().m_strPortName, kEthernetPortName);
}

// The list item that shows number; -1 (no item) when the list has none.
int ItemOfNumber(const QComboBox* list, int number) {
  return list->findText(QString::number(number));
}

}  // namespace

CMarqueeComSetupDlg::CMarqueeComSetupDlg(QWidget* parent) : CNorvChildDialog(parent) {
  // Created in the order Tab goes through them.
  auto* intro = new QLabel(
      tr("You can configure networking parameters for marquees with Ethernet, DeviceNet, or Profibus options from "
         "this ") +
          tr("dialog box. Alternatively, you can generate ASCII strings for setup and utilize your preferred terminal "
             "application, such as HyperTerminal, to send generated code to the marquee."),
      this);
  intro->setWordWrap(true);
  QGroupBox* networkTypeBox = CreateRadioBox(tr("Network Type"), kNetworkTypeCaptions, m_NetworkTypeRadios,
                                             [this](int index) { OnNetworkTypeClicked(kNetworkEthernet + index); });
  m_pProtocolBox = CreateRadioBox(tr("Protocol"), kProtocolCaptions, m_ProtocolRadios,
                                  [this](int protocol) { OnProtocolClicked(protocol); });
  // Shown for Ethernet only; nothing moves when it goes.
  QSizePolicy keepPlace = m_pProtocolBox->sizePolicy();
  keepPlace.setRetainSizeWhenHidden(true);
  m_pProtocolBox->setSizePolicy(keepPlace);
  // The panes lie exactly over this empty frame, one at a time.
  auto* paneFrame = new QGroupBox(this);
  m_pDeviceNetPane = new CDeviceDeviceNetDlg(this);
  m_pEthernetPane = new CDeviceEthernetDlg(this);
  m_pModbusPane = new CDeviceModbusRTUDlg(this);
  auto* panes = new QGridLayout;
  for (QWidget* widget : std::initializer_list<QWidget*>{paneFrame, m_pDeviceNetPane, m_pEthernetPane, m_pModbusPane}) {
    widget->setFixedSize(DialogUnitsToPixels(this, 207, 192));
    panes->addWidget(widget, 0, 0);
  }
  auto* defaultsButton = new QPushButton(tr("Set to Default Values"), this);
  auto* disableButton = new QPushButton(tr("Disable Network "), this);
  auto* enableNote = new QLabel(tr("( Programming new parameters automatically enables the network)"), this);
  enableNote->setWordWrap(true);
  QGroupBox* addressBox = CreateAddressBox();
  auto* portLabel = new QLabel(tr("Use"), this);
  m_pPortSelector = new CNorvComboBox(this);
  m_pPortSelector->setObjectName("port");
  portLabel->setBuddy(m_pPortSelector);
  m_pSendToLabel = new QLabel(tr("Send To"), this);
  m_pSendToSelector = new CNorvComboBox(this);
  m_pSendToSelector->setObjectName("sendTo");
  m_pSendToLabel->setBuddy(m_pSendToSelector);
  auto* generateButton = new QPushButton(tr("Generate String"), this);
  auto* programButton = new QPushButton(tr("Program Marquee"), this);
  QPushButton* helpButton = CreateHelpButton(kHelpMarqueeCommunication);
  QGroupBox* generatedStringBox = CreateGeneratedStringBox();
  m_pIntervalField = CreateNumberField(this, "interval");
  m_pIntervalField->setAccessibleName(tr("Time Interval\n(msec)"));
  m_pIntervalField->hide();

  auto* left = new QVBoxLayout;
  left->addWidget(networkTypeBox);
  left->addWidget(m_pProtocolBox);
  left->addStretch(1);
  left->addWidget(defaultsButton);
  left->addWidget(disableButton);
  left->addWidget(enableNote);
  auto* right = new QVBoxLayout;
  right->addWidget(addressBox);
  right->addWidget(portLabel);
  right->addWidget(m_pPortSelector);
  right->addWidget(m_pSendToLabel);
  right->addWidget(m_pSendToSelector);
  right->addStretch(1);
  right->addWidget(generateButton);
  right->addWidget(programButton);
  right->addWidget(helpButton);
  auto* layout = new QGridLayout(this);
  layout->addWidget(intro, 0, 0, 1, 3);
  layout->addLayout(left, 1, 0);
  layout->addLayout(panes, 1, 1);
  layout->addLayout(right, 1, 2);
  layout->addWidget(generatedStringBox, 2, 0, 1, 3);

  connect(defaultsButton, &QPushButton::clicked, this, &CMarqueeComSetupDlg::SetDefaultValues);
  connect(disableButton, &QPushButton::clicked, this, &CMarqueeComSetupDlg::DisableNetwork);
  connect(generateButton, &QPushButton::clicked, this, &CMarqueeComSetupDlg::GenerateString);
  connect(programButton, &QPushButton::clicked, this, &CMarqueeComSetupDlg::ProgramMarquee);
  connect(m_pPortSelector, &QComboBox::activated, this, [this] {
    OnPortSelectorChanged();
    UpdateSendTo();
  });
  connect(m_pSendToSelector, &QComboBox::activated, this, [this] { SelectSendTarget(); });

  CNorvMarqueeApp& app = theApp();
  const int type = app.m_nNetworkType;
  const bool fieldbusOrModbus = type >= kNetworkDeviceNet && type <= kNetworkModbusRtu;
  m_NetworkTypeRadios[fieldbusOrModbus ? static_cast<size_t>(type - kNetworkEthernet) : 0]->setChecked(true);
  ShowPane();
  const int protocol = NetworkSetOf(kNetworkEthernet).m_nProtocol;
  const bool knownProtocol = protocol == kProtocolEthernetIp || protocol == kProtocolModbusTcp;
  m_ProtocolRadios[static_cast<size_t>(knownProtocol ? protocol : kProtocolNone)]->setChecked(true);
  SelectAddressItems();
  OnPortsChanged();
  m_pIntervalField->setText("0");
}

QGroupBox* CMarqueeComSetupDlg::CreateRadioBox(const QString& title, std::span<const char* const> captions,
                                               std::span<QRadioButton*> radios,
                                               const std::function<void(int)>& onClicked) {
  auto* box = new QGroupBox(title, this);
  auto* layout = new QVBoxLayout(box);
  for (size_t i = 0; i < radios.size(); ++i) {
    radios[i] = new QRadioButton(ToQString(captions[i]), box);
    layout->addWidget(radios[i]);
    connect(radios[i], &QRadioButton::clicked, this, [onClicked, i] { onClicked(static_cast<int>(i)); });
  }
  return box;
}

QGroupBox* CMarqueeComSetupDlg::CreateAddressBox() {
  auto* box = new QGroupBox(tr("Marquee Address"), this);
  auto* groupLabel = new QLabel(tr("Group"), box);
  m_pGroupList = new CNorvComboBox(box);
  m_pGroupList->setObjectName("group");
  groupLabel->setBuddy(m_pGroupList);
  auto* unitLabel = new QLabel(tr("Unit"), box);
  m_pUnitList = new CNorvComboBox(box);
  m_pUnitList->setObjectName("unit");
  unitLabel->setBuddy(m_pUnitList);
  for (int group = 0; group < kGroupCount; ++group) m_pGroupList->addItem(QString::number(group));
  for (int unit = 0; unit < kUnitCount; ++unit) m_pUnitList->addItem(QString::number(unit));
  auto* layout = new QGridLayout(box);
  layout->addWidget(groupLabel, 0, 0);
  layout->addWidget(m_pGroupList, 0, 1);
  layout->addWidget(unitLabel, 1, 0);
  layout->addWidget(m_pUnitList, 1, 1);
  return box;
}

QGroupBox* CMarqueeComSetupDlg::CreateGeneratedStringBox() {
  auto* box = new QGroupBox(tr("Generated String"), this);
  auto* note = new QLabel(tr("You can copy and paste generated ASCII string in your application"), box);
  m_pGeneratedString = new QPlainTextEdit(box);
  m_pGeneratedString->setObjectName("generatedString");
  m_pGeneratedString->setAccessibleName(tr("Generated String"));
  m_pGeneratedString->setReadOnly(true);
  m_pGeneratedString->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  m_pGeneratedString->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  m_pGeneratedString->setFixedHeight(DialogUnitsY(this, 30));
  m_pCopyButton = new QPushButton(tr("Copy ASCII String to Clipboard"), box);
  m_pCopyButton->setEnabled(false);
  connect(m_pGeneratedString, &QPlainTextEdit::textChanged, this,
          [this] { m_pCopyButton->setEnabled(!m_pGeneratedString->toPlainText().trimmed().isEmpty()); });
  connect(m_pCopyButton, &QPushButton::clicked, this,
          [this] { theApp().CopyToClipboard(FromQString(m_pGeneratedString->toPlainText().trimmed())); });
  auto* layout = new QGridLayout(box);
  layout->addWidget(note, 0, 0);
  layout->addWidget(m_pGeneratedString, 1, 0);
  layout->addWidget(m_pCopyButton, 1, 1, Qt::AlignTop);
  return box;
}

void CMarqueeComSetupDlg::OnPortsChanged() {
  FillPortSelector();
  UpdateSendTo();
}

void CMarqueeComSetupDlg::OnPageShown() {
  SelectCurrentPort();
  UpdateSendTo();
}

void CMarqueeComSetupDlg::OnNetworkTypeClicked(int networkType) {
  int& selected = theApp().m_nNetworkType;
  // The string shown was made for another card: it must not be copied for this one.
  if (selected != networkType) m_pGeneratedString->clear();
  selected = networkType;
  ShowPane();
}

void CMarqueeComSetupDlg::OnProtocolClicked(int protocol) {
  NetworkSetOf(kNetworkEthernet).m_nProtocol = protocol;
  m_ProtocolRadios[static_cast<size_t>(protocol)]->setChecked(true);
  m_pEthernetPane->LayOutProtocol();
}

CNetworkPane* CMarqueeComSetupDlg::PaneOf(int networkType) const {
  switch (networkType) {
    case kNetworkEthernet:
      return m_pEthernetPane;
    case kNetworkDeviceNet:
    case kNetworkProfibus:
      return m_pDeviceNetPane;
    case kNetworkModbusRtu:
      return m_pModbusPane;
    default:
      return nullptr;
  }
}

void CMarqueeComSetupDlg::ShowPane() {
  const int type = theApp().m_nNetworkType;
  m_pProtocolBox->setVisible(type == kNetworkEthernet);
  // The DeviceNet pane also stands in for an unknown type; it then refuses to store.
  CNetworkPane* shown = PaneOf(type) ? PaneOf(type) : m_pDeviceNetPane;
  shown->Load();
  for (CNetworkPane* pane : std::initializer_list<CNetworkPane*>{m_pDeviceNetPane, m_pEthernetPane, m_pModbusPane})
    pane->setVisible(pane == shown);
}

void CMarqueeComSetupDlg::UpdateSendTo() {
  const bool ethernet = PortIsEthernet();
  m_pSendToLabel->setVisible(ethernet);
  m_pSendToSelector->setVisible(ethernet);
  if (ethernet) FillSendToCombo();
}

void CMarqueeComSetupDlg::SelectAddressItems() {
  const CNorvMarqueeApp& app = theApp();
  m_pGroupList->setCurrentIndex(ItemOfNumber(m_pGroupList, app.m_nGroupNumber));
  m_pUnitList->setCurrentIndex(ItemOfNumber(m_pUnitList, app.m_nUnitNumber));
}

void CMarqueeComSetupDlg::StoreGroupAndUnit() {
  // A list without a selection (the number had no item) counts as 0.
  CNorvMarqueeApp& app = theApp();
  app.m_nGroupNumber = std::max(0, m_pGroupList->currentIndex());
  app.m_nUnitNumber = std::max(0, m_pUnitList->currentIndex());
}

bool CMarqueeComSetupDlg::StoreAddress() {
  StoreGroupAndUnit();
  const CNorvMarqueeApp& app = theApp();
  if (!PortIsEthernet() || (!app.m_SendTarget.m_strName.empty() && !app.m_SendTarget.m_Members.empty())) return true;
  app.Prompter().Error("Please select 'Sent to' Marquee");
  return false;
}

std::string CMarqueeComSetupDlg::GeneratedString() const {
  return FromQString(m_pGeneratedString->toPlainText());
}

void CMarqueeComSetupDlg::SetGeneratedString(const std::string& text) {
  m_pGeneratedString->setPlainText(ToQString(text).trimmed());
}

void CMarqueeComSetupDlg::SendNotice(const std::string& text) {
  CNorvMarqueeApp& app = theApp();
  app.SendToMarquee(NetworkSetOf(app.m_nNetworkType).MakeNoticeString(text, app.m_nGroupNumber, app.m_nUnitNumber));
}

bool CMarqueeComSetupDlg::GenerateString() {
  // The string carries the address the lists show, stored or not.
  StoreGroupAndUnit();
  const CNorvMarqueeApp& app = theApp();
  CNetworkPane* pane = PaneOf(app.m_nNetworkType);
  if (!pane || !pane->ReadAndValidate()) return false;
  const CLadDeviceNetwork& set = NetworkSetOf(app.m_nNetworkType);
  SetGeneratedString(set.MakeProgramString(true, app.m_nGroupNumber, app.m_nUnitNumber));
  return true;
}

void CMarqueeComSetupDlg::ProgramMarquee() {
  if (!GenerateString() || GeneratedString().empty() || !StoreAddress()) return;
  CNorvMarqueeApp& app = theApp();
  const CLadDeviceNetwork& set = NetworkSetOf(app.m_nNetworkType);
  const std::string name = set.GetNetworkName();
  if (!app.Prompter().AskYesNo(
          Format("Are you sure you want to program the %s network\nwith the displayed parameters?", name.c_str())))
    return;
  if (!SendProgram(set)) return;
  SendNotice(name + " Communication Attributes Programmed.");
  app.Prompter().Information(
      Format("%s network program message was successfully sent.\n\nPlease Power Cycle marquee to use new parameters.",
             name.c_str()));
}

bool CMarqueeComSetupDlg::SendProgram(const CLadDeviceNetwork& set) {
  CNorvMarqueeApp& app = theApp();
  const int interval = ReadNumber(m_pIntervalField);
  const BusyScope busy(app.BusyIndicator());
  if (interval > 0 && set.m_nNetworkType == kNetworkEthernet) {
    // The pieces report their own failures.
    return SendProgramInPieces(
        set, PiecePause(interval), app.m_nGroupNumber, app.m_nUnitNumber,
        [&app](const std::string& piece) { return app.SendToMarquee(piece); }, SleepFor);
  }
  if (app.SendToMarquee(GeneratedString())) return true;
  app.Prompter().Error(Format("%s network program message could not be sent!", set.GetNetworkName().c_str()));
  return false;
}

void CMarqueeComSetupDlg::SetDefaultValues() {
  CNorvMarqueeApp& app = theApp();
  if (!app.Prompter().AskYesNo("Are you sure you want to set default values?")) return;
  CLadDeviceNetwork& set = NetworkSetOf(app.m_nNetworkType);
  set.SetDefaults();
  OnProtocolClicked(kProtocolNone);
  ShowPane();
  if (!StoreAddress()) return;
  SetGeneratedString(set.MakeDefaultsString(app.m_nGroupNumber, app.m_nUnitNumber));
  if (!app.SendToMarquee(GeneratedString())) {
    app.Prompter().Error("Set default values message could not be sent!");
    return;
  }
  SendNotice("Default values set");
  app.Prompter().Information("Set default values message was successfully sent.");
}

void CMarqueeComSetupDlg::DisableNetwork() {
  if (!StoreAddress()) return;
  CNorvMarqueeApp& app = theApp();
  const CLadDeviceNetwork& set = NetworkSetOf(app.m_nNetworkType);
  SetGeneratedString(set.MakeDisableString(app.m_nGroupNumber, app.m_nUnitNumber));
  const std::string name = set.GetNetworkName();
  // Disabling the card over the network it runs would cut the marquee off.
  if (PortIsEthernet() && name == "Ethernet") {
    app.Prompter().Error("Ethernet network must be disabled over serial communication port!");
    m_pPortSelector->setFocus(Qt::OtherFocusReason);
    return;
  }
  if (!app.Prompter().AskYesNo(Format(
          "Are you sure you want to disable the %s network?\n(Programming new parameters automatically enables the "
          "network)",
          name.c_str())))
    return;
  if (!app.SendToMarquee(GeneratedString())) {
    app.Prompter().Error(Format("%s network disable message could not be sent!", name.c_str()));
    return;
  }
  SendNotice(name + " Communication Attributes Disabled.");
  app.Prompter().Information(Format("%s network disable message was successfully sent.", name.c_str()));
}
