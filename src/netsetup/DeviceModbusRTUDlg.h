#pragma once

#include "netsetup/NetworkPane.h"

class CByteOrderControls;
class CNorvComboBox;
class QLineEdit;

// The pane of the Modbus RTU parameters: unit ID (at most three digits; 255 disables Modbus
// RTU on the marquee), wiring and byte order.
class CDeviceModbusRTUDlg : public CNetworkPane {
  Q_OBJECT

 public:
  explicit CDeviceModbusRTUDlg(QWidget* parent);

  void Load() override;
  // Refuses a unit ID above 255.
  bool ReadAndValidate() override;

 private:
  QLineEdit* m_pUnitField;
  CNorvComboBox* m_pWiringList;
  CByteOrderControls* m_pByteOrder;
};
