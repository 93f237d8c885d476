#pragma once

// A plain HTTP/1.1 client for the gateway's program tests: one request per connection to
// 127.0.0.1, the bytes sent exactly as given, waits bounded.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <regex>
#include <string>

struct Response {
  int status = 0;
  std::string head;
  std::string body;
  nlohmann::json Json() const { return nlohmann::json::parse(body, nullptr, false); }
};

// Sends the bytes as they are and reads one response (to its Content-Length or the close).
inline Response Exchange(uint16_t port, const std::string& bytes) {
  Response response;
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    ::close(fd);
    return response;
  }
  ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
  std::string data;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  for (;;) {
    const size_t end = data.find("\r\n\r\n");
    if (end != std::string::npos) {
      std::smatch length;
      const std::string head = data.substr(0, end);
      if (std::regex_search(head, length, std::regex("Content-Length: (\\d+)", std::regex::icase)) &&
          data.size() >= end + 4 + std::stoul(length[1]))
        break;
    }
    pollfd poller{fd, POLLIN, 0};
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0 || ::poll(&poller, 1, static_cast<int>(left.count())) <= 0) break;
    char buffer[65536];
    const ssize_t count = ::recv(fd, buffer, sizeof buffer, 0);
    if (count <= 0) break;
    data.append(buffer, static_cast<size_t>(count));
  }
  ::close(fd);
  const size_t end = data.find("\r\n\r\n");
  if (data.rfind("HTTP/1.", 0) != 0 || end == std::string::npos) return response;
  response.status = std::stoi(data.substr(9, 3));
  response.head = data.substr(0, end);
  response.body = data.substr(end + 4);
  return response;
}

inline std::string Request(
    const std::string& method, const std::string& path, const std::string& body = "",
    const std::string& headers = "Authorization: Bearer s3cret\r\nContent-Type: application/json\r\n") {
  return method + " " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n" + headers +
         "Content-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}
