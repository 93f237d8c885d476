#include "app/SessionEnd.h"

#include <QApplication>
#include <QSessionManager>
#include <QWidget>
#include <chrono>

#ifdef Q_OS_UNIX
#include "sim/QuitSignals.h"
#endif

namespace {

// Enough for every dialog of the program stacked on one another.
constexpr int kMaxStackedDialogs = 16;
constexpr std::chrono::milliseconds kCloseAgain{50};

}  // namespace

CSessionEnd::CSessionEnd(QWidget& mainWindow) : m_mainWindow(mainWindow) {
  m_closer.setInterval(kCloseAgain);
  QObject::connect(&m_closer, &QTimer::timeout, [this] { CloseWindows(); });
#ifdef Q_OS_UNIX
  m_signals = std::make_unique<QuitSignals>([this] { Request(); });
#endif
  QObject::connect(qApp, &QGuiApplication::commitDataRequest, &m_closer, [this](QSessionManager&) { Request(); });
}

CSessionEnd::~CSessionEnd() = default;

void CSessionEnd::Request() {
  if (m_finished) return;
  CloseWindows();
  // Code that was waiting in a closed dialog may open another one.
  m_closer.start();
}

void CSessionEnd::Finish() {
  m_finished = true;
  m_closer.stop();
}

void CSessionEnd::CloseWindows() {
  for (int i = 0; i < kMaxStackedDialogs; ++i) {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == &m_mainWindow) break;
    modal->close();
    if (modal->isVisible()) modal->hide();
  }
  m_mainWindow.close();
}
