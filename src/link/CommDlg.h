#pragma once

#include "app/NorvChildDialog.h"

class QPushButton;

// The "PC Communication Setup" page: the port every send uses, chosen from the serial ports
// present and "Ethernet". The choice takes effect at once and is saved with the link settings
// when the page is destroyed.
class CCommDlg : public CNorvChildDialog {
  Q_OBJECT

 public:
  explicit CCommDlg(QWidget* parent = nullptr);

  void OnPortsChanged() override;
  void OnPageShown() override;
  void OnPageDestroyed() override;

 private:
  QPushButton* m_pHelpButton;
};
