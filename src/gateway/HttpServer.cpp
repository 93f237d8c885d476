#include "gateway/HttpServer.h"

#include <QFile>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QPointer>
#include <QTcpSocket>
#include <QUrl>
#include <algorithm>

#include "gateway/HttpGuard.h"

using Method = QHttpServerRequest::Method;

namespace {

const std::vector<GatewayHttpServer::Route>& Routes();

// The fleet page's files, shipped inside the program.
struct PageFile {
  const char* path;
  const char* resource;
  const char* type;
};
constexpr PageFile kPageFiles[] = {
    {"/", ":/gateway/fleet.html", "text/html; charset=utf-8"},
    {"/fleet.css", ":/gateway/fleet.css", "text/css; charset=utf-8"},
    {"/fleet.js", ":/gateway/fleet.js", "text/javascript; charset=utf-8"},
};

// The path's segments, percent-decoded; nothing for an empty segment (as in "//" or a
// trailing "/"), which no route has.
std::optional<std::vector<std::string>> Segments(const QUrl& url) {
  const QByteArray path = url.path(QUrl::FullyEncoded).toLatin1();
  if (!path.startsWith('/')) return std::nullopt;
  std::vector<std::string> segments;
  if (path == "/") return segments;
  for (const QByteArray& part : path.mid(1).split('/')) {
    if (part.isEmpty()) return std::nullopt;
    segments.push_back(QByteArray::fromPercentEncoding(part).toStdString());
  }
  return segments;
}

bool Matches(const GatewayHttpServer::Route& route, const std::vector<std::string>& segments,
             std::vector<std::string>& params) {
  if (route.segments.size() != segments.size()) return false;
  params.clear();
  for (size_t i = 0; i < segments.size(); ++i) {
    if (route.segments[i] == "{}")
      params.push_back(segments[i]);
    else if (route.segments[i] != segments[i])
      return false;
  }
  return true;
}

QByteArray MethodName(Method method) {
  switch (method) {
    case Method::Get:
      return "GET";
    case Method::Post:
      return "POST";
    default:
      return "";
  }
}

bool IsWrite(Method method) {
  return method != Method::Get && method != Method::Head && method != Method::Options;
}

void Write(QHttpServerResponder& responder, const HttpReply& reply,
           const std::vector<std::pair<QByteArray, QByteArray>>& extra) {
  responder.writeStatusLine(static_cast<QHttpServerResponder::StatusCode>(reply.status));
  responder.writeHeader("Content-Type", reply.contentType);
  responder.writeHeader("Content-Length", QByteArray::number(reply.body.size()));
  responder.writeHeader("X-Content-Type-Options", "nosniff");
  for (const auto& [name, value] : reply.headers) responder.writeHeader(name, value);
  for (const auto& [name, value] : extra) responder.writeHeader(name, value);
  responder.writeBody(reply.body);
}

std::optional<HttpReply> PageFileReply(const std::vector<std::string>& segments) {
  const std::string path = segments.empty() ? "/" : "/" + segments.front();
  if (segments.size() > 1) return std::nullopt;
  for (const PageFile& file : kPageFiles) {
    if (path != file.path) continue;
    QFile resource(file.resource);
    if (!resource.open(QIODevice::ReadOnly))
      return HttpReply::Error(500, "page_missing", "the fleet page is not built in");
    return HttpReply{
        200,
        file.type,
        resource.readAll(),
        {{"Cache-Control", "no-cache"},
         {"Content-Security-Policy",
          "default-src 'self'; img-src 'self'; style-src 'self'; script-src 'self'; frame-ancestors 'none'"}}};
  }
  return std::nullopt;
}

// HOST:PORT with HOST an IPv4 or bracketed IPv6 address or "localhost".
std::optional<std::pair<QHostAddress, quint16>> ListenAddress(const std::string& listen) {
  const size_t colon = listen.rfind(':');
  if (colon == std::string::npos) return std::nullopt;
  std::string host = listen.substr(0, colon);
  if (host.size() >= 2 && host.front() == '[' && host.back() == ']') host = host.substr(1, host.size() - 2);
  bool ok = false;
  const uint port = QString::fromStdString(listen.substr(colon + 1)).toUInt(&ok);
  if (!ok || port > 65535) return std::nullopt;
  QHostAddress address(QString::fromStdString(host));
  if (host == "localhost") address = QHostAddress(QHostAddress::LocalHost);
  if (address.isNull()) return std::nullopt;
  return std::pair{address, static_cast<quint16>(port)};
}

}  // namespace

