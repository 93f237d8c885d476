#pragma once

// A TCP listener on a loopback address, port 49999, standing in for a marquee's network card.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <thread>

#include "link/TcpRules.h"

class LoopbackListener {
 public:
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
    if (m_thread.joinable()) m_thread.join();
    ::close(m_socket);
  }
  LoopbackListener(const LoopbackListener&) = delete;
  LoopbackListener& operator=(const LoopbackListener&) = delete;

  bool ok() const { return m_ok; }

  // On a thread: accepts one connection and reads until the peer closes it. With
  // resetAfterFirstRead, resets the connection once the first data has arrived.
  void Serve(bool resetAfterFirstRead = false) {
    m_thread = std::thread([this, resetAfterFirstRead] {
      if (!Readable(m_socket, 10000)) return;
      int connection = ::accept4(m_socket, nullptr, nullptr, SOCK_CLOEXEC);
      if (connection < 0) return;
      char buffer[65536];
      ssize_t n;
      while (Readable(connection, 10000) && (n = ::read(connection, buffer, sizeof buffer)) > 0) {
        m_received.append(buffer, static_cast<size_t>(n));
        if (resetAfterFirstRead) {
          linger reset{1, 0};
          ::setsockopt(connection, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
          break;
        }
      }
      ::close(connection);
    });
  }
  // Waits for Serve to finish and returns what arrived.
  const std::string& Received() {
    if (m_thread.joinable()) m_thread.join();
    return m_received;
  }
  // Whether a connection is waiting to be accepted.
  bool HasWaitingConnection() const { return Readable(m_socket, 0); }

 private:
  static bool Readable(int socket, int timeoutMs) {
    pollfd watch{socket, POLLIN, 0};
    return ::poll(&watch, 1, timeoutMs) > 0;
  }

  int m_socket = -1;
  bool m_ok = false;
  std::thread m_thread;
  std::string m_received;
};
