#pragma once

#include "netsetup/NetworkPane.h"

class CByteOrderControls;
class CNorvComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

// The pane of the DeviceNet and the Profibus-DP parameters: node address (MAC ID), consumed
// (input) and produced (output) bytes, baud rate and byte order, captioned for the selected
// network type. The produced bytes cannot be edited. Time-out and poll time are kept in
// hidden fields.
class CDeviceDeviceNetDlg : public CNetworkPane {
  Q_OBJECT

 public:
  explicit CDeviceDeviceNetDlg(QWidget* parent);

  // Relabels for the selected type (DeviceNet or Profibus; another type keeps the captions)
  // and loads the DeviceNet set for DeviceNet, the Profibus set for every other type.
  void Load() override;
  // Refuses any type but DeviceNet and Profibus ("Invalid Network Type"), a node address
  // outside 0-63 and consumed (input) bytes outside 8-120 (1-244 for Profibus).
  bool ReadAndValidate() override;

 private:
  QGroupBox* m_pOuterBox;
  QLabel* m_pNodeLabel;
  QLineEdit* m_pNodeField;
  QLabel* m_pConsumedLabel;
  QLineEdit* m_pConsumedField;
  QLabel* m_pProducedLabel;
  QLineEdit* m_pProducedField;
  CNorvComboBox* m_pBaudList;
  QLineEdit* m_pTimeoutField;
  QLineEdit* m_pPollTimeField;
  CByteOrderControls* m_pByteOrder;
};