bool TokensMatch(const QByteArray& given, const std::string& expected) {
  if (expected.empty()) return false;
  unsigned difference = given.size() == static_cast<qsizetype>(expected.size()) ? 0u : 1u;
  for (qsizetype i = 0; i < given.size(); ++i)
    difference |= unsigned{static_cast<unsigned char>(given[i])} ^
                  unsigned { static_cast<unsigned char>(expected[static_cast<size_t>(i) % expected.size()]) };
  return difference == 0;
}

GatewayHttpServer::GatewayHttpServer(Gateway& gateway, LiveSigns& live, QObject* parent)
    : QAbstractHttpServer(parent), m_gateway(gateway), m_api(gateway, live) {}

GatewayHttpServer::~GatewayHttpServer() = default;

Status GatewayHttpServer::Listen() {
  const HttpConfig& http = m_gateway.config().http;
  const auto address = ListenAddress(http.listen);
  if (!address) return Status::BadInput("http.listen \"" + http.listen + "\" is not ADDRESS:PORT");
  if (!address->first.isLoopback() && http.token.empty())
    return Status::BadInput("http.listen \"" + http.listen +
                            "\" is beyond loopback: set http.token, which writes then need");
  GuardLimits limits;
  limits.framing.bodyBytes = static_cast<size_t>(http.maxBodyBytes);
  m_listener = new GuardedTcpServer(limits, this);
  if (!m_listener->listen(address->first, address->second)) {
    const std::string reason = m_listener->errorString().toStdString();
    delete m_listener;
    m_listener = nullptr;
    return Status::OsFailure("cannot listen on " + http.listen + ": " + reason);
  }
  bind(m_listener);
  return {};
}

quint16 GatewayHttpServer::port() const {
  return m_listener ? m_listener->serverPort() : 0;
}

bool GatewayHttpServer::Authorized(const QHttpServerRequest& request) const {
  const std::string& token = m_gateway.config().http.token;
  if (token.empty()) return true;
  const QByteArray header = request.value("Authorization");
  if (!header.startsWith("Bearer ")) return false;
  return TokensMatch(header.mid(7).trimmed(), token);
}

std::vector<std::pair<QByteArray, QByteArray>> GatewayHttpServer::CorsHeaders(const QHttpServerRequest& request) const {
  const QByteArray origin = request.value("Origin");
  const std::vector<std::string>& allowed = m_gateway.config().http.cors;
  if (origin.isEmpty() || std::find(allowed.begin(), allowed.end(), origin.toStdString()) == allowed.end()) return {};
  return {{"Access-Control-Allow-Origin", origin}, {"Vary", "Origin"}};
}

