#pragma once

#include <QByteArray>
#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

// One HTTP answer as the handlers build it; the server adds Content-Length and, where
// configured, the CORS headers.
struct HttpReply {
  int status = 200;
  QByteArray contentType = "application/json";
  QByteArray body;
  std::vector<std::pair<QByteArray, QByteArray>> headers;

  static HttpReply Json(int status, const nlohmann::json& value);
  // {"error": error, "detail": detail}
  static HttpReply Error(int status, const std::string& error, const std::string& detail);
};
