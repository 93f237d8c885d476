#include "netsetup/DeviceModbusRTUDlg.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "controls/NorvComboBox.h"
#include "netsetup/ByteOrderControls.h"
#include "netsetup/LadDeviceNetwork.h"
#include "netsetup/NumberField.h"

CDeviceModbusRTUDlg::CDeviceModbusRTUDlg(QWidget* parent) : CNetworkPane(parent) {
  auto* box = new QGroupBox(tr("Modbus RTU"), this);
  m_pUnitField = CreateNumberField(box, "rtuUnit", 3);
  auto* unitLabel = new QLabel(tr("Unit ID"), box);
  unitLabel->setBuddy(m_pUnitField);
  auto* unitNote = new QLabel(tr("(255 to disable Modbus RTU)"), box);
  m_pWiringList = new CNorvComboBox(box);
  m_pWiringList->setObjectName("wiring");
  m_pWiringList->addItems(
      {tr("RS232 (Marquee RS232 port)"), tr("RS422 (Marquee RS422/485 Port)"), tr("RS485 (Marquee RS422/485 port)")});
  // Closed, it shows its longest entry whole.
  m_pWiringList->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  m_pWiringList->setMinimumWidth(m_pWiringList->sizeHint().width());
  auto* wiringLabel = new QLabel(tr("Wiring"), box);
  wiringLabel->setBuddy(m_pWiringList);
  m_pByteOrder = new CByteOrderControls(tr("(Most users need not change the following \nbyte order settings)"), box);

  auto* fields = new QGridLayout;
  fields->addWidget(unitLabel, 0, 0);
  fields->addWidget(m_pUnitField, 0, 1);
  fields->addWidget(unitNote, 1, 1);
  fields->addWidget(wiringLabel, 2, 0);
  fields->addWidget(m_pWiringList, 2, 1);
  fields->setColumnStretch(1, 1);
  FillWith(box, fields, m_pByteOrder);

  m_pByteOrder->Check(MessageByteOrder::Char1Char2, CountByteOrder::LowHigh);
  Load();
}

void CDeviceModbusRTUDlg::Load() {
  const CLadDeviceNetwork& set = NetworkSetOf(kNetworkModbusRtu);
  WriteNumber(m_pUnitField, set.m_nRtuUnitId);
  m_pWiringList->setCurrentIndex(set.m_nRtuWiring < m_pWiringList->count() ? set.m_nRtuWiring : -1);
}

bool CDeviceModbusRTUDlg::ReadAndValidate() {
  const std::optional<int> unit = ReadNumberInRange(m_pUnitField, {0, 255, "Invalid Unit ID!\nValid Range is 0 - 255"});
  if (!unit) return false;
  CLadDeviceNetwork& set = NetworkSetOf(kNetworkModbusRtu);
  set.m_nRtuUnitId = static_cast<uint8_t>(*unit);
  set.m_nRtuWiring = static_cast<uint8_t>(std::max(0, m_pWiringList->currentIndex()));
  set.m_nRtuByteOrder = static_cast<uint8_t>(m_pByteOrder->GetCode());
  return true;
}
