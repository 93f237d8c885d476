#include "sim/TcpInput.h"

#include <QHostAddress>
#include <QTcpSocket>

#include "common/Text.h"

TcpInput::TcpInput(BytesHandler onBytes, PeerHandler onPeer)
    : m_onBytes(std::move(onBytes)), m_onPeer(std::move(onPeer)) {
  QObject::connect(&m_server, &QTcpServer::newConnection, [this] { Accept(); });
}

Status TcpInput::Listen(const std::string& address, uint16_t port) {
  if (!m_server.listen(QHostAddress(QString::fromStdString(address)), port))
    return Status::OsFailure(
        Format("cannot listen on %s:%u: %s", address.c_str(), port, m_server.errorString().toStdString().c_str()));
  return {};
}

void TcpInput::Accept() {
  while (QTcpSocket* connection = m_server.nextPendingConnection()) {
    const std::string peer =
        Format("%s:%u", connection->peerAddress().toString().toStdString().c_str(), connection->peerPort());
    m_onPeer(true, peer);
    QObject::connect(connection, &QTcpSocket::readyRead, [this, connection] {
      const QByteArray bytes = connection->readAll();
      m_onBytes(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    });
    QObject::connect(connection, &QTcpSocket::disconnected, [this, connection, peer] {
      m_onPeer(false, peer);
      connection->deleteLater();
    });
  }
}
