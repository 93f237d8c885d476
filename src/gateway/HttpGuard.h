#pragma once

#include <QTcpServer>

#include "gateway/HttpFraming.h"

// Limits of the listening socket besides the framing limits.
struct GuardLimits {
  FramingLimits framing;
  int requestMilliseconds = 30000;  // a started request must be complete in this time;
                                    // an idle connection is closed after it
  int connections = 256;            // open connections; more are answered 503 and closed
};

// The listening socket the HTTP server is bound to (QAbstractHttpServer::bind). It screens
// every connection's bytes with HttpFraming before the server reads them, because Qt 6.4's
// server holds a request body of any declared size in memory (twice while it arrives),
// reads chunked bodies without limit, and on a request it cannot parse stops serving the
// connection without answering or closing it. A refused request is answered with its JSON
// error and the connection is closed gracefully (the rest of what the client sends is read
// and dropped for a short while, so the client sees the answer); the server never sees the
// refused request. Relies on the server reading everything available on each readyRead, as
// Qt 6.4's does: the guard sees each byte once, just before the server.
class GuardedTcpServer : public QTcpServer {
  Q_OBJECT

 public:
  explicit GuardedTcpServer(GuardLimits limits, QObject* parent = nullptr);

  // Connections open now.
  int openConnections() const { return m_open; }

 protected:
  void incomingConnection(qintptr handle) override;

 private:
  GuardLimits m_limits;
  int m_open = 0;
};
