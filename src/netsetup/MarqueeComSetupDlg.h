#pragma once

#include <array>
#include <functional>
#include <span>
#include <string>

#include "app/NorvChildDialog.h"

class CDeviceDeviceNetDlg;
class CDeviceEthernetDlg;
class CDeviceModbusRTUDlg;
class CLadDeviceNetwork;
class CNetworkPane;
class CNorvComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

// The "Marquee Communication Setup" page, where the network option card of a marquee is set
// up: the operator picks the network type, edits its parameters in the pane of that type and
// generates the programming string (to copy into a terminal program) or sends it to the
// marquee; two more buttons return the card to its defaults or disable it. Everything the
// page edits (network type, parameter sets, Ethernet protocol, group and unit) lives in the
// application object. Sends go over the application's port ("Use"), to the "Send To"
// target when that port is "Ethernet"; every outcome is reported through the prompter.
class CMarqueeComSetupDlg : public CNorvChildDialog {
  Q_OBJECT

 public:
  explicit CMarqueeComSetupDlg(QWidget* parent = nullptr);

  void OnPortsChanged() override;
  void OnPageShown() override;

  // Shows the "Protocol" choice for Ethernet only, and the pane of the selected type,
  // loaded from its parameter set. (Choosing another type also empties the generated string
  // box, so its copy button stays off until the next "Generate String".)
  void ShowPane();
  // Shows "Send To" exactly while the port is "Ethernet", refilled from the address book.
  void UpdateSendTo();
  // The Group and Unit lists become the application's group and unit numbers. With port
  // "Ethernet" the send target must have a name and an address: otherwise shows "Please
  // select 'Sent to' Marquee" and returns false.
  bool StoreAddress();
  // Stores the Group and Unit lists, lets the pane of the selected type read its fields and
  // puts the programming string with the address prefix into the generated string box. False
  // when the pane refused a field (it has said why) or the type is unknown.
  bool GenerateString();
  // Generates the string and, once the operator confirms, sends it and then a notice to the
  // marquee's display. Does nothing when the string is empty (Ethernet with no part chosen).
  void ProgramMarquee();
  // Sends the programming string of set: with a positive hidden interval and the Ethernet
  // set, one part per send with pauses of the interval less 1 ms between the parts and after
  // the last; otherwise the generated string box's text in one send. True when all was sent.
  bool SendProgram(const CLadDeviceNetwork& set);
  // After confirmation: the selected set returns to its defaults, the Ethernet protocol to
  // "None", and the card's set-defaults command is shown and sent.
  void SetDefaultValues();
  // After confirmation the card's disable command is shown and sent; the Ethernet card is
  // never disabled over Ethernet.
  void DisableNetwork();

 private:
  // A group box of radios, one per caption, kept in radios; a click on radio i calls onClicked(i).
  QGroupBox* CreateRadioBox(const QString& title, std::span<const char* const> captions,
                            std::span<QRadioButton*> radios, const std::function<void(int)>& onClicked);
  QGroupBox* CreateAddressBox();
  QGroupBox* CreateGeneratedStringBox();
  void OnNetworkTypeClicked(int networkType);
  void OnProtocolClicked(int protocol);
  void SelectAddressItems();
  void StoreGroupAndUnit();
  // The pane that edits a network type (1 to 4); null for any other type.
  CNetworkPane* PaneOf(int networkType) const;
  std::string GeneratedString() const;
  void SetGeneratedString(const std::string& text);
  // Sends a message for the marquee's own display; its outcome is not checked.
  void SendNotice(const std::string& text);

  std::array<QRadioButton*, 4> m_NetworkTypeRadios{};  // network types 1 to 4
  QGroupBox* m_pProtocolBox = nullptr;
  std::array<QRadioButton*, 3> m_ProtocolRadios{};  // protocols 0 to 2
  CDeviceDeviceNetDlg* m_pDeviceNetPane = nullptr;
  CDeviceEthernetDlg* m_pEthernetPane = nullptr;
  CDeviceModbusRTUDlg* m_pModbusPane = nullptr;
  CNorvComboBox* m_pGroupList = nullptr;
  CNorvComboBox* m_pUnitList = nullptr;
  QLabel* m_pSendToLabel = nullptr;
  QPlainTextEdit* m_pGeneratedString = nullptr;
  QPushButton* m_pCopyButton = nullptr;
  QLineEdit* m_pIntervalField = nullptr;  // hidden; the pause between programming pieces, in ms
};
