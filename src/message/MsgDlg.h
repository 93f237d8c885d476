#pragma once

#include <QString>

#include "app/NorvChildDialog.h"

class QPushButton;

// The "Messages" page, where messages are composed and sent. Its creation loads the program's
// data and its destruction saves it:
// - created: the data folder and the two file paths, the address book, the serial ports, the
//   settings, then the message database;
// - destroyed: the message database, then the message list is emptied, then the address book.
class CMsgDlg : public CNorvChildDialog {
  Q_OBJECT

 public:
  explicit CMsgDlg(QWidget* parent = nullptr);

  void OnPageDestroyed() override;

 private:
  QString m_strDatabasePath;
  QString m_strAddressBookPath;
  QPushButton* m_pHelpButton;
};
