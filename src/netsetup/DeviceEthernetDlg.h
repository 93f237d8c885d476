#pragma once

#include "netsetup/NetworkPane.h"

class CByteOrderControls;
class CCheckableGroupBox;
class CIPAddressEdit;
class QLabel;
class QLineEdit;

// The pane of the Ethernet parameters, in three optional parts that are sent only while
// their box is shown and checked (all unchecked at first; a part the protocol hides counts
// as unchecked, whatever it was under an earlier protocol): "Address" (IP address, subnet mask,
// gateway), "Unit" (the Ethernet/IP input size or the Modbus TCP/IP unit ID, after the
// Ethernet protocol) and "Byte Order". Time-out, poll time and port number are kept in
// hidden fields.
class CDeviceEthernetDlg : public CNetworkPane {
  Q_OBJECT

 public:
  explicit CDeviceEthernetDlg(QWidget* parent);

  // Loads the Ethernet set, then lays out its protocol's fields.
  void Load() override;
  // Stores the three part choices, the addresses and the hidden fields; then, only when
  // "Unit" is checked, the input size (8-96, protocol "Ethernet/IP Slave") or unit ID
  // (1-247, "Modbus TCP/IP Slave"); then the byte order. A refused input size or unit ID
  // leaves it and the byte order as they were, the rest stored.
  bool ReadAndValidate() override;
  // Shows the fields of the Ethernet set's protocol: "Unit" and "Byte Order" only for a
  // protocol, "Unit" captioned "Input" with the input size for "Ethernet/IP Slave".
  void LayOutProtocol();

 private:
  CCheckableGroupBox* CreateAddressBox(QWidget* parent);
  CCheckableGroupBox* CreateUnitBox(QWidget* parent);

  CCheckableGroupBox* m_pAddressBox = nullptr;
  CIPAddressEdit* m_pIPAddress = nullptr;
  CIPAddressEdit* m_pSubnetMask = nullptr;
  CIPAddressEdit* m_pGateway = nullptr;
  CCheckableGroupBox* m_pUnitBox = nullptr;
  QLabel* m_pUnitLabel = nullptr;
  QLineEdit* m_pInputSizeField = nullptr;
  QLabel* m_pInputSizeNote = nullptr;
  QLineEdit* m_pUnitIdField = nullptr;
  CCheckableGroupBox* m_pByteOrderBox = nullptr;
  CByteOrderControls* m_pByteOrder = nullptr;
  QLineEdit* m_pTimeoutField = nullptr;
  QLineEdit* m_pPollTimeField = nullptr;
  QLineEdit* m_pPortNumberField = nullptr;
};
