#include "netsetup/DeviceEthernetDlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "controls/CheckableGroupBox.h"
#include "controls/IPAddressEdit.h"
#include "netsetup/ByteOrderControls.h"
#include "netsetup/LadDeviceNetwork.h"
#include "netsetup/NumberField.h"

namespace {

// Three parts with their byte order groups share a pane of the frame's size: little room to spare.
const QMargins kPartMargins(6, 2, 6, 2);

// A part is sent when the operator can see it ticked: a part the protocol hides counts as
// not ticked, whatever was ticked under an earlier protocol.
bool IsTicked(const CCheckableGroupBox* part) {
  return !part->isHidden() && part->GetCheck() == 1;
}

}  // namespace

CDeviceEthernetDlg::CDeviceEthernetDlg(QWidget* parent) : CNetworkPane(parent) {
  auto* outerBox = new QGroupBox(tr("Ethernet"), this);
  m_pAddressBox = CreateAddressBox(outerBox);
  m_pUnitBox = CreateUnitBox(outerBox);
  m_pByteOrderBox = new CCheckableGroupBox(tr("Byte Order"), outerBox);
  m_pByteOrder =
      new CByteOrderControls(tr("(Most users need not change the following byte order settings)"), m_pByteOrderBox);
  auto* byteOrderLayout = new QVBoxLayout(m_pByteOrderBox);
  byteOrderLayout->setContentsMargins(kPartMargins);
  byteOrderLayout->addWidget(m_pByteOrder);
  m_pTimeoutField = CreateNumberField(outerBox, "timeout");
  m_pPollTimeField = CreateNumberField(outerBox, "pollTime");
  m_pPortNumberField = CreateNumberField(outerBox, "portNumber");
  for (QWidget* hidden : {m_pTimeoutField, m_pPollTimeField, m_pPortNumberField}) hidden->hide();

  auto* boxLayout = new QVBoxLayout(outerBox);
  boxLayout->setContentsMargins(kPartMargins);
  boxLayout->setSpacing(2);
  boxLayout->addWidget(m_pAddressBox);
  boxLayout->addWidget(m_pUnitBox);
  boxLayout->addWidget(m_pByteOrderBox);
  boxLayout->addStretch(1);
  FillWith(outerBox);

  m_pAddressBox->setObjectName("addressPart");
  m_pUnitBox->setObjectName("unitPart");
  m_pByteOrderBox->setObjectName("byteOrderPart");
  for (CCheckableGroupBox* box : {m_pAddressBox, m_pUnitBox, m_pByteOrderBox}) {
    box->SetTitleStyle(CCheckableGroupBox::kCheckBox);
    box->SetCheck(0);
  }
  // The titles were made after the contents: Tab goes through each part's title, then its fields.
  QList<QWidget*> order = {m_pAddressBox->titleButton(),
                           m_pIPAddress->focusProxy(),
                           m_pSubnetMask->focusProxy(),
                           m_pGateway->focusProxy(),
                           m_pUnitBox->titleButton(),
                           m_pInputSizeField,
                           m_pUnitIdField,
                           m_pByteOrderBox->titleButton()};
  for (QRadioButton* radio : m_pByteOrder->findChildren<QRadioButton*>()) order << radio;
  for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
  m_pByteOrder->Check(MessageByteOrder::Char1Char2, CountByteOrder::HighLow);
  Load();
}

CCheckableGroupBox* CDeviceEthernetDlg::CreateAddressBox(QWidget* parent) {
  auto* box = new CCheckableGroupBox(tr("Address"), parent);
  auto* layout = new QGridLayout(box);
  layout->setContentsMargins(kPartMargins);
  layout->setVerticalSpacing(2);
  const std::pair<const char*, CIPAddressEdit**> rows[] = {
      {"IP Address", &m_pIPAddress}, {"Subnet Mask", &m_pSubnetMask}, {"Gateway Address", &m_pGateway}};
  for (int row = 0; row < 3; ++row) {
    auto* label = new QLabel(tr(rows[row].first), box);
    auto* edit = new CIPAddressEdit(box);
    edit->setAccessibleName(label->text());
    label->setBuddy(edit);
    *rows[row].second = edit;
    layout->addWidget(label, row, 0);
    layout->addWidget(edit, row, 1);
  }
  layout->setColumnStretch(2, 1);
  return box;
}

