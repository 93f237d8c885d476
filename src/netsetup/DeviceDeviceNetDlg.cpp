#include "netsetup/DeviceDeviceNetDlg.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <initializer_list>

#include "app/NorvMarqueeApp.h"
#include "common/Prompter.h"
#include "common/QtText.h"
#include "controls/NorvComboBox.h"
#include "netsetup/ByteOrderControls.h"
#include "netsetup/LadDeviceNetwork.h"
#include "netsetup/NumberField.h"

namespace {

// What the pane shows and accepts for one network type.
struct FieldbusKind {
  int32_t type;
  const char* box;
  const char* node;
  const char* consumed;
  const char* produced;
  std::initializer_list<const char*> bauds;
  NumberRange nodeRange;
  NumberRange consumedRange;
};

// The Profibus message says 1 - 63, but node address 0 is accepted.
const FieldbusKind kFieldbusKinds[] = {
    {kNetworkDeviceNet,
     "DeviceNet",
     "MAC ID (0-63)",
     "Consumed Bytes (8-120)",
     "Produced Bytes",
     {"125 kb/s", "250 kb/s", "500 kb/s"},
     {0, 63, "Invalid MAC Address !\nValid Range is 0 - 63"},
     {8, 120, "Invalid Value for Consumed Bytes!\nValid Range is  8 - 120"}},
    {kNetworkProfibus,
     "Profibus",
     "Node Address (0-63)",
     "Input Bytes (1-244)",
     "Output Bytes",
     {"Auto"},
     {0, 63, "Invalid Node Address !\nValid Range is 1 - 63"},
     {1, 244, "Invalid Value for Input Bytes!\nValid Range is  1 - 244"}},
};

const FieldbusKind* FindKind(int type) {
  for (const FieldbusKind& kind : kFieldbusKinds)
    if (kind.type == type) return &kind;
  return nullptr;
}

}  // namespace

CDeviceDeviceNetDlg::CDeviceDeviceNetDlg(QWidget* parent)
    : CNetworkPane(parent),
      m_pOuterBox(new QGroupBox(tr("DeviceNet"), this)),
      m_pNodeLabel(new QLabel(tr("Mac ID"), m_pOuterBox)),
      m_pNodeField(CreateNumberField(m_pOuterBox, "node")),
      m_pConsumedLabel(new QLabel(tr("Maximum Input Words"), m_pOuterBox)),
      m_pConsumedField(CreateNumberField(m_pOuterBox, "consumed")),
      m_pProducedLabel(new QLabel(tr("Maximum Output Bytes"), m_pOuterBox)),
      m_pProducedField(CreateNumberField(m_pOuterBox, "produced")),
      m_pBaudList(new CNorvComboBox(m_pOuterBox)),
      m_pTimeoutField(CreateNumberField(m_pOuterBox, "timeout")),
      m_pPollTimeField(CreateNumberField(m_pOuterBox, "pollTime")),
      m_pByteOrder(
          new CByteOrderControls(tr("(Most users need not change the following \nbyte order settings)"), m_pOuterBox)) {
  m_pNodeLabel->setBuddy(m_pNodeField);
  m_pConsumedLabel->setBuddy(m_pConsumedField);
  m_pProducedLabel->setBuddy(m_pProducedField);
  m_pProducedField->setEnabled(false);
  auto* baudLabel = new QLabel(tr("Baud Rate"), m_pOuterBox);
  baudLabel->setBuddy(m_pBaudList);
  m_pBaudList->setObjectName("baudRate");
  m_pTimeoutField->hide();
  m_pPollTimeField->hide();

  auto* fields = new QGridLayout;
  const std::pair<QLabel*, QWidget*> rows[] = {{m_pNodeLabel, m_pNodeField},
                                               {m_pConsumedLabel, m_pConsumedField},
                                               {m_pProducedLabel, m_pProducedField},
                                               {baudLabel, m_pBaudList}};
  for (int row = 0; row < 4; ++row) {
    fields->addWidget(rows[row].first, row, 0);
    fields->addWidget(rows[row].second, row, 1);
  }
  fields->setColumnStretch(1, 1);
  FillWith(m_pOuterBox, fields, m_pByteOrder);

  m_pByteOrder->Check(MessageByteOrder::Char1Char2, CountByteOrder::HighLow);
  Load();
}

void CDeviceDeviceNetDlg::Load() {
  const int type = theApp().m_nNetworkType;
  if (const FieldbusKind* kind = FindKind(type)) {
    m_pOuterBox->setTitle(ToQString(kind->box));
    m_pNodeLabel->setText(ToQString(kind->node));
    m_pConsumedLabel->setText(ToQString(kind->consumed));
    m_pProducedLabel->setText(ToQString(kind->produced));
    m_pBaudList->clear();
    for (const char* baud : kind->bauds) m_pBaudList->addItem(ToQString(baud));
    m_pBaudList->setCurrentIndex(0);
  }
  const CLadDeviceNetwork& set = NetworkSetOf(type == kNetworkDeviceNet ? kNetworkDeviceNet : kNetworkProfibus);
  WriteNumber(m_pTimeoutField, set.m_nTimeout);
  WriteNumber(m_pPollTimeField, set.m_nPollTime);
  WriteNumber(m_pConsumedField, set.m_nConsumedSize);
  WriteNumber(m_pProducedField, set.m_nProducedSize);
  WriteNumber(m_pNodeField, set.m_nNodeAddress);
  const int baudItem = set.m_nBaudIndex == 1 || set.m_nBaudIndex == 2 ? set.m_nBaudIndex : 0;
  if (baudItem < m_pBaudList->count()) m_pBaudList->setCurrentIndex(baudItem);
}

bool CDeviceDeviceNetDlg::ReadAndValidate() {
  const FieldbusKind* kind = FindKind(theApp().m_nNetworkType);
  if (!kind) {
    theApp().Prompter().Error("Invalid Network Type");
    return false;
  }
  const std::optional<int> node = ReadNumberInRange(m_pNodeField, kind->nodeRange);
  if (!node) return false;
  const std::optional<int> consumed = ReadNumberInRange(m_pConsumedField, kind->consumedRange);
  if (!consumed) return false;
  CLadDeviceNetwork& set = NetworkSetOf(kind->type);
  set.m_nNodeAddress = *node;
  set.m_nConsumedSize = *consumed;
  set.m_nTimeout = ReadNumber(m_pTimeoutField);
  set.m_nPollTime = ReadNumber(m_pPollTimeField);
  set.m_nProducedSize = ReadNumber(m_pProducedField);
  set.m_nBaudIndex = static_cast<uint8_t>(std::max(0, m_pBaudList->currentIndex()));
  set.m_nByteOrder = m_pByteOrder->GetCode();
  return true;
}
