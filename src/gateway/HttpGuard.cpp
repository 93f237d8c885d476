#include "gateway/HttpGuard.h"

#include <sys/socket.h>

#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

#include "gateway/JsonError.h"

namespace {

// How long and how much a refused client may go on sending before the connection is cut.
constexpr int kLingerMilliseconds = 2000;
constexpr qint64 kLingerBytes = 1 << 20;

// Watches one connection for the server; a child of its socket.
class ConnectionGuard : public QObject {
 public:
  ConnectionGuard(QTcpSocket* socket, const GuardLimits& limits, int& open)
      : QObject(socket),
        m_socket(socket),
        m_framing(limits.framing),
        m_timeout(limits.requestMilliseconds),
        m_open(open) {
    ++m_open;
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &ConnectionGuard::TimedOut);
    m_readConnection = connect(socket, &QTcpSocket::readyRead, this, &ConnectionGuard::BeforeServer);
    connect(socket, &QTcpSocket::bytesWritten, this, &ConnectionGuard::Answered);
    m_timer.start(m_timeout);
  }
  ~ConnectionGuard() override { --m_open; }

  ConnectionGuard(const ConnectionGuard&) = delete;
  ConnectionGuard& operator=(const ConnectionGuard&) = delete;

  // Answers at once and closes: used when the connection is over the limit.
  void RefuseNow(const FramingRefusal& refusal) { Refuse(refusal); }

 private:
  void BeforeServer() {
    const QByteArray fresh = m_socket->peek(m_socket->bytesAvailable());
    const bool wasInRequest = m_framing.InRequest();
    if (auto refusal = m_framing.Feed(std::string_view(fresh.constData(), static_cast<size_t>(fresh.size())))) {
      Refuse(*refusal);
      return;
    }
    // A request has its time limit; a complete one waits for its answer as long as it takes
    // (the handlers bound their waits), and the idle time counts from the answer.
    if (!m_framing.InRequest())
      m_timer.stop();
    else if (!wasInRequest)
      m_timer.start(m_timeout);
    // The server drops a connection it cannot parse by cutting all its signals: answer for it.
    QMetaObject::invokeMethod(this, &ConnectionGuard::CheckServerKept, Qt::QueuedConnection);
  }

  void Answered() {
    if (!m_refused && !m_framing.InRequest()) m_timer.start(m_timeout);
  }

  void CheckServerKept() {
    if (m_refused || m_readConnection) return;
    Refuse({400, "bad_request", "the request is not valid HTTP/1.1"});
  }

  void TimedOut() {
    if (m_refused || !m_readConnection) {
      Close();
      return;
    }
    if (m_framing.InRequest()) {
      Refuse(
          {408, "request_timeout", "the request was not complete within " + std::to_string(m_timeout / 1000) + " s"});
      return;
    }
    m_socket->disconnectFromHost();
  }

  // The answer, then a graceful close that the server takes no part in.
  void Refuse(const FramingRefusal& refusal) {
    m_refused = true;
    QObject::disconnect(m_socket, nullptr, nullptr, nullptr);
    const QByteArray body = JsonErrorBody(refusal.error, refusal.detail);
    QByteArray response = "HTTP/1.1 " + QByteArray::number(refusal.status) + ' ' + ReasonPhrase(refusal.status) +
                          "\r\nContent-Type: application/json\r\nContent-Length: " + QByteArray::number(body.size()) +
                          "\r\nConnection: close\r\n\r\n" + body;
    m_socket->readAll();
    m_socket->write(response);
    connect(m_socket, &QTcpSocket::bytesWritten, this, &ConnectionGuard::ShutDownWhenWritten);
    connect(m_socket, &QTcpSocket::readyRead, this, &ConnectionGuard::Drop);
    connect(m_socket, &QTcpSocket::disconnected, this, &ConnectionGuard::Close);
    m_timer.start(kLingerMilliseconds);
    ShutDownWhenWritten();
  }

  void ShutDownWhenWritten() {
    if (m_socket->bytesToWrite() > 0 || m_shutDown) return;
    m_shutDown = true;
    m_socket->flush();
    ::shutdown(static_cast<int>(m_socket->socketDescriptor()), SHUT_WR);
  }

  void Drop() {
    m_dropped += m_socket->readAll().size();
    if (m_dropped > kLingerBytes) Close();
  }

  void Close() {
    m_timer.stop();
    QTcpSocket* socket = m_socket;
    if (m_refused || !m_readConnection) {
      socket->abort();
      socket->deleteLater();
    } else {
      socket->disconnectFromHost();
    }
  }

  static QByteArray ReasonPhrase(int status) {
    switch (status) {
      case 400:
        return "Bad Request";
      case 408:
        return "Request Timeout";
      case 411:
        return "Length Required";
      case 413:
        return "Payload Too Large";
      case 431:
        return "Request Header Fields Too Large";
      case 503:
        return "Service Unavailable";
      default:
        return "Error";
    }
  }

  QTcpSocket* m_socket;
  HttpFraming m_framing;
  int m_timeout;
  int& m_open;
  QTimer m_timer;
  QMetaObject::Connection m_readConnection;
  bool m_refused = false;
  bool m_shutDown = false;
  qint64 m_dropped = 0;
};

}  // namespace

GuardedTcpServer::GuardedTcpServer(GuardLimits limits, QObject* parent) : QTcpServer(parent), m_limits(limits) {}

void GuardedTcpServer::incomingConnection(qintptr handle) {
  auto* socket = new QTcpSocket(this);
  if (!socket->setSocketDescriptor(handle)) {
    delete socket;
    return;
  }
  auto* guard = new ConnectionGuard(socket, m_limits, m_open);
  if (m_open > m_limits.connections) {
    guard->RefuseNow({503, "busy", "too many open connections; try again later"});
    return;
  }
  addPendingConnection(socket);
}
