#include "addressbook/IPConfigChannel.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>
#include <algorithm>
#include <memory>

namespace {

QString UserScoped(const QString& name) {
#ifdef Q_OS_WIN
  return name + " - " + qEnvironmentVariable("USERNAME");
#else
  // The runtime folder belongs to the user alone (mode 0700).
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  return folder.isEmpty() ? QDir::tempPath() + "/" + name + "-" + qEnvironmentVariable("USER") : folder + "/" + name;
#endif
}

}  // namespace

QString HandBackSocketName() {
  return UserScoped("QUOR IP CONFIG IP");
}

QString ToolControlSocketName(qint64 pid) {
  return UserScoped(QString("QuorIPConfig-%1").arg(pid));
}

bool SendLine(const QString& serverName, const QByteArray& line, std::chrono::milliseconds timeout) {
  QLocalSocket socket;
  socket.connectToServer(serverName, QIODevice::WriteOnly);
  if (!socket.waitForConnected(static_cast<int>(timeout.count()))) return false;
  socket.write(line + '\n');
  const bool written = socket.waitForBytesWritten(static_cast<int>(timeout.count())) || socket.bytesToWrite() == 0;
  socket.disconnectFromServer();
  if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(static_cast<int>(timeout.count()));
  return written;
}

CLineServer::CLineServer(QObject* parent) : QObject(parent) {
  m_server.setSocketOptions(QLocalServer::UserAccessOption);
  connect(&m_server, &QLocalServer::newConnection, this, &CLineServer::OnNewConnection);
}

CLineServer::~CLineServer() {
  Close();
}

bool CLineServer::Listen(const QString& name) {
  Close();
  QLocalServer::removeServer(name);
  return m_server.listen(name);
}

void CLineServer::Close() {
  if (m_server.isListening()) m_server.close();
}

void CLineServer::OnNewConnection() {
  while (QLocalSocket* socket = m_server.nextPendingConnection()) {
    auto* deadline = new QTimer(socket);
    deadline->setSingleShot(true);
    deadline->start(kReadTime);
    auto done = std::make_shared<bool>(false);
    // Reports the line once (unless the connection ran out of time), then lets it go.
    auto finish = [this, socket, done](bool report) {
      if (*done) return;
      *done = true;
      QByteArray line = socket->read(kMaxLine + 1);
      if (const qsizetype end = line.indexOf('\n'); end >= 0) line.truncate(end);
      line.truncate(std::min(line.size(), kMaxLine));
      if (line.endsWith('\r')) line.chop(1);
      socket->abort();
      socket->deleteLater();
      if (report) emit lineReceived(line);
    };
    auto readSome = [socket, finish] {
      if (socket->bytesAvailable() > kMaxLine || socket->peek(kMaxLine + 1).contains('\n')) finish(true);
    };
    connect(socket, &QLocalSocket::readyRead, this, readSome);
    connect(socket, &QLocalSocket::disconnected, this, [finish] { finish(true); });
    connect(deadline, &QTimer::timeout, this, [finish] { finish(false); });
    readSome();
  }
}
