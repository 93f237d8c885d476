#pragma once

#include <QTimer>
#include <memory>

class QuitSignals;
class QWidget;

// Ends the session the way closing the main window does when the system asks the program
// to end: SIGTERM, SIGHUP or SIGINT (shutdown, logout, kill) or the desktop session's
// request to quit. Open dialogs close first, innermost first (a question closes as its No,
// the safe answer), then the main window, whose modal run then returns; the pages save as
// on any close, once. A dialog that comes up before that return is closed as well. After
// Finish nothing is closed any more, so the prompts of saving at exit wait for the operator.
class CSessionEnd {
 public:
  explicit CSessionEnd(QWidget& mainWindow);
  ~CSessionEnd();
  CSessionEnd(const CSessionEnd&) = delete;
  CSessionEnd& operator=(const CSessionEnd&) = delete;

  void Request();
  // The main window's modal run has returned.
  void Finish();

 private:
  void CloseWindows();

  QWidget& m_mainWindow;
  QTimer m_closer;
  std::unique_ptr<QuitSignals> m_signals;
  bool m_finished = false;
};
