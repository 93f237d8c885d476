#pragma once

#include <QAbstractHttpServer>
#include <QByteArray>
#include <QHostAddress>
#include <QHttpServerRequest>
#include <memory>

#include "common/Status.h"
#include "gateway/GatewayApi.h"

class GuardedTcpServer;

// The gateway's HTTP side: /api/v1, /metrics, /healthz and the fleet page, on one
// listening socket screened by GuardedTcpServer (body size cap, framing, time limits).
// Writes (POST) need "Authorization: Bearer TOKEN" when the config sets a token, and a
// JSON body; a token is required to listen on anything but a loopback address. Tokens are
// compared in constant time. CORS headers only for the configured origins.
class GatewayHttpServer : public QAbstractHttpServer {
  Q_OBJECT

 public:
  GatewayHttpServer(Gateway& gateway, LiveSigns& live, QObject* parent = nullptr);
  ~GatewayHttpServer() override;

  // Listens on config().http.listen ("HOST:PORT"; port 0 picks a free one). BadInput for
  // an unusable address or a non-loopback one without a token, OsFailure when the address
  // cannot be bound.
  Status Listen();
  // The port listened on; 0 before Listen().
  quint16 port() const;

  // One API path: its method, its segments ("{}" takes any one) and its handler.
  struct Route {
    QHttpServerRequest::Method method;
    std::vector<std::string_view> segments;
    std::optional<HttpReply> (GatewayApi::*handler)(const ApiRequest&);
  };

 protected:
  bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
  void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

 private:
  bool Authorized(const QHttpServerRequest& request) const;
  std::vector<std::pair<QByteArray, QByteArray>> CorsHeaders(const QHttpServerRequest& request) const;

  Gateway& m_gateway;
  GatewayApi m_api;
  GuardedTcpServer* m_listener = nullptr;
};

// True when given equals expected; the time taken depends on the length of given only.
bool TokensMatch(const QByteArray& given, const std::string& expected);
