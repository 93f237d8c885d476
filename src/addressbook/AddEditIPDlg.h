#pragma once

#include <QDialog>

#include "addressbook/IPEntry.h"

class CIPAddressEdit;
class CLineServer;
class QLineEdit;
class QPushButton;

// "Add IP Address" / "Edit IP Address": a named single address of the address book. The caller
// sets the mode and the entry before running the dialog modally. OK checks the input (see
// EntryRules.h: the message is shown with the stop icon, the focus goes to the field at fault
// and the dialog stays open), then appends the entry to theApp().m_AddressBook or replaces the
// edited one. "Search Devices" starts or brings forward the IP configuration tool; while the
// dialog is open it takes the addresses that tool hands back (see IPConfigChannel.h).
class CAddEditIPDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CAddEditIPDlg(QWidget* parent = nullptr);

  // 0 adds an entry; any other value edits the entry at m_nEntryIndex of the address book
  // (an index outside it adds instead).
  int m_nEditMode = 0;
  int m_nEntryIndex = -1;
  // The entry OK stored.
  CIPGroup m_IPGroup;

  // OK: check, store, close.
  void accept() override;
  // "Search Devices": ShowIPConfigTool with the brand's application name, bringing it forward.
  void OnSearchDevices();
  // The tool handed an address back: the text sent with the notification or, when it sent
  // none, the clipboard's text, read as ReadClipboardAddress reads it. Anything that is not an
  // address leaves the address as it was.
  void OnAddressHandedBack(const QByteArray& text);

 protected:
  // Opening: the title and the fields for the mode; listening for the tool. Closing: no longer.
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  bool IsEditing() const;

  QLineEdit* m_pName;
  CIPAddressEdit* m_pAddress;
  QPushButton* m_pOkButton;
  QPushButton* m_pCancelButton;
  QPushButton* m_pSearchButton;
  CLineServer* m_pHandBack;
};
