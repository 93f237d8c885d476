#pragma once

#include "app/NorvChildDialog.h"

class CCommPropDlg;
class CEthernetNewPropDlg;
class QPushButton;
class QStackedLayout;

// The "PC Communication Setup" page: the port every send uses, chosen from the serial ports
// present and "Ethernet", and below it, in one place, the pane for that port: the serial line
// pane (CCommPropDlg) for a COM port, the address book pane (CEthernetNewPropDlg) for
// "Ethernet". The port takes effect at once. The baud rate chosen in the line pane and the
// send target chosen in the address book pane reach the application when the page is hidden;
// the link settings are saved when the page is destroyed. Needs theApp().
class CCommDlg : public CNorvChildDialog {
  Q_OBJECT

 public:
  explicit CCommDlg(QWidget* parent = nullptr);

  // Shows the address book pane when the application's port is "Ethernet" (case ignored), the
  // line pane otherwise.
  void ShowPaneForPort();

  // The port list again, then the pane for the port (which may have changed with the list).
  void OnPortsChanged() override;
  // The port, the pane for it, the line settings and the "Send To" list, as they stand now.
  void OnPageShown() override;
  // The chosen baud rate and send target become the application's.
  void OnPageHidden() override;
  // The chosen baud rate, then the link settings are saved.
  void OnPageDestroyed() override;

 private:
  CEthernetNewPropDlg* m_pEthernetPane;
  CCommPropDlg* m_pComPane;
  QStackedLayout* m_pPanes;
  QPushButton* m_pHelpButton;
};