CCheckableGroupBox* CDeviceEthernetDlg::CreateUnitBox(QWidget* parent) {
  auto* box = new CCheckableGroupBox(tr("Unit"), parent);
  m_pUnitLabel = new QLabel(tr("Unit ID"), box);
  m_pInputSizeField = CreateNumberField(box, "inputSize");
  m_pUnitIdField = CreateNumberField(box, "unitId");
  m_pInputSizeNote = new QLabel(tr("(In 16 bit words)\n(Consumed by Marquee)"), box);
  // The input size and the unit ID take the same place; only one is shown.
  auto* layout = new QGridLayout(box);
  layout->setContentsMargins(kPartMargins);
  // Beside the label, whichever is shown; the room to spare lies right of the note.
  layout->addWidget(m_pUnitLabel, 0, 0);
  layout->addWidget(m_pInputSizeField, 0, 1, Qt::AlignLeft);
  layout->addWidget(m_pUnitIdField, 0, 1, Qt::AlignLeft);
  layout->addWidget(m_pInputSizeNote, 0, 2);
  layout->setColumnStretch(3, 1);
  return box;
}

void CDeviceEthernetDlg::Load() {
  const CLadDeviceNetwork& set = NetworkSetOf(kNetworkEthernet);
  WriteNumber(m_pTimeoutField, set.m_nTimeout);
  WriteNumber(m_pPollTimeField, set.m_nPollTime);
  m_pIPAddress->SetAddress(set.m_IPAddress);
  m_pSubnetMask->SetAddress(set.m_SubnetMask);
  m_pGateway->SetAddress(set.m_Gateway);
  WriteNumber(m_pPortNumberField, set.m_nPortNumber);
  WriteNumber(m_pInputSizeField, set.m_nInputSize);
  WriteNumber(m_pUnitIdField, set.m_nUnitId);
  LayOutProtocol();
}

void CDeviceEthernetDlg::LayOutProtocol() {
  const int protocol = NetworkSetOf(kNetworkEthernet).m_nProtocol;
  const bool inputSize = protocol == kProtocolEthernetIp;
  const bool hasProtocol = inputSize || protocol == kProtocolModbusTcp;
  m_pByteOrderBox->ShowGroup(hasProtocol);
  m_pUnitBox->ShowGroup(hasProtocol);
  m_pUnitBox->SetTitleText(inputSize ? tr("Input") : tr("Unit"));
  m_pUnitLabel->setText(inputSize ? tr("Input size") : tr("Unit ID"));
  m_pInputSizeField->setVisible(inputSize);
  m_pInputSizeNote->setVisible(inputSize);
  m_pUnitIdField->setVisible(protocol == kProtocolModbusTcp);
  m_pUnitLabel->setBuddy(inputSize ? m_pInputSizeField : m_pUnitIdField);
}

bool CDeviceEthernetDlg::ReadAndValidate() {
  CLadDeviceNetwork& set = NetworkSetOf(kNetworkEthernet);
  set.m_bSendAddress = IsTicked(m_pAddressBox);
  set.m_bSendUnit = IsTicked(m_pUnitBox);
  set.m_bSendByteOrder = IsTicked(m_pByteOrderBox);
  set.m_nTimeout = ReadNumber(m_pTimeoutField);
  set.m_nPollTime = ReadNumber(m_pPollTimeField);
  set.m_IPAddress = m_pIPAddress->GetAddress();
  set.m_SubnetMask = m_pSubnetMask->GetAddress();
  set.m_Gateway = m_pGateway->GetAddress();
  set.m_nPortNumber = ReadNumber(m_pPortNumberField);
  if (set.m_bSendUnit && set.m_nProtocol == kProtocolEthernetIp) {
    const std::optional<int> size =
        ReadNumberInRange(m_pInputSizeField, {8, 96, "Invalid Input size!\nValid Range is 8 - 96"});
    if (!size) return false;
    set.m_nInputSize = *size;
  } else if (set.m_bSendUnit && set.m_nProtocol == kProtocolModbusTcp) {
    const std::optional<int> unitId =
        ReadNumberInRange(m_pUnitIdField, {1, 247, "Invalid Unit ID!\nValid Range is 1 - 247"});
    if (!unitId) return false;
    set.m_nUnitId = *unitId;
  }
  set.m_nByteOrder = m_pByteOrder->GetCode();
  return true;
}
