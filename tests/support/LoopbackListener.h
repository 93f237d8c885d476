#pragma once

// A TCP listener on a loopback address, port 49999, standing in for a marquee's network card:
// it records what each connection brought and when its first byte arrived.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "link/TcpRules.h"

class LoopbackListener {
 public:
  using Clock = std::chrono::steady_clock;
  struct Connection {
    std::string text;
    Clock::time_point firstByte;  // when its first byte arrived
  };

  // backlog 0 with one connection waiting makes the listener drop further connection requests;
  // a small receiveBuffer makes a peer that never reads stall the sender quickly.
  explicit LoopbackListener(const char* address, int backlog = 8, int receiveBuffer = 0) {
    m_socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    int one = 1;
    ::setsockopt(m_socket, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    if (receiveBuffer) ::setsockopt(m_socket, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(kMarqueeTcpPort);
    ::inet_pton(AF_INET, address, &local.sin_addr);
    m_ok = ::bind(m_socket, reinterpret_cast<sockaddr*>(&local), sizeof local) == 0 && ::listen(m_socket, backlog) == 0;
  }
  ~LoopbackListener() {
    Stop();
    ::close(m_socket);
  }
  LoopbackListener(const LoopbackListener&) = delete;
  LoopbackListener& operator=(const LoopbackListener&) = delete;

  bool ok() const { return m_ok; }

  // On a thread: accepts one connection and reads until the peer closes it. With
  // resetAfterFirstRead, resets the connection once the first data has arrived.
  void Serve(bool resetAfterFirstRead = false) { Start(1, resetAfterFirstRead); }
  // On a thread: takes connections one after another, reading each until its peer closes it,
  // until count have been read or none came for 10 s.
  void ServeMany(size_t count) { Start(count, false); }
  // Waits for the thread; what arrived over every connection so far, in order.
  const std::string& Received() {
    Stop();
    return m_received;
  }
  // Waits for the thread; each connection so far with what it brought.
  const std::vector<Connection>& Connections() {
    Stop();
    return m_connections;
  }
  // Whether a connection is waiting to be accepted.
  bool HasWaitingConnection() const { return Readable(m_socket, 0); }

 private:
  void Start(size_t count, bool resetAfterFirstRead) {
    Stop();
    m_thread = std::thread([this, count, resetAfterFirstRead] {
      for (size_t i = 0; i < count && Readable(m_socket, 10000); ++i) {
        const int connection = ::accept4(m_socket, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0) return;
        Connection received;
        char buffer[65536];
        ssize_t n;
        while (Readable(connection, 10000) && (n = ::read(connection, buffer, sizeof buffer)) > 0) {
          if (received.text.empty()) received.firstByte = Clock::now();
          received.text.append(buffer, static_cast<size_t>(n));
          if (resetAfterFirstRead) {
            linger reset{1, 0};
            ::setsockopt(connection, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
            break;
          }
        }
        ::close(connection);
        m_received += received.text;
        m_connections.push_back(std::move(received));
      }
    });
  }
  void Stop() {
    if (m_thread.joinable()) m_thread.join();
  }
  static bool Readable(int socket, int timeoutMs) {
    pollfd watch{socket, POLLIN, 0};
    return ::poll(&watch, 1, timeoutMs) > 0;
  }

  int m_socket = -1;
  bool m_ok = false;
  std::thread m_thread;
  std::string m_received;
  std::vector<Connection> m_connections;
};
