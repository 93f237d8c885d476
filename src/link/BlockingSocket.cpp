#include "link/BlockingSocket.h"

#include "link/TcpRules.h"

namespace {

// Takes the error code before anything else can overwrite it.
[[noreturn]] void ThrowLastError(const char* operation) {
  int error = LastSocketError();
  throw CBlockingSocketException(operation, error);
}

}  // namespace

std::string CBlockingSocketException::GetErrorText() const {
  return FormatSocketErrorText(m_operation, m_nError, m_nError ? SocketErrorMessage(m_nError) : std::string());
}

void CBlockingSocket::Create() {
  Discard();
  m_hSocket = CreateStreamSocket();
  if (m_hSocket == kNoSocket) ThrowLastError("Create");
}

void CBlockingSocket::Connect(const std::string& dottedAddress, uint16_t port) {
  if (!SetSocketBlocking(m_hSocket, false)) ThrowLastError("Connect");
  // A failure that shows at once (no route, bad address) must not pass for a connection.
  if (int error = StartConnect(m_hSocket, dottedAddress, port)) throw CBlockingSocketException("Connect", error);
  if (!SetSocketBlocking(m_hSocket, true)) ThrowLastError("Connect");
  switch (WaitWritable(m_hSocket, kConnectTimeout)) {
    case SocketWait::TimedOut:
      throw CBlockingSocketException("Connect", ConnectTimedOutError());
    case SocketWait::Failed:
      ThrowLastError("Connect");
    case SocketWait::Ready:
      // A refused connection also wakes the wait; its error tells the two apart.
      if (int error = PendingSocketError(m_hSocket)) throw CBlockingSocketException("Connect", error);
      return;
  }
}

size_t CBlockingSocket::Send(const char* data, size_t length, std::chrono::seconds timeout) {
  switch (WaitWritable(m_hSocket, timeout)) {
    case SocketWait::TimedOut:
      throw CBlockingSocketException("Send timeout", 0);
    case SocketWait::Failed:
      ThrowLastError("Send timeout");
    case SocketWait::Ready:
      break;
  }
  long sent = SendSome(m_hSocket, data, length);
  if (sent < 0) ThrowLastError("Send");
  return static_cast<size_t>(sent);
}

size_t CBlockingSocket::SendAll(const char* data, size_t length, std::chrono::seconds timeout) {
  size_t total = 0;
  while (total < length) total += Send(data + total, length - total, timeout);
  return total;
}

void CBlockingSocket::Close() {
  if (m_hSocket == kNoSocket) return;
  SocketHandle socket = m_hSocket;
  m_hSocket = kNoSocket;  // a failed close still releases the handle: never close it twice
  if (CloseSocket(socket) != 0) ThrowLastError("Close");
}

void CBlockingSocket::Discard() noexcept {
  if (m_hSocket == kNoSocket) return;
  CloseSocket(m_hSocket);
  m_hSocket = kNoSocket;
}
