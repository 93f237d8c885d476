#pragma once

#include <QDialog>

class CNorvTabCtrl;
class QPushButton;

// The program's only top-level window: the four tab pages under the title "%s - %s" (the
// brand's application name and version) and an "About" button. It runs modally for the whole
// program; closing it (or Escape outside a page) ends the program, and its pages save their
// data as they go. It watches the serial ports and refreshes every page's port list when a
// port device comes or goes. Needs theApp().
class CNorvMarqueeDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CNorvMarqueeDlg(QWidget* parent = nullptr);
  // Destroys the pages (they save their data) while the window still exists.
  ~CNorvMarqueeDlg() override;

  CNorvTabCtrl* TabCtrl() const { return m_pTabCtrl; }

  // Opens the about box modally.
  void OnAbout();
  // A port device came or went: list the ports again and tell every page.
  void OnDeviceChange();

 private:
  CNorvTabCtrl* m_pTabCtrl;
  QPushButton* m_pAboutButton;
};