bool GatewayHttpServer::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) {
  auto responder = std::make_shared<QHttpServerResponder>(makeResponder(request, socket));
  const std::vector<std::pair<QByteArray, QByteArray>> cors = CorsHeaders(request);
  auto answer = [&](const HttpReply& reply) { Write(*responder, reply, cors); };

  const auto segments = Segments(request.url());
  if (!segments) {
    answer(HttpReply::Error(404, "not_found", "no such path"));
    return true;
  }
  // A page of the browser's own origin may write; another origin only when configured.
  if (IsWrite(request.method())) {
    const QByteArray origin = request.value("Origin");
    if (!origin.isEmpty() && cors.empty() && origin != "http://" + request.value("Host")) {
      answer(HttpReply::Error(403, "cross_origin", "writes from origin " + origin.toStdString() + " are not allowed"));
      return true;
    }
  }

  const bool api = !segments->empty() && segments->front() == "api";
  std::vector<std::string> params;
  QByteArray allow;
  for (const Route& route : Routes()) {
    if (!Matches(route, *segments, params)) continue;
    if (route.method != request.method()) {
      allow += (allow.isEmpty() ? "" : ", ") + MethodName(route.method);
      continue;
    }
    if (IsWrite(route.method)) {
      if (!Authorized(request)) {
        HttpReply reply = HttpReply::Error(401, "unauthorized", "writes need the header Authorization: Bearer TOKEN");
        reply.headers.push_back({"WWW-Authenticate", "Bearer"});
        answer(reply);
        return true;
      }
      // A body-less write (DELETE) has no media type to name.
      if (!request.body().isEmpty() && !request.value("Content-Type").toLower().startsWith("application/json")) {
        answer(HttpReply::Error(415, "unsupported_media_type", "send the body as Content-Type: application/json"));
        return true;
      }
    }
    ApiRequest apiRequest{params, request.query(), request.body(), {}};
    apiRequest.defer = [responder, cors, socket = QPointer<QTcpSocket>(socket)] {
      return std::function<void(HttpReply)>([responder, cors, socket](const HttpReply& reply) {
        if (socket && socket->state() == QAbstractSocket::ConnectedState) Write(*responder, reply, cors);
      });
    };
    if (std::optional<HttpReply> reply = (m_api.*route.handler)(apiRequest)) answer(*reply);
    return true;
  }
  if (!allow.isEmpty()) {
    if (request.method() == Method::Options && !cors.empty()) {
      answer({204,
              "text/plain",
              {},
              {{"Access-Control-Allow-Methods", allow},
               {"Access-Control-Allow-Headers", "Authorization, Content-Type"},
               {"Access-Control-Max-Age", "600"}}});
      return true;
    }
    HttpReply reply = HttpReply::Error(405, "method_not_allowed", "this path takes " + allow.toStdString());
    reply.headers.push_back({"Allow", allow});
    answer(reply);
    return true;
  }
  if (!api && request.method() == Method::Get) {
    if (std::optional<HttpReply> page = PageFileReply(*segments)) {
      answer(*page);
      return true;
    }
  }
  answer(HttpReply::Error(404, "not_found", "no such path: " + request.url().path().toStdString()));
  return true;
}

void GatewayHttpServer::missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) {
  QHttpServerResponder responder = makeResponder(request, socket);
  Write(responder, HttpReply::Error(404, "not_found", "no such path"), {});
}

namespace {

const std::vector<GatewayHttpServer::Route>& Routes() {
  using R = GatewayHttpServer::Route;
  static const std::vector<R> routes = {
      {Method::Get, {"api", "v1", "signs"}, &GatewayApi::Signs},
      {Method::Get, {"api", "v1", "signs", "{}"}, &GatewayApi::Sign},
      {Method::Post, {"api", "v1", "signs", "{}", "messages"}, &GatewayApi::PostToSign},
      {Method::Get, {"api", "v1", "signs", "{}", "preview.png"}, &GatewayApi::Preview},
      {Method::Post, {"api", "v1", "tags", "{}", "messages"}, &GatewayApi::PostToTag},
      {Method::Get, {"api", "v1", "messages", "{}"}, &GatewayApi::Message},
      {Method::Get, {"api", "v1", "log"}, &GatewayApi::Log},
      {Method::Delete, {"api", "v1", "messages", "{}"}, &GatewayApi::CancelMessage},
      {Method::Get, {"api", "v1", "vars"}, &GatewayApi::Variables},
      {Method::Put, {"api", "v1", "vars", "{}"}, &GatewayApi::PutVariable},
      {Method::Get, {"api", "v1", "schedules"}, &GatewayApi::Schedules},
      {Method::Put, {"api", "v1", "schedules"}, &GatewayApi::PutSchedules},
      {Method::Get, {"api", "v1", "metrics"}, &GatewayApi::Metrics},
      {Method::Get, {"metrics"}, &GatewayApi::Metrics},
      {Method::Get, {"api", "v1", "healthz"}, &GatewayApi::Health},
      {Method::Get, {"healthz"}, &GatewayApi::Health},
  };
  return routes;
}

}  // namespace
