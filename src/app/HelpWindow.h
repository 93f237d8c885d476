#pragma once

#include <QDialog>

class QTextBrowser;

// The help page file of a topic (HelpTopic), as found in the program's "help" folder; empty
// for a topic without a page.
QString HelpPageFileName(int topic);

// A window that shows one help page at a time; links between the pages work inside it. It
// does not block the window it belongs to.
class CHelpWindow : public QDialog {
  Q_OBJECT

 public:
  // parent: the window the help belongs to (it closes with it); null for a window of its own.
  explicit CHelpWindow(QWidget* parent);

  // Shows the HTML page at path and brings the window forward.
  void ShowPage(const QString& path);
  QTextBrowser* browser() const { return m_pBrowser; }

 private:
  QTextBrowser* m_pBrowser;
};
