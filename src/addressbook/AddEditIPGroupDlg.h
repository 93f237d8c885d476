#pragma once

#include <QDialog>
#include <vector>

#include "addressbook/IPEntry.h"

class CIPEntryList;
class QLineEdit;
class QPushButton;

// "Add IP Group" / "Edit IP Group": a named group made of the addresses of other address book
// entries. The caller fills the two lists of entries, sets the mode and the entry, and runs the
// dialog modally; ">>" and "<<" move the selected entries between the lists. OK checks the
// input (see EntryRules.h: the message is shown with the stop icon, the focus goes to the
// field at fault and the dialog stays open), builds the group from every distinct address of
// the member entries, in order of first appearance, and appends it to theApp().m_AddressBook
// or replaces the edited entry.
class CAddEditIPGroupDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CAddEditIPGroupDlg(QWidget* parent = nullptr);

  // 0 adds a group; any other value edits the entry at m_nEntryIndex of the address book (an
  // index outside it adds instead).
  int m_nEditMode = 0;
  int m_nEntryIndex = -1;
  std::vector<CIPGroup> m_SourceEntries;  // "Source IP List"
  std::vector<CIPGroup> m_MemberEntries;  // "IPs in this Group"
  // The group OK stored.
  CIPGroup m_ResultEntry;

  // OK: check, build, store, close.
  void accept() override;
  // ">>": the selected source entries go to the end of the members, in order.
  void OnMoveToGroup();
  // "<<": the selected members go to the end of the source entries, in order.
  void OnMoveToSource();

 protected:
  // Opening: the title and name for the mode, both lists filled.
  void showEvent(QShowEvent* event) override;

 private:
  bool IsEditing() const;
  void FillLists();

  QLineEdit* m_pName;
  CIPEntryList* m_pSourceList;
  CIPEntryList* m_pMemberList;
  QPushButton* m_pToGroupButton;   // ">>"
  QPushButton* m_pToSourceButton;  // "<<"
  QPushButton* m_pOkButton;
  QPushButton* m_pCancelButton;
};
