// Winsock 2. Built on Windows only.
#include <winsock2.h>
#include <ws2tcpip.h>
// winsock2.h must come before windows.h
#include <windows.h>

#include "link/SocketOs.h"

bool InitSocketLayer() {
  WSADATA data;
  return WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

int LastSocketError() {
  return WSAGetLastError();
}

std::string SocketErrorMessage(int code) {
  char* text = nullptr;
  DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      static_cast<DWORD>(code), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPSTR>(&text), 0, nullptr);
  std::string message = length && text ? std::string(text, length) : std::string();
  LocalFree(text);
  return message;
}

int ConnectTimedOutError() {
  return WSAETIMEDOUT;
}

SocketHandle CreateStreamSocket() {
  SOCKET socket = ::WSASocketW(AF_INET, SOCK_STREAM, 0, nullptr, 0, WSA_FLAG_NO_HANDLE_INHERIT);
  return socket == INVALID_SOCKET ? kNoSocket : static_cast<SocketHandle>(socket);
}

bool SetSocketBlocking(SocketHandle socket, bool blocking) {
  u_long nonBlocking = blocking ? 0 : 1;
  return ioctlsocket(static_cast<SOCKET>(socket), static_cast<long>(FIONBIO), &nonBlocking) == 0;
}

int StartConnect(SocketHandle socket, const std::string& dottedAddress, uint16_t port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  if (inet_pton(AF_INET, dottedAddress.c_str(), &address.sin_addr) != 1) return WSAEINVAL;
  if (::connect(static_cast<SOCKET>(socket), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
    return 0;
  int error = WSAGetLastError();
  return error == WSAEWOULDBLOCK ? 0 : error;
}

SocketWait WaitWritable(SocketHandle socket, std::chrono::milliseconds timeout) {
  // A refused connection shows in the exception set, not the write set.
  fd_set writable, failed;
  FD_ZERO(&writable);
  FD_ZERO(&failed);
  FD_SET(static_cast<SOCKET>(socket), &writable);
  FD_SET(static_cast<SOCKET>(socket), &failed);
  timeval wait{static_cast<long>(timeout.count() / 1000), static_cast<long>(timeout.count() % 1000 * 1000)};
  int ready = select(0, nullptr, &writable, &failed, &wait);
  if (ready > 0) return SocketWait::Ready;
  return ready == 0 ? SocketWait::TimedOut : SocketWait::Failed;
}

int PendingSocketError(SocketHandle socket) {
  int error = 0;
  int length = sizeof error;
  if (getsockopt(static_cast<SOCKET>(socket), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length) != 0)
    return WSAGetLastError();
  return error;
}

long SendSome(SocketHandle socket, const char* data, size_t length) {
  int sent = ::send(static_cast<SOCKET>(socket), data, static_cast<int>(length), MSG_PARTIAL);
  if (sent != SOCKET_ERROR) return sent;
  return WSAGetLastError() == WSAEWOULDBLOCK ? 0 : -1;
}

int CloseSocket(SocketHandle socket) {
  return closesocket(static_cast<SOCKET>(socket)) == 0 ? 0 : -1;
}
