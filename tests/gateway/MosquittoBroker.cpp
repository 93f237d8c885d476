#include "MosquittoBroker.h"

#include <pwd.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

namespace {

uint16_t FreeLoopbackPort() {
  QTcpServer probe;
  if (!probe.listen(QHostAddress::LocalHost, 0)) return 0;
  return probe.serverPort();
}

bool Accepts(uint16_t port) {
  QTcpSocket socket;
  socket.connectToHost(QHostAddress::LocalHost, port);
  return socket.waitForConnected(200);
}

}  // namespace

bool SpinUntil(const std::function<bool()>& done, int timeoutMs) {
  QElapsedTimer timer;
  timer.start();
  while (!done()) {
    if (timer.elapsed() > timeoutMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(2);
  }
  return true;
}

MosquittoBroker::MosquittoBroker() {
  m_port = FreeLoopbackPort();
  const passwd* user = getpwuid(getuid());
  QFile config(m_dir.filePath("mosquitto.conf"));
  if (!config.open(QIODevice::WriteOnly)) return;
  // Run as root, the broker would switch to its own user and lose the test's folder.
  config.write(QString("listener %1 127.0.0.1\n"
                       "allow_anonymous true\n"
                       "persistence true\n"
                       "persistence_location %2/\n"
                       "log_dest file %2/mosquitto.log\n"
                       "log_type all\n"
                       "user %3\n")
                   .arg(m_port)
                   .arg(m_dir.path())
                   .arg(user ? user->pw_name : "root")
                   .toUtf8());
}

MosquittoBroker::~MosquittoBroker() {
  Kill();
}

bool MosquittoBroker::Start() {
  if (m_port == 0 || !m_dir.isValid()) {
    m_error = "no free loopback port or no folder for the broker";
    return false;
  }
  m_process.setProgram("/usr/sbin/mosquitto");
  m_process.setArguments({"-c", m_dir.filePath("mosquitto.conf")});
  m_process.setProcessChannelMode(QProcess::MergedChannels);
  m_process.start();
  if (!m_process.waitForStarted(5000)) {
    m_error = "mosquitto did not start: " + m_process.errorString().toStdString();
    return false;
  }
  QElapsedTimer timer;
  timer.start();
  while (!Accepts(m_port)) {
    if (m_process.state() != QProcess::Running || timer.elapsed() > 10000) {
      m_error = "mosquitto does not listen: " + m_process.readAll().toStdString();
      return false;
    }
    QThread::msleep(20);
  }
  return true;
}

void MosquittoBroker::Stop() {
  if (m_process.state() == QProcess::NotRunning) return;
  m_process.terminate();
  if (!m_process.waitForFinished(10000)) Kill();
}

void MosquittoBroker::Kill() {
  if (m_process.state() == QProcess::NotRunning) return;
  m_process.kill();
  m_process.waitForFinished(5000);
}
