#pragma once

#include <QTabWidget>
#include <array>

class CNorvChildDialog;

// The main window's four tab pages, in this order: "Messages" (CMsgDlg), "PC Communication
// Setup" (CCommDlg), "Marquee Communication Setup" (CMarqueeComSetupDlg) and "Message
// Database" (CMsgDBDlg). The control owns them: InitPages creates them in that order,
// DestroyPages (or the destructor) lets each know and deletes them. Pages are switched by a
// click on their tab, from the keyboard (arrow keys on the tabs, Ctrl+Tab) and by SelectPage.
class CNorvTabCtrl : public QTabWidget {
  Q_OBJECT

 public:
  static constexpr int kPageCount = 4;

  explicit CNorvTabCtrl(QWidget* parent = nullptr);
  ~CNorvTabCtrl() override;

  // Creates the four pages, each one initialising itself, and shows page 0. Once only.
  void InitPages();
  // Shows page index (0 to 3) and gives it the keyboard focus; any other index is ignored.
  void SelectPage(int index);
  // Calls OnPortsChanged on every page, in order.
  void NotifyPortsChanged();
  // Calls OnPageDestroyed on every page, in order, then deletes them. Nothing after the first call.
  void DestroyPages();

  // Page index (0 to 3); null for any other index or once the pages are gone.
  CNorvChildDialog* Page(int index) const;
  int CurrentPage() const { return currentIndex(); }

 private:
  void OnCurrentChanged(int index);

  std::array<CNorvChildDialog*, kPageCount> m_Pages{};
};
