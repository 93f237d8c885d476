#pragma once

#include <vector>

#include "app/NorvChildDialog.h"

class CMessageListModel;
class QPushButton;
class QTableView;

// The "Message Database" page: every stored message of the application's message list, one
// row each (see MessageRow.h), refilled each time the page is shown. The operator deletes
// selected messages, or picks one into the composer ("Select Message"), which switches to the
// "Messages" page. Only the list in memory changes; the file is written when the program
// closes. Needs theApp().
//
// The columns start at the given widths (MessageRow.h) grown or shrunk with the page's font as
// dialog units are; a column the operator drags keeps its width for the rest of the run, also
// when the font changes. A cut cell shows its whole text as a tooltip.
class CMsgDBDlg : public CNorvChildDialog {
  Q_OBJECT

 public:
  explicit CMsgDBDlg(QWidget* parent = nullptr);

  // Shows every message of the list, row i the message at position i.
  void FillRows();
  // Shows the message at position index in its row; an index outside the rows adds a row at
  // the end. Returns the row written.
  int ShowRow(int index);
  // The first selected row after row start (-1: from the top); -1 when there is none.
  int GetFirstSelected(int start) const;

  // "Delete": asks "Do you want to delete selected message(s)?" and on Yes deletes the
  // selected messages and their rows. Nothing without a selection.
  void OnDelete();
  // "Select Message": the first selected message becomes the composer's current message
  // (which reloads itself when shown) and the page asks for the "Messages" page
  // (PageRequested(0)). Nothing without a selection.
  void OnSelectMessage();

  void OnPageShown() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  // "Delete" with at least one selected row, "Select Message" with exactly one.
  void UpdateButtons();
  // The given widths in the page's font, for every column the operator has not dragged.
  void SizeColumns();

  // "Help", "Delete", "Select Message" and the list ("messages").
  QPushButton* m_pHelpButton;
  QPushButton* m_pDeleteButton;
  QPushButton* m_pSelectButton;
  QTableView* m_pList;
  CMessageListModel* m_pModel;
  std::vector<bool> m_Dragged;  // per column: the operator set its width
  bool m_bSizing = false;       // SizeColumns, not the operator, is changing widths
};
