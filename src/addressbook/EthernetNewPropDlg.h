#pragma once

#include <vector>

#include "addressbook/IPEntry.h"
#include "app/NorvChildDialog.h"

class CIPEntryList;
class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;

// The address book pane of the "PC Communication Setup" page: the "Send To" combo, which picks
// the send target, and the list of address book entries with "Add", "Edit", "Delete" and
// "Create Group" (also on the list's context menu; double click adds with no row selected and
// edits with one; the Delete key deletes). It keeps no data of its own: after every dialog the
// list and the combo are rebuilt from theApp().m_AddressBook and the send target is chosen
// again (FillSendToCombo). The page calls FillSendToCombo when it is shown and
// SelectSendTarget when it is hidden. Needs theApp().
class CEthernetNewPropDlg : public CNorvChildDialog {
  Q_OBJECT

 public:
  explicit CEthernetNewPropDlg(QWidget* parent = nullptr);

  // The IP address dialog, adding.
  void OnAdd();
  // The first selected entry: the IP address dialog for an entry of one address, the group
  // dialog (the selected entries as members, the others as source) for one of several.
  void OnEdit();
  // Asks, by the number of selected rows, and on Yes removes the selected entries.
  void OnDelete();
  // The group dialog, adding: the selected entries as members, the others as source.
  void OnCreateGroup();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // With S selected rows: "Add" when S = 0, "Edit" when S = 1, "Delete" when S >= 1, "Create
  // Group" always; the menu alike, but its group item only when S >= 2.
  void UpdateButtons();
  void FillList();
  // After any dialog, whatever its outcome.
  void Refresh();
  // The entries of the selected rows and those of the others, both in address book order.
  void SplitBySelection(std::vector<CIPGroup>& selected, std::vector<CIPGroup>& others) const;
  void OpenGroupDialog(int editMode, int entryIndex);

  QLabel* m_pSendToLabel;
  QGroupBox* m_pGroupBox;
  CIPEntryList* m_pList;
  QPushButton* m_pAddButton;
  QPushButton* m_pEditButton;
  QPushButton* m_pDeleteButton;
  QPushButton* m_pCreateGroupButton;
  // The list's context menu: "Add...", "Edit...", "Delete...", "Add selected IPs to a new
  // group...", enabled as the selection allows (see UpdateButtons).
  QMenu* m_pContextMenu;

  std::vector<QAction*> m_MenuActions;  // in the order of the buttons
};
