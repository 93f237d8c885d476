#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "link/SocketOs.h"

bool InitSocketLayer() {
  return true;
}

int LastSocketError() {
  return errno;
}

std::string SocketErrorMessage(int code) {
  return std::strerror(code);
}

int ConnectTimedOutError() {
  return ETIMEDOUT;
}

SocketHandle CreateStreamSocket() {
  int socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  return socket < 0 ? kNoSocket : socket;
}

bool SetSocketBlocking(SocketHandle socket, bool blocking) {
  int flags = ::fcntl(socket, F_GETFL);
  if (flags < 0) return false;
  flags = blocking ? flags & ~O_NONBLOCK : flags | O_NONBLOCK;
  return ::fcntl(socket, F_SETFL, flags) == 0;
}

int StartConnect(SocketHandle socket, const std::string& dottedAddress, uint16_t port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  if (::inet_pton(AF_INET, dottedAddress.c_str(), &address.sin_addr) != 1) return EINVAL;
  if (::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) return 0;
  return errno == EINPROGRESS || errno == EINTR ? 0 : errno;
}

SocketWait WaitWritable(SocketHandle socket, std::chrono::milliseconds timeout) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + timeout;
  for (;;) {
    auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    pollfd watch{socket, POLLOUT, 0};
    int ready = ::poll(&watch, 1, static_cast<int>(std::max<long long>(left.count(), 0)));
    if (ready > 0) return SocketWait::Ready;  // writable, or an error the next call reports
    if (ready == 0) return SocketWait::TimedOut;
    if (errno != EINTR) return SocketWait::Failed;
  }
}

int PendingSocketError(SocketHandle socket) {
  int error = 0;
  socklen_t length = sizeof error;
  if (::getsockopt(socket, SOL_SOCKET, SO_ERROR, &error, &length) != 0) return errno;
  return error;
}

long SendSome(SocketHandle socket, const char* data, size_t length) {
  for (;;) {
    ssize_t sent = ::send(socket, data, length, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (sent >= 0) return static_cast<long>(sent);
    if (errno == EAGAIN || errno == EWOULDBLOCK) return 0;
    if (errno != EINTR) return -1;
  }
}

int CloseSocket(SocketHandle socket) {
  return ::close(socket) == 0 ? 0 : -1;
}
