#pragma once

#include "app/NorvChildDialog.h"

class QPushButton;

// The "Marquee Communication Setup" page, where a marquee's network option card is set up.
class CMarqueeComSetupDlg : public CNorvChildDialog {
  Q_OBJECT

 public:
  explicit CMarqueeComSetupDlg(QWidget* parent = nullptr);

 private:
  QPushButton* m_pHelpButton;
};
