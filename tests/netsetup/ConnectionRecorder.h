#pragma once

// A marquee's network card on a loopback address, port 49999, that takes several connections
// one after another, reading each until its peer closes it, and records what each brought and
// when its first byte arrived.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "link/TcpRules.h"

class ConnectionRecorder {
 public:
  using Clock = std::chrono::steady_clock;
  struct Connection {
    std::string text;
    Clock::time_point firstByte;
  };

  explicit ConnectionRecorder(const char* address) {
    m_socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    int one = 1;
    ::setsockopt(m_socket, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(kMarqueeTcpPort);
    ::inet_pton(AF_INET, address, &local.sin_addr);
    m_ok = ::bind(m_socket, reinterpret_cast<sockaddr*>(&local), sizeof local) == 0 && ::listen(m_socket, 8) == 0;
  }
  ~ConnectionRecorder() {
    Stop();
    ::close(m_socket);
  }
  ConnectionRecorder(const ConnectionRecorder&) = delete;
  ConnectionRecorder& operator=(const ConnectionRecorder&) = delete;

  bool ok() const { return m_ok; }

  // On a thread: takes connections until `count` have been read or none came for 10 s.
  void Start(size_t count) {
    m_thread = std::thread([this, count] {
      while (m_connections.size() < count && Readable(m_socket)) {
        const int connection = ::accept4(m_socket, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0) return;
        Connection received;
        char buffer[4096];
        ssize_t n;
        while (Readable(connection) && (n = ::read(connection, buffer, sizeof buffer)) > 0) {
          if (received.text.empty()) received.firstByte = Clock::now();
          received.text.append(buffer, static_cast<size_t>(n));
        }
        ::close(connection);
        m_connections.push_back(std::move(received));
      }
    });
  }
  // Waits for the thread; then connections() holds what came.
  void Stop() {
    if (m_thread.joinable()) m_thread.join();
  }
  const std::vector<Connection>& connections() const { return m_connections; }

 private:
  static bool Readable(int socket) {
    pollfd watch{socket, POLLIN, 0};
    return ::poll(&watch, 1, 10000) > 0;
  }

  int m_socket = -1;
  bool m_ok = false;
  std::thread m_thread;
  std::vector<Connection> m_connections;
};
