#pragma once

#include "app/NorvChildDialog.h"

class QPushButton;

// The "Message Database" page, which lists the stored messages.
class CMsgDBDlg : public CNorvChildDialog {
  Q_OBJECT

 public:
  explicit CMsgDBDlg(QWidget* parent = nullptr);

 private:
  QPushButton* m_pHelpButton;
};
